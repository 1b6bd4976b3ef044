#pragma once

#include <QByteArray>
#include <QtGlobal>

class CPuzzleFile;
struct PuzzleContent;

// Reads a binary crossword file (marker "ACROSS&DOWN") from the open file
// image: grid size, solution, the solver's entries, the information texts and
// the clues. It then numbers the grid and binds each clue to its word, in the
// format's own clue order (row by row, a cell's across clue before its down
// clue). Every field is read relative to the marker, so extra bytes in front
// of it do no harm. After the clues it reads the notes and the sections the
// program understands (circles, rebus squares, rebus entries, the timer).
class CBinaryPuzzleReader {
public:
    explicit CBinaryPuzzleReader(CPuzzleFile& file);

    // 0 on success, 1 when the file is not a valid puzzle, 4 when its header
    // cannot be read.
    int Read(PuzzleContent& content);

private:
    int Locate(PuzzleContent& content);
    int ReadHeader(PuzzleContent& content);
    int ReadBody(PuzzleContent& content);
    bool ReadGrids(PuzzleContent& content);
    bool ReadStrings(PuzzleContent& content);
    bool ReadString(qint64* position, QByteArray* text);
    void ReadNotesAndSections(PuzzleContent& content, qint64 position);
    bool ReadByteAt(qint64 position, quint8* byte);
    bool NumberWords(PuzzleContent& content);

    CPuzzleFile& file_;
};
