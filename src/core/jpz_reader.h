#pragma once

#include <QString>

class CPuzzleFile;
struct PuzzleContent;

// Reads a jpz crossword (the XML text; a zipped file arrives here already
// taken out of its archive) from the open file image: its grid, the solution,
// the solver's letters, pencil marks and time, the clues bound to their
// words and the information texts. Other kinds of puzzles the format holds
// are refused with a message that names their kind. The image is never
// changed here.
class CJpzReader {
public:
    explicit CJpzReader(const CPuzzleFile& file);

    // 0 on success; 1 when the file is no crossword the program can open,
    // with the reason for the user in error.
    int Read(PuzzleContent& content, QString* error);

private:
    const CPuzzleFile& file_;
};
