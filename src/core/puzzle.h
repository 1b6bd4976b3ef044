#pragma once

#include "core/entry_history.h"
#include "core/puzzle_content.h"
#include "core/puzzle_file.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <optional>
#include <vector>

class PuzzleObserver;
class LastPuzzleRecorder;

// The one open puzzle: grid, clues, information texts, the solver's position
// and the counters behind the filled and solved tests. It owns the open file's
// image and writes the solver's entries back into it.
class CPuzzle {
public:
    enum Code { Success = 0, Invalid = 1, ReadFailed = 4, RewriteFailed = 5 };
    enum Format { FormatNone = 0, FormatBinary = 1, FormatDocument = 2, FormatIpuz = 3, FormatJpz = 4 };
    enum Move { MoveRight = 0, MoveLeft = 1, MoveUp = 2, MoveDown = 3, MoveNext = 4, MovePrevious = 5 };

    CPuzzle();
    ~CPuzzle();
    CPuzzle(const CPuzzle&) = delete;
    CPuzzle& operator=(const CPuzzle&) = delete;

    // ownerWindow of the design: told when a puzzle was opened or closed.
    void SetObserver(PuzzleObserver* observer);
    // Where the path of every successfully opened puzzle is recorded.
    void SetRecorder(LastPuzzleRecorder* recorder);

    // A file that cannot be read gives ReadFailed, after the reason was shown
    // when reportFileError is set.
    int Open(const QString& path, bool reportFileError = true);
    // Why the last Open failed, in words for the user, when the reader could
    // say more than that the file is no valid puzzle; empty otherwise.
    QString GetOpenError() const;
    // Reads a puzzle from file content held in memory (for printing and
    // pictures of a file): read-only, tied to no file, so neither closing nor
    // any change ever writes anywhere, and nobody is told of the opening.
    int OpenContent(const QByteArray& fileContent);
    void Close();
    int DetectFormat();
    // The format of a file image (a packed document already unpacked): the
    // structure each format begins with, else, for files that carry extra
    // bytes in front, the first format whose marker the image holds.
    static int FormatOf(const QByteArray& image);
    // Reads an image of that format with its reader; a Code. A read-only
    // image is only read, never given what the reader would add.
    static int ReadImage(CPuzzleFile& file, int format, PuzzleContent& content, bool readOnly,
                         QString* error = nullptr);

    quint8 GetWidth() const;
    quint8 GetHeight() const;
    int GetClueCount() const;
    int GetAcrossCount() const;
    int GetDownCount() const;
    // Entries change only through the setters below, which keep track of
    // what the next save has to write.
    const PuzzleCell& GetCell(int index) const;
    const PuzzleClue* GetClue(int index) const;
    // The clue lists beyond across and down, as the file gives them; those
    // whose clues name no square are kept but shown nowhere.
    const std::vector<ClueList>& GetOtherLists() const { return content_.otherLists; }
    void GetInfo(QByteArray& title, QByteArray& author, QByteArray& copyright) const;
    // The same texts decoded for display.
    void GetInfoText(QString& title, QString& author, QString& copyright) const;
    // The puzzle's notes (binary puzzles from version 1.3 on); empty when it has none.
    QString GetNotes() const;
    QString GetPath() const;

    int GetCurrentCell() const;
    void SetCurrentCell(int index);
    bool IsAcross() const;
    void SetAcross(bool across);
    bool IsLoaded() const;
    bool IsScrambled() const;
    bool IsReadOnly() const;
    int GetFormat() const;

    // Every change of an entry (pencil or pen included) becomes a step of the
    // undo history; putting back what a square already holds changes nothing.
    void SetCurrentEntry(char letter, bool pencil = false);
    // Several letters in the current square (a rebus entry); one letter or
    // none is an ordinary entry. The grid shows the first letter.
    void SetCurrentEntryText(const QByteArray& letters, bool pencil = false);
    // Empties every square of the clue's word, of the grid, or of a list of
    // squares (such as a further list's clue names), as one step of the
    // history. False when nothing changed.
    bool ClearWord(int clue);
    bool ClearAllEntries();
    bool ClearCells(const std::vector<int>& cells);
    // Takes back the last step, or makes the last undone step again, and puts
    // the cursor on the square it changed. False when there is none. The
    // history ends when the puzzle is closed.
    bool CanUndo() const;
    bool CanRedo() const;
    bool Undo();
    bool Redo();
    // Whether the square's entry was written in pencil.
    bool IsPencil(int index) const;
    // The number shown in the square's top-left corner: the file's own number
    // or label when the file numbers its squares, else that of the clue whose
    // word starts there; empty for none.
    QString GetCellLabel(int index) const;

