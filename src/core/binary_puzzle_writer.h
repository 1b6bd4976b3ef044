#pragma once

#include <QtGlobal>

class CPuzzleFile;
struct PuzzleContent;

// Writes the solver's progress back into the file image of a binary puzzle:
// the entry grid, the solver's rebus entries ("RUSR"), the timer ("LTIM") and
// the pencil bits of the squares' flags ("GEXT"),
// and the checksums when they were valid at open. Every other byte stays as
// it was: an empty cell keeps whichever empty mark the file had ("-", or the
// "." and ":" of diagramless grids), and sections the program does not write
// are kept byte for byte.
class CBinaryPuzzleWriter {
public:
    // What the solver changed since the progress was last written.
    struct Changes {
        bool entries = false;      // a letter or a rebus entry
        bool rebusEntries = false; // a rebus entry
        bool pencil = false;       // a pencil mark
    };

    CBinaryPuzzleWriter(CPuzzleFile& file, PuzzleContent& content);

    // Writes the entry grid and the checksums only when an entry changed;
    // the timer is written whenever its time is to be kept. solved: the
    // puzzle is solved, so its timer is written as stopped.
    void Write(const Changes& changes, bool keepChecksums, bool solved);

private:
    void WriteEntries();
    // True when a section was rebuilt.
    bool UpdateSections(const Changes& changes, bool solved);
    bool TimeIsKept(bool solved) const;
    bool PencilIsKept() const;
    void WriteTail();

    CPuzzleFile& file_;
    PuzzleContent& content_;
};
