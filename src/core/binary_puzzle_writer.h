#pragma once

#include <QtGlobal>

class CPuzzleFile;
struct PuzzleContent;

// Writes the solver's progress back into the file image of a binary puzzle:
// the entry grid, the solver's rebus entries ("RUSR") and the timer ("LTIM"),
// and the checksums when they were valid at open. Every other byte stays as
// it was: an empty cell keeps whichever empty mark the file had ("-", or the
// "." and ":" of diagramless grids), and sections the program does not write
// are kept byte for byte.
class CBinaryPuzzleWriter {
public:
    CBinaryPuzzleWriter(CPuzzleFile& file, PuzzleContent& content);

    // rebusChanged: the solver changed a rebus entry since the last write.
    // solved: the puzzle is solved, so its timer is written as stopped.
    void Write(bool keepChecksums, bool rebusChanged, bool solved);

private:
    void WriteEntries();
    // True when a section was rebuilt.
    bool UpdateSections(bool rebusChanged, bool solved);
    bool TimeIsKept(bool solved) const;
    void WriteTail();

    CPuzzleFile& file_;
    PuzzleContent& content_;
};
