#include "core/ipuz_grid.h"

#include "core/ipuz_json.h"
#include "core/puzzle_content.h"
#include "core/square_marks.h"

using IpuzJson::Element;

namespace {

// The shading of a square marked only "highlight": a light grey.
constexpr quint32 kHighlightShade = 0xFFDCDCDC;
// Named styles may refer to other named styles; a loop ends here.
constexpr int kDeepestStyle = 4;

// The rows of a grid member, each cut to the width; false when the member is
// no array of at least `height` rows of at least `width` squares.
template <typename Visit>
bool ForEachSquare(std::optional<Element> grid, int width, int height, Visit visit)
{
    simdjson::dom::array rows;
    if (!grid || grid->get_array().get(rows) != simdjson::SUCCESS || int(rows.size()) < height)
        return false;
    int row = 0;
    for (Element rowElement : rows) {
        if (row >= height)
            break;
        simdjson::dom::array squares;
        if (rowElement.get_array().get(squares) != simdjson::SUCCESS || int(squares.size()) < width)
            return false;
        int column = 0;
        for (Element square : squares) {
            if (column >= width)
                break;
            visit(square, row * width + column);
            ++column;
        }
        ++row;
    }
    return true;
}

IpuzJson::Scalar LetterText(Element value, char (&buffer)[24]);

// LetterText of anything but a string.
IpuzJson::Scalar OtherLetterText(Element value, simdjson::dom::element_type type, char (&buffer)[24])
{
    if (type == simdjson::dom::element_type::OBJECT) {
        const std::optional<Element> inner = IpuzJson::Member(value, "value");
        return inner && !inner->is_object() ? LetterText(*inner, buffer) : IpuzJson::Scalar{};
    }
    if (type == simdjson::dom::element_type::ARRAY) {
        const simdjson::dom::array several = value.get_array().value_unsafe();
        for (Element first : several)
            return first.is_array() || first.is_object() ? IpuzJson::Scalar{} : LetterText(first, buffer);
        return {};
    }
    return IpuzJson::ScalarText(value, buffer);
}

// The text of a value that stands for letters: a string or number, the
// "value" of an object, the first of several. No text for null. Strings,
// by far the most, are taken first.
inline IpuzJson::Scalar LetterText(Element value, char (&buffer)[24])
{
    const simdjson::dom::element_type type = value.type();
    if (type == simdjson::dom::element_type::STRING)
        return {value.get_string().value_unsafe(), true};
    return OtherLetterText(value, type, buffer);
}

quint8 BarsFromText(std::string_view sides)
{
    quint8 bars = 0;
    for (const char side : sides) {
        switch (side) {
        case 'T': case 't': bars |= CellStyle::BarTop; break;
        case 'R': case 'r': bars |= CellStyle::BarRight; break;
        case 'B': case 'b': bars |= CellStyle::BarBottom; break;
        case 'L': case 'l': bars |= CellStyle::BarLeft; break;
        default: break;
        }
    }
    return bars;
}

} // namespace

CIpuzGrid::CIpuzGrid(const IpuzJson::TopLevel& top, PuzzleContent& content)
    : top_(top), content_(content), block_("#"), empty_("0")
{
    char buffer[24];
    if (const std::optional<Element> block = top[IpuzJson::TopLevel::Block]) {
        const IpuzJson::Scalar text = IpuzJson::ScalarText(*block, buffer);
        if (text.present)
            block_ = IpuzJson::Bytes(text.text);
    }
    if (const std::optional<Element> empty = top[IpuzJson::TopLevel::Empty]) {
        const IpuzJson::Scalar text = IpuzJson::ScalarText(*empty, buffer);
        if (text.present)
            empty_ = IpuzJson::Bytes(text.text);
    }
    content_.blockText = block_;
    blockView_ = std::string_view(block_.constData(), size_t(block_.size()));
    emptyView_ = std::string_view(empty_.constData(), size_t(empty_.size()));
    blockNumber_ = IpuzJson::WrittenNumber(blockView_);
    emptyNumber_ = IpuzJson::WrittenNumber(emptyView_);
    styles_ = top[IpuzJson::TopLevel::Styles];
}

// The same as ReadLabel with the number's text, without writing it out.
inline void CIpuzGrid::ReadNumberedSquare(int index, int64_t number)
{
    if (number == blockNumber_)
        return;
    content_.cells[size_t(index)].solution = kUnknownSolution;
    if (number != emptyNumber_)
        content_.labels.Set(index, IpuzJson::NumberBytes(number));
}

// Makes the square a letter square with the label the text gives, or leaves
// it a block (returning false) when the text is the block's.
inline bool CIpuzGrid::ReadLabel(int index, std::string_view text)
{
    if (IsBlockText(text))
        return false;
    content_.cells[size_t(index)].solution = kUnknownSolution;
    if (!IsEmptyText(text))
        content_.labels.Set(index, IpuzJson::Text(text));
    return true;
}

// A square is a block, a void square (null), or a letter square with perhaps
// a number or label, a style and a given letter. Most squares are a number or
// a short text: those are read in line.
inline void CIpuzGrid::ReadSquare(const Element& square, int index)
{
    const simdjson::dom::element_type type = square.type();
    if (type == simdjson::dom::element_type::INT64)
        ReadNumberedSquare(index, square.get_int64().value_unsafe());
    else if (type == simdjson::dom::element_type::STRING)
        ReadLabel(index, square.get_string().value_unsafe());
    else
        ReadOtherSquare(square, index);
}

