#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class CPuzzle;
class FilePicker;

// Everything that deals with puzzle files as files: finding them in the
// documents folder and on removable volumes, letting the user pick one, and
// deleting the current one. The puzzles themselves are opened through the model.
class CPuzzleStore {
public:
    explicit CPuzzleStore(CPuzzle& puzzle, FilePicker* picker = nullptr);
    virtual ~CPuzzleStore();
    CPuzzleStore(const CPuzzleStore&) = delete;
    CPuzzleStore& operator=(const CPuzzleStore&) = delete;

    // The chooser used by OnOpenPuzzle; without one, Open does nothing.
    void SetFilePicker(FilePicker* picker);
    // Replaces the mounted removable volumes with a fixed list of root folders.
    void SetCardRoots(const QStringList& roots);
    // The root folders searched after the documents folder.
    QStringList CardRoots() const;
    // Roots of the mounted volumes below /media/, then those below /run/media/.
    static QStringList MountedRemovableRoots();
    // The removable volumes among mount points: those below /media/, then
    // those below /run/media/, each group in the given order.
    static QStringList RemovableRoots(const QStringList& mountPoints);

    // True for a name ending in ".puz", ".gmd", ".ipuz" or ".jpz", in any case, with
    // at least one character before the ending.
    static bool IsPuzzleFileName(const QString& name);

    // Opens one file as the current puzzle. When it exists but cannot be
    // opened, one message says why (with showError: the file's own error when
    // it cannot be read, else that it is no puzzle) and the puzzle that was
    // open before comes back.
    bool OpenPuzzleFile(const QString& path, bool showError);
    // Searches folder (ending in "/") and its subfolders down to depth 2. With
    // countOnly every puzzle file adds to count and the result is false;
    // otherwise the first file that opens ends the search with true.
    bool FindPuzzles(const QString& folder, bool countOnly, int& count, int depth);
    // FindPuzzles over every removable volume's root.
    bool FindPuzzlesOnCards(bool countOnly, int& count);
    // Searches the documents folder, then the removable volumes. Returns the
    // number of puzzle files (countOnly), or 1 when one was opened, else 0.
    int FindAnyPuzzle(bool countOnly);
    // Opens the first puzzle file found that opens.
    bool OpenAnyPuzzle();

    // The Open command: lets the user choose a puzzle and opens it.
    bool OnOpenPuzzle();
    // The Delete command: after asking, closes and deletes the current puzzle
    // file and opens any other puzzle.
    void OnDeletePuzzle();

    // Tells the user that no puzzle was found anywhere.
    static void ShowNoPuzzleMessage();

    // The folder the chooser starts in: the current puzzle's folder, or the
    // puzzle folder when no puzzle is open.
    QString InitialFolder() const;

private:
    CPuzzle& puzzle_;
    FilePicker* picker_;
    std::optional<QStringList> cardRoots_;
};
