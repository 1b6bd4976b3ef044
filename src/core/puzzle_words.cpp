#include "core/puzzle_words.h"

#include "core/puzzle.h"

#include <algorithm>

namespace {

bool IsEmpty(const CPuzzle& puzzle, int cell)
{
    return puzzle.GetCell(cell).entry == ' ';
}

// The clue indices in the order the solver steps through them.
std::vector<int> ClueOrder(const CPuzzle& puzzle)
{
    std::vector<int> order;
    for (const bool across : {true, false}) {
        for (int clue = 0; clue < puzzle.GetClueCount(); ++clue) {
            if ((puzzle.GetClue(clue)->isAcross != 0) == across)
                order.push_back(clue);
        }
    }
    return order;
}

} // namespace

std::vector<int> WordCells(const CPuzzle& puzzle, int clue)
{
    std::vector<int> cells;
    const PuzzleClue* record = puzzle.GetClue(clue);
    if (record == nullptr)
        return cells;
    const int count = puzzle.GetWidth() * puzzle.GetHeight();
    for (int cell = 0; cell < count; ++cell) {
        const PuzzleCell& square = puzzle.GetCell(cell);
        if (square.WordOf(record->isAcross != 0) == clue)
            cells.push_back(cell);
    }
    return cells;
}

int NextClue(const CPuzzle& puzzle, int clue, bool forward)
{
    const std::vector<int> order = ClueOrder(puzzle);
    const int count = static_cast<int>(order.size());
    const auto found = std::find(order.begin(), order.end(), clue);
    int position = found == order.end() ? (forward ? -1 : count) : static_cast<int>(found - order.begin());
    for (int tried = 0; tried < count; ++tried) {
        position = ((forward ? position + 1 : position - 1) % count + count) % count;
        if (puzzle.FindWordStart(order[static_cast<size_t>(position)], nullptr) >= 0)
            return order[static_cast<size_t>(position)];
    }
    return -1;
}

int FirstEmptyOrStart(const CPuzzle& puzzle, int clue)
{
    const std::vector<int> cells = WordCells(puzzle, clue);
    if (cells.empty())
        return -1;
    const auto empty = std::find_if(cells.begin(), cells.end(), [&](int cell) { return IsEmpty(puzzle, cell); });
    return empty != cells.end() ? *empty : cells.front();
}

int NextEmptyAfter(const CPuzzle& puzzle, int clue, int cell)
{
    for (const int next : WordCells(puzzle, clue)) {
        if (next > cell && IsEmpty(puzzle, next))
            return next;
    }
    return -1;
}
