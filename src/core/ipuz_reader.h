#pragma once

#include <QString>

class CPuzzleFile;
struct PuzzleContent;

// Reads an ipuz crossword (JSON, plain or wrapped as "ipuz( ... )") from the
// open file image: its kind and size, grid, solution, the solver's saved
// letters and time, clues and information texts. Other kinds of ipuz puzzles
// are refused with a message that names their kind. The image is never
// changed here.
class CIpuzReader {
public:
    // The member the program keeps its own progress in (the solving time),
    // named after the program's domain as the format asks of extensions.
    static constexpr char kProgressMember[] = "http://gridmoor.org/ipuz/progress";

    explicit CIpuzReader(const CPuzzleFile& file);

    // 0 on success; 1 when the file is no crossword the program can open,
    // with the reason for the user in error.
    int Read(PuzzleContent& content, QString* error);

private:
    const CPuzzleFile& file_;
};
