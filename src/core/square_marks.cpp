#include "core/square_marks.h"

#include "core/puz_extras.h"
#include "core/puzzle_content.h"

#include <charconv>

namespace SquareMarks {

namespace {

constexpr quint32 kShadeSet = 0xFF000000;

} // namespace

CellStyle& StyleAt(PuzzleContent& content, int index)
{
    if (content.styles.empty())
        content.styles.assign(content.cells.size(), CellStyle());
    return content.styles[size_t(index)];
}

void SetCircled(PuzzleContent& content, int index)
{
    if (content.markup.empty())
        content.markup.assign(content.cells.size(), 0);
    content.markup[size_t(index)] |= PuzExtras::kCircled;
}

quint32 ShadeFromText(std::string_view text)
{
    if (!text.empty() && text.front() == '#')
        text.remove_prefix(1);
    quint32 rgb = 0;
    const char* end = text.data() + text.size();
    if (text.size() != 6 || std::from_chars(text.data(), end, rgb, 16).ptr != end)
        return 0;
    return kShadeSet | rgb;
}

void MirrorBars(PuzzleContent& content)
{
    if (content.styles.empty())
        return;
    const int width = content.width;
    const int count = int(content.cells.size());
    for (int i = 0; i < count; ++i) {
        const quint8 bars = content.styles[size_t(i)].bars;
        const int column = i % width;
        if ((bars & CellStyle::BarRight) && column + 1 < width)
            content.styles[size_t(i + 1)].bars |= CellStyle::BarLeft;
        if ((bars & CellStyle::BarLeft) && column > 0)
            content.styles[size_t(i - 1)].bars |= CellStyle::BarRight;
        if ((bars & CellStyle::BarBottom) && i + width < count)
            content.styles[size_t(i + width)].bars |= CellStyle::BarTop;
        if ((bars & CellStyle::BarTop) && i >= width)
            content.styles[size_t(i - width)].bars |= CellStyle::BarBottom;
    }
}

void SetSeveralLetters(std::string_view text, char* letter, CellTexts& several, int index)
{
    const QByteArray upper = UpperCaseLetters(QByteArray(text.data(), qsizetype(text.size())));
    *letter = upper[0];
    several.Set(index, upper);
}

void ForgetSolution(PuzzleContent& content)
{
    for (size_t i = 0; i < content.cells.size(); ++i) {
        PuzzleCell& cell = content.cells[i];
        const bool given = content.IsGiven(i);
        if (cell.solution != ' ' && !given) {
            cell.solution = kUnknownSolution;
            content.rebusAnswers.Set(qint32(i), QByteArray());
        }
    }
}

} // namespace SquareMarks
