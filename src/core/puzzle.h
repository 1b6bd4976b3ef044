#pragma once

#include "core/puzzle_content.h"
#include "core/puzzle_file.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <optional>

class PuzzleObserver;
class LastPuzzleRecorder;

// The one open puzzle: grid, clues, information texts, the solver's position
// and the counters behind the filled and solved tests. It owns the open file's
// image and writes the solver's entries back into it.
class CPuzzle {
public:
    enum Code { Success = 0, Invalid = 1, ReadFailed = 4, RewriteFailed = 5 };
    enum Format { FormatNone = 0, FormatBinary = 1, FormatDocument = 2 };
    enum Move { MoveRight = 0, MoveLeft = 1, MoveUp = 2, MoveDown = 3, MoveNext = 4, MovePrevious = 5 };

    CPuzzle();
    ~CPuzzle();
    CPuzzle(const CPuzzle&) = delete;
    CPuzzle& operator=(const CPuzzle&) = delete;

    // ownerWindow of the design: told when a puzzle was opened or closed.
    void SetObserver(PuzzleObserver* observer);
    // Where the path of every successfully opened puzzle is recorded.
    void SetRecorder(LastPuzzleRecorder* recorder);

    int Open(const QString& path);
    void Close();
    int DetectFormat();
    // The format of a file image (a packed document already unpacked): the
    // structure each format begins with, else, for files that carry extra
    // bytes in front, the first format whose marker the image holds.
    static int FormatOf(const QByteArray& image);
    // Reads an image of that format with its reader; a Code. A read-only
    // image is only read, never given what the reader would add.
    static int ReadImage(CPuzzleFile& file, int format, PuzzleContent& content, bool readOnly);

    quint8 GetWidth() const;
    quint8 GetHeight() const;
    quint8 GetClueCount() const;
    quint8 GetAcrossCount() const;
    quint8 GetDownCount() const;
    // Entries change only through the setters below, which keep track of
    // what the next save has to write.
    const PuzzleCell& GetCell(int index) const;
    const PuzzleClue* GetClue(int index) const;
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

    void SetCurrentEntry(char letter);
    // Several letters in the current square (a rebus entry); one letter or
    // none is an ordinary entry. The grid shows the first letter.
    void SetCurrentEntryText(const QByteArray& letters);

    // Squares beyond one letter: a circle drawn in the square, the whole answer
    // of a rebus square and the solver's whole entry (empty for an empty or
    // black square), and whether the entry is the whole answer.
    bool IsCircled(int index) const;
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
    bool ChecksumsWereValid();
    void WriteDocumentEntries();
    void PlaceCursorOnFirstLetter();
    void WriteDocumentEntry(int index);
    QByteArray AnswerBytes(int index) const;
    QByteArray EntryBytes(int index) const;
    bool ClearRebusEntry(int index);
    bool IsValidCell(int index) const;
    bool IsLetterAt(int column, int row) const;

    CPuzzleFile file_;
    PuzzleContent content_;
    PuzzleObserver* observer_ = nullptr;
    LastPuzzleRecorder* recorder_ = nullptr;
    int format_ = FormatNone;
    int currentCell_ = -1;
    bool across_ = true;
    bool loaded_ = false;
    bool readOnly_ = false;
    // A binary puzzle whose checksums matched its content when it was opened
    // gets them recomputed whenever its entries are written. Only a save
    // needs to know, so the first save finds out, from the image as it was
    // opened; closing an untouched puzzle never sums it.
    std::optional<bool> keepChecksums_;
    // What changed since the progress was last written: an entry (a rebus
    // entry included), a rebus entry, the solving time. Until one of them
    // changes, saving and closing write nothing.
    bool entriesChanged_ = false;
    bool rebusChanged_ = false;
    bool timeChanged_ = false;
};