    // Squares beyond one letter: a circle drawn in the square, the whole answer
    // of a rebus square and the solver's whole entry (empty for an empty or
    // black square), and whether the entry is the whole answer.
    bool IsCircled(int index) const;
    // What some formats add to a square: void squares (not part of the grid),
    // given letters (shown, never changed by the solver), bars and shading.
    CellStyle GetCellStyle(int index) const;
    bool IsGiven(int index) const;
    // Whether a bar separates two neighbouring squares.
    bool IsBarBetween(int index, int neighbour) const;
    // The number or label the file itself prints in the square; empty when
    // the file gives none there.
    QString GetFileLabel(int index) const;
    // False for a puzzle that comes without its solution: nothing can then be
    // checked or revealed.
    bool HasSolution() const;
    // Whether the solver has entered a letter anywhere (given letters do not
    // count): the solving time alone is not progress worth writing.
    bool HasSolverEntries() const;
    QString GetSolutionText(int index) const;
    QString GetEntryText(int index) const;
    bool IsEntryCorrect(int index) const;

    // The solver's time on the puzzle in seconds, as the file kept it; binary
    // puzzles write it back with the entries.
    int GetSolvingSeconds() const;
    void SetSolvingSeconds(int seconds);

    // Writes the entries into the file image and the image to disk, so the
    // file holds them even if the program is killed afterwards. Nothing is
    // done when no entry and no time changed since the last save.
    void SaveProgress();
    bool IsSolved() const;
    bool IsFilled() const;
    int FindWordStart(int clue, quint8* isAcross) const;
    // The last square of the clue's word: from its start along its direction
    // while the squares belong to the clue; -1 when the clue has no square.
    int FindWordEnd(int clue) const;
    int GetCurrentClue() const;
    bool FindNeighbour(int move, int* index) const;
    bool IsClueFilled(int clue) const;
    QString FormatClue(int clue, bool* filled, quint8* isAcross) const;
    // Puzzle text decoded for display: UTF-8 for binary puzzles from version
    // 2.0 on, Windows-1252 otherwise.
    QString WidenText(const QByteArray& text) const;
    bool HasUtf8Text() const;

    int GetFilledCount() const;
    int GetLetterCount() const;

private:
    // Reads the image the file holds now; on failure nothing stays loaded.
    int ReadLoadedImage();
    bool ChecksumsWereValid();
    void WriteDocumentEntries();
    void PlaceCursorOnFirstLetter();
    void NoteEntryChange();
    void WriteDocumentEntry(int index);
    QByteArray AnswerBytes(int index) const;
    QByteArray EntryBytes(int index) const;
    bool IsValidCell(int index) const;
    bool IsLetterAt(int column, int row) const;
    bool ContinuesWord(int from, int to) const;
    bool ImageKeepsItsFormat();
    void WriteIpuzProgress();
    void WriteJpzProgress();
    void ReplaceImage(const QByteArray& text);
    EntryState EntryAt(int index) const;
    void ChangeEntry(int index, EntryState state);
    void PutEntry(int index, const EntryState& state);
    void SetPencilFlag(int index, bool pencil);
    void PlaceCursorAfter(const EntryStep& step);
    int WordNumberAt(int index) const;

    CPuzzleFile file_;
    PuzzleContent content_;
    PuzzleObserver* observer_ = nullptr;
    LastPuzzleRecorder* recorder_ = nullptr;
    int format_ = FormatNone;
    int currentCell_ = -1;
    bool across_ = true;
    bool loaded_ = false;
    bool readOnly_ = false;
    QString openError_;
    // A binary puzzle whose checksums matched its content when it was opened
    // gets them recomputed whenever its entries are written. Only a save
    // needs to know, so the first save finds out, from the image as it was
    // opened; closing an untouched puzzle never sums it.
    std::optional<bool> keepChecksums_;
    // What changed since the progress was last written: an entry (a rebus
    // entry included), a rebus entry, the solving time, a pencil mark. Until
    // one of them changes, saving and closing write nothing.
    bool entriesChanged_ = false;
    bool rebusChanged_ = false;
    bool timeChanged_ = false;
    bool pencilChanged_ = false;
    CEntryHistory history_;
    // The observer was told that entries of this read-only puzzle are lost.
    bool unsavableEntryReported_ = false;
};
