#include "core/word_runs.h"

#include "core/puzzle_content.h"

namespace WordRuns {

namespace {

// The grid as the search for words reads it: which squares hold letters, and
// which bars end a word after a square.
class WordGrid {
public:
    explicit WordGrid(const PuzzleContent& content)
        : cells_(content.cells.data()), styles_(content.styles.empty() ? nullptr : content.styles.data())
    {
    }

    bool IsLetter(int index) const { return cells_[index].solution != ' '; }
    bool BarAfter(int index, quint8 side) const { return styles_ != nullptr && (styles_[index].bars & side) != 0; }

    // The length of the word from the square in steps of step, at most room
    // squares long, ending before a square without a letter or after a bar
    // on the side.
    int RunLength(int index, int step, int room, quint8 side) const
    {
        int length = 1;
        for (int at = index; length < room && !BarAfter(at, side) && IsLetter(at + step); at += step)
            ++length;
        return length;
    }

private:
    const PuzzleCell* cells_;
    const CellStyle* styles_;
};

} // namespace

std::vector<WordRun> Find(const PuzzleContent& content)
{
    std::vector<WordRun> runs;
    const int width = content.width;
    const int height = content.height;
    if (content.cells.size() < size_t(width * height))
        return runs;
    const WordGrid grid(content);
    runs.reserve(content.cells.size());
    for (int row = 0, index = 0; row < height; ++row) {
        for (int column = 0; column < width; ++column, ++index) {
            if (!grid.IsLetter(index))
                continue;
            if (column == 0 || !grid.IsLetter(index - 1) || grid.BarAfter(index - 1, CellStyle::BarRight)) {
                const int length = grid.RunLength(index, 1, width - column, CellStyle::BarRight);
                if (length >= 2)
                    runs.push_back({index, length, true});
            }
            if (row == 0 || !grid.IsLetter(index - width) || grid.BarAfter(index - width, CellStyle::BarBottom)) {
                const int length = grid.RunLength(index, width, height - row, CellStyle::BarBottom);
                if (length >= 2)
                    runs.push_back({index, length, false});
            }
        }
    }
    return runs;
}

std::vector<qint32> UsualNumbers(const PuzzleContent& content, const std::vector<WordRun>& runs)
{
    std::vector<qint32> numbers(content.cells.size(), 0);
    qint32 next = 1;
    for (const WordRun& run : runs) {
        if (numbers[size_t(run.start)] == 0)
            numbers[size_t(run.start)] = next++;
    }
    return numbers;
}

void Bind(PuzzleContent& content, const WordRun& run, qint32 clue)
{
    const int step = run.across ? 1 : content.width;
    for (int k = 0, at = run.start; k < run.length; ++k, at += step) {
        PuzzleCell& cell = content.cells[size_t(at)];
        cell.WordOf(run.across) = clue;
    }
}

} // namespace WordRuns
