#include "core/word_runs.h"

#include "core/puzzle_content.h"

namespace WordRuns {

namespace {

bool IsLetter(const PuzzleContent& content, int index)
{
    return content.cells[size_t(index)].solution != ' ';
}

// Whether a bar on the square's side in the direction of travel ends the word.
bool BarAfter(const PuzzleContent& content, int index, bool across)
{
    if (content.styles.empty())
        return false;
    const quint8 side = across ? CellStyle::BarRight : CellStyle::BarBottom;
    return (content.styles[size_t(index)].bars & side) != 0;
}

// The length of the word that starts at the square in the direction; 0 when
// no word of two or more squares starts there.
int RunLength(const PuzzleContent& content, int column, int row, bool across)
{
    const int width = content.width;
    const int height = content.height;
    const int index = row * width + column;
    const int step = across ? 1 : width;
    const bool atStart = across ? column == 0 : row == 0;
    if (!IsLetter(content, index)
        || (!atStart && IsLetter(content, index - step) && !BarAfter(content, index - step, across)))
        return 0;
    int length = 1;
    int at = index;
    for (int position = across ? column : row; position + 1 < (across ? width : height); ++position) {
        if (BarAfter(content, at, across) || !IsLetter(content, at + step))
            break;
        at += step;
        ++length;
    }
    return length >= 2 ? length : 0;
}

} // namespace

std::vector<WordRun> Find(const PuzzleContent& content)
{
    std::vector<WordRun> runs;
    const int width = content.width;
    for (int row = 0; row < content.height; ++row) {
        for (int column = 0; column < width; ++column) {
            for (const bool across : {true, false}) {
                const int length = RunLength(content, column, row, across);
                if (length > 0)
                    runs.push_back({row * width + column, length, across});
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
