#pragma once

#include <QtGlobal>

#include <vector>

struct PuzzleContent;

// A word of a grid: two or more letter squares in a row (across) or a column
// (down), ended by a block, a void square, the grid's edge or a bar.
struct WordRun {
    qint32 start = 0;
    qint32 length = 0;
    bool across = true;
};

namespace WordRuns {

// Every word of the content's grid (its cells and the bars in its styles),
// in the order of their first squares, a square's across word before its
// down word.
std::vector<WordRun> Find(const PuzzleContent& content);

// The usual numbers: 1, 2, ... for the squares that start a word, in reading
// order; 0 for every other square.
std::vector<qint32> UsualNumbers(const PuzzleContent& content, const std::vector<WordRun>& runs);

// Binds the run's squares to the clue, in the run's direction.
void Bind(PuzzleContent& content, const WordRun& run, qint32 clue);

} // namespace WordRuns
