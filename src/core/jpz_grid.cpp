#include "core/jpz_grid.h"

#include "core/jpz_document.h"
#include "core/puzzle_content.h"
#include "core/square_marks.h"

namespace {

bool IsTrue(std::string_view text)
{
    return text == "true" || text == "1";
}

std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

// What one cell element says, taken in one pass over its attributes.
struct CellAttributes {
    std::string_view type;
    std::string_view solution;
    std::string_view number;
    std::string_view state;
    bool pencil = false;
    bool hint = false;
    bool circle = false;
    quint32 shade = 0;
    quint8 bars = 0;
};

CellAttributes ReadAttributes(pugi::xml_node cell)
{
    CellAttributes read;
    for (pugi::xml_attribute attribute = cell.first_attribute(); attribute; attribute = attribute.next_attribute()) {
        const std::string_view name = attribute.name();
        const std::string_view value = attribute.value();
        if (name == "type")
            read.type = value;
        else if (name == "solution")
            read.solution = Trimmed(value);
        else if (name == "number")
            read.number = Trimmed(value);
        else if (name == "solve-state")
            read.state = Trimmed(value);
        else if (name == "solve-status")
            read.pencil = value == "pencil";
        else if (name == "hint")
            read.hint = IsTrue(value);
        else if (name == "background-shape")
            read.circle = value == "circle";
        else if (name == "background-color")
            read.shade = SquareMarks::ShadeFromText(Trimmed(value));
        else if (name == "top-bar" && IsTrue(value))
            read.bars |= CellStyle::BarTop;
        else if (name == "right-bar" && IsTrue(value))
            read.bars |= CellStyle::BarRight;
        else if (name == "bottom-bar" && IsTrue(value))
            read.bars |= CellStyle::BarBottom;
        else if (name == "left-bar" && IsTrue(value))
            read.bars |= CellStyle::BarLeft;
    }
    return read;
}

} // namespace

CJpzGrid::CJpzGrid(const CJpzDocument& document, PuzzleContent& content) : document_(document), content_(content) {}

bool CJpzGrid::Read(QString* error)
{
    const size_t count = size_t(content_.width) * content_.height;
    content_.cells.assign(count, PuzzleCell());
    std::vector<bool> named(count, false);
    bool clueSquare = false;
    document_.ForEachCell([&](pugi::xml_node cell, int index) {
        named[size_t(index)] = true;
        clueSquare |= !ReadCell(cell, index);
    });
    if (clueSquare) {
        *error = QStringLiteral("The puzzle has clues inside grid squares, which Gridmoor can not show.");
        return false;
    }
    for (size_t index = 0; index < count; ++index) {
        if (!named[index])
            SquareMarks::StyleAt(content_, int(index)).flags |= CellStyle::Void;
    }
    SquareMarks::MirrorBars(content_);
    content_.hasSolution = complete_;
    if (!complete_)
        SquareMarks::ForgetSolution(content_);
    return true;
}

// False for a clue square.
bool CJpzGrid::ReadCell(pugi::xml_node cell, int index)
{
    const CellAttributes read = ReadAttributes(cell);
    if (read.type == "clue")
        return false;
    if (read.type == "void") {
        SquareMarks::StyleAt(content_, index).flags |= CellStyle::Void;
        return true;
    }
    if (read.shade != 0 || read.bars != 0) {
        CellStyle& style = SquareMarks::StyleAt(content_, index);
        style.shade = read.shade;
        style.bars = read.bars;
    }
    if (read.type == "block")
        return true;
    PuzzleCell& square = content_.cells[size_t(index)];
    square.solution = kUnknownSolution;
    if (!read.number.empty())
        content_.labels.Set(index, QByteArray(read.number.data(), qsizetype(read.number.size())));
    if (read.circle)
        SquareMarks::SetCircled(content_, index);
    SetSolution(index, read.solution);
    if (read.hint && !read.solution.empty()) {
        SetEntry(index, read.solution, false);
        SquareMarks::StyleAt(content_, index).flags |= CellStyle::Given;
    } else if (!read.state.empty()) {
        SetEntry(index, read.state, read.pencil);
    }
    return true;
}

void CJpzGrid::SetSolution(int index, std::string_view letters)
{
    if (letters.empty()) {
        complete_ = false;
        return;
    }
    SquareMarks::SetLetters(letters, &content_.cells[size_t(index)].solution, content_.rebusAnswers, index);
}

void CJpzGrid::SetEntry(int index, std::string_view letters, bool pencil)
{
    SquareMarks::SetLetters(letters, &content_.cells[size_t(index)].entry, content_.rebusEntries, index);
    if (pencil)
        content_.MarkPencil(size_t(index));
}