void CIpuzGrid::ReadOtherSquare(const Element& square, int index)
{
    std::optional<Element> label = square;
    std::optional<Element> given;
    simdjson::dom::object fields;
    if (square.get_object().get(fields) == simdjson::SUCCESS) {
        label.reset();
        for (const auto field : fields) {
            if (field.key == "cell")
                label = field.value;
            else if (field.key == "style")
                ApplyStyle(field.value, index, 0);
            else if (field.key == "value")
                given = field.value;
        }
    }
    if (label && label->is_null()) {
        SquareMarks::StyleAt(content_, index).flags |= CellStyle::Void;
        return;
    }
    char buffer[24];
    const IpuzJson::Scalar text = label ? IpuzJson::ScalarText(*label, buffer) : IpuzJson::Scalar{};
    if (text.present && !ReadLabel(index, text.text))
        return;
    content_.cells[size_t(index)].solution = kUnknownSolution;
    const IpuzJson::Scalar letters = given ? LetterText(*given, buffer) : IpuzJson::Scalar{};
    if (letters.present && !IsEmptyText(letters.text) && !IsBlockText(letters.text))
        ApplyGiven(index, letters.text);
}

bool CIpuzGrid::ReadPuzzle(QString* error)
{
    const int width = content_.width;
    const int height = content_.height;
    content_.cells.assign(size_t(width * height), PuzzleCell());
    const bool complete = ForEachSquare(top_[IpuzJson::TopLevel::Puzzle], width, height,
                                        [this](Element square, int index) { ReadSquare(square, index); });
    if (!complete) {
        *error = QStringLiteral("The puzzle's grid is missing or has fewer squares than its size of %1 × %2 says.")
                     .arg(width)
                     .arg(height);
        return false;
    }
    SquareMarks::MirrorBars(content_);
    return true;
}

void CIpuzGrid::ApplyGiven(int index, std::string_view letters)
{
    PuzzleCell& cell = content_.cells[size_t(index)];
    SquareMarks::SetLetters(letters, &cell.entry, content_.rebusEntries, index);
    SquareMarks::SetLetters(letters, &cell.solution, content_.rebusAnswers, index);
    SquareMarks::StyleAt(content_, index).flags |= CellStyle::Given;
}

// A style is a name from "styles" or an object; an object may name another
// style to start from.
void CIpuzGrid::ApplyStyle(const Element& style, int index, int depth)
{
    std::string_view name;
    if (style.get_string().get(name) == simdjson::SUCCESS) {
        const std::optional<Element> named = styles_ ? IpuzJson::Member(*styles_, name) : std::nullopt;
        if (named && depth < kDeepestStyle)
            ApplyStyle(*named, index, depth + 1);
        return;
    }
    simdjson::dom::object fields;
    if (style.get_object().get(fields) != simdjson::SUCCESS)
        return;
    for (const auto field : fields) {
        std::string_view text;
        const bool isText = field.value.get_string().get(text) == simdjson::SUCCESS;
        bool flag = false;
        if (field.key == "named" && depth < kDeepestStyle)
            ApplyStyle(field.value, index, depth + 1);
        else if (field.key == "shapebg" && isText && text == "circle")
            SquareMarks::SetCircled(content_, index);
        else if (field.key == "barred" && isText && BarsFromText(text) != 0)
            SquareMarks::StyleAt(content_, index).bars |= BarsFromText(text);
        else if (field.key == "highlight" && field.value.get_bool().get(flag) == simdjson::SUCCESS && flag)
            SquareMarks::StyleAt(content_, index).shade = kHighlightShade;
        else if (field.key == "color" && (!isText || SquareMarks::ShadeFromText(text) != 0))
            SquareMarks::StyleAt(content_, index).shade = isText ? SquareMarks::ShadeFromText(text) : kHighlightShade;
    }
}

void CIpuzGrid::ReadSolution()
{
    bool known = true;
    const bool complete = ForEachSquare(
        top_[IpuzJson::TopLevel::Solution], content_.width, content_.height, [&](Element square, int index) {
            PuzzleCell& cell = content_.cells[size_t(index)];
            if (cell.solution == ' ' || content_.IsGiven(size_t(index)))
                return;
            char buffer[24];
            const IpuzJson::Scalar text = LetterText(square, buffer);
            if (!text.present || IsEmptyText(text.text) || IsBlockText(text.text)) {
                known = false;
                return;
            }
            SquareMarks::SetLetters(text.text, &cell.solution, content_.rebusAnswers, index);
        });
    content_.hasSolution = complete && known;
    if (content_.hasSolution)
        return;
    SquareMarks::ForgetSolution(content_);
}

void CIpuzGrid::ReadSaved()
{
    const std::optional<Element> saved = top_[IpuzJson::TopLevel::Saved];
    if (!saved || saved->is_null())
        return;
    std::vector<PuzzleCell> cells = content_.cells;
    CellTexts rebusEntries = content_.rebusEntries;
    const bool complete =
        ForEachSquare(saved, content_.width, content_.height, [&](Element square, int index) {
            PuzzleCell& cell = cells[size_t(index)];
            if (cell.solution == ' ' || content_.IsGiven(size_t(index)))
                return;
            char buffer[24];
            const IpuzJson::Scalar text = LetterText(square, buffer);
            if (!text.present || IsEmptyText(text.text) || IsBlockText(text.text))
                return;
            std::string_view letters = text.text;
            while (!letters.empty() && letters.front() == ' ')
                letters.remove_prefix(1);
            while (!letters.empty() && letters.back() == ' ')
                letters.remove_suffix(1);
            if (!letters.empty())
                SquareMarks::SetLetters(letters, &cell.entry, rebusEntries, index);
        });
    if (!complete)
        return;
    content_.cells = std::move(cells);
    content_.rebusEntries = std::move(rebusEntries);
}
