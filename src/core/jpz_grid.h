#pragma once

#include <QString>

#include <string_view>

class CJpzDocument;
struct PuzzleContent;
namespace pugi {
class xml_node;
}

// Reads the squares of a jpz crossword's grid into the content: blocks, void
// squares, letters of the solution (one or several), the file's numbers,
// circles, shading, bars, given letters ("hint") and the solver's letters
// and pencil marks ("solve-state", "solve-status"). A square no cell names
// is void. The content's width and height are set before.
class CJpzGrid {
public:
    CJpzGrid(const CJpzDocument& document, PuzzleContent& content);

    // False, with the reason for the user, for a grid with clue squares.
    bool Read(QString* error);

private:
    bool ReadCell(pugi::xml_node cell, int index);
    void SetSolution(int index, std::string_view letters);
    void SetEntry(int index, std::string_view letters, bool pencil);

    const CJpzDocument& document_;
    PuzzleContent& content_;
    bool complete_ = true;
};
