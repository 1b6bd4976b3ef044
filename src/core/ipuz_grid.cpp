#include "core/ipuz_grid.h"

#include "core/ipuz_json.h"
#include "core/puz_extras.h"
#include "core/puzzle_content.h"

using IpuzJson::Element;

namespace {

// The shading of a square marked only "highlight": a light grey.
constexpr quint32 kHighlightShade = 0xFFDCDCDC;
constexpr quint32 kShadeSet = 0xFF000000;
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

// The text of a value that stands for letters: a string or number, the
// "value" of an object, the first of several. No text for null.
IpuzJson::Scalar LetterText(Element value, char (&buffer)[24])
{
    if (value.is_object()) {
        const std::optional<Element> inner = IpuzJson::Member(value, "value");
        return inner && !inner->is_object() ? LetterText(*inner, buffer) : IpuzJson::Scalar{};
    }
    simdjson::dom::array several;
    if (value.get_array().get(several) == simdjson::SUCCESS) {
        for (Element first : several)
            return first.is_array() || first.is_object() ? IpuzJson::Scalar{} : LetterText(first, buffer);
        return {};
    }
    return IpuzJson::ScalarText(value, buffer);
}

// The letters upper-cased: one letter is the square's letter, several are
// its whole text as well (a rebus). Most squares hold one letter, which
// needs no copy.
void SetLetters(std::string_view text, char* letter, CellTexts& several, int index)
{
    if (text.size() == 1) {
        *letter = UpperCaseLetter(text[0]);
        return;
    }
    const QByteArray upper = UpperCaseLetters(IpuzJson::Bytes(text));
    *letter = upper[0];
    several.Set(index, upper);
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

// "RRGGBB", with or without "#"; 0 for anything else.
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

} // namespace

CIpuzGrid::CIpuzGrid(const Element& root, PuzzleContent& content)
    : root_(root), content_(content), block_("#"), empty_("0")
{
    char buffer[24];
    if (const std::optional<Element> block = IpuzJson::Member(root, "block")) {
        const IpuzJson::Scalar text = IpuzJson::ScalarText(*block, buffer);
        if (text.present)
            block_ = IpuzJson::Bytes(text.text);
    }
    if (const std::optional<Element> empty = IpuzJson::Member(root, "empty")) {
        const IpuzJson::Scalar text = IpuzJson::ScalarText(*empty, buffer);
        if (text.present)
            empty_ = IpuzJson::Bytes(text.text);
    }
    content_.blockText = block_;
    styles_ = IpuzJson::Member(root, "styles");
}

bool CIpuzGrid::IsBlockText(std::string_view text) const
{
    return text.size() == size_t(block_.size()) && text == std::string_view(block_.constData(), text.size());
}

bool CIpuzGrid::IsEmptyText(std::string_view text) const
{
    return text.empty()
        || (text.size() == size_t(empty_.size()) && text == std::string_view(empty_.constData(), text.size()));
}

bool CIpuzGrid::ReadPuzzle(QString* error)
{
    const int width = content_.width;
    const int height = content_.height;
    content_.cells.assign(size_t(width * height), PuzzleCell());
    const bool complete = ForEachSquare(IpuzJson::Member(root_, "puzzle"), width, height,
                                        [this](Element square, int index) { ReadSquare(square, index); });
    if (!complete) {
        *error = QStringLiteral("The puzzle's grid is missing or has fewer squares than its size of %1 × %2 says.")
                     .arg(width)
                     .arg(height);
        return false;
    }
    MirrorBars();
    return true;
}

// A square is a block, a void square (null), or a letter square with perhaps
// a number or label, a style and a given letter.
void CIpuzGrid::ReadSquare(const Element& square, int index)
{
    PuzzleCell& cell = content_.cells[size_t(index)];
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
        StyleAt(index).flags |= CellStyle::Void;
        return;
    }
    char buffer[24];
    const IpuzJson::Scalar text = label ? IpuzJson::ScalarText(*label, buffer) : IpuzJson::Scalar{};
    if (text.present && IsBlockText(text.text))
        return;
    cell.solution = kUnknownSolution;
    if (text.present && !IsEmptyText(text.text))
        content_.labels.Set(index, IpuzJson::Bytes(text.text));
    const IpuzJson::Scalar letters = given ? LetterText(*given, buffer) : IpuzJson::Scalar{};
    if (letters.present && !IsEmptyText(letters.text) && !IsBlockText(letters.text))
        ApplyGiven(index, letters.text);
}

void CIpuzGrid::ApplyGiven(int index, std::string_view letters)
{
    const QByteArray upper = UpperCaseLetters(IpuzJson::Bytes(letters));
    PuzzleCell& cell = content_.cells[size_t(index)];
    cell.entry = upper[0];
    cell.solution = upper[0];
    if (upper.size() > 1) {
        content_.rebusEntries.Set(index, upper);
        content_.rebusAnswers.Set(index, upper);
    }
    StyleAt(index).flags |= CellStyle::Given;
}

CellStyle& CIpuzGrid::StyleAt(int index)
{
    if (content_.styles.empty())
        content_.styles.assign(content_.cells.size(), CellStyle());
    return content_.styles[size_t(index)];
}

void CIpuzGrid::SetCircled(int index)
{
    if (content_.markup.empty())
        content_.markup.assign(content_.cells.size(), 0);
    content_.markup[size_t(index)] |= PuzExtras::kCircled;
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
            SetCircled(index);
        else if (field.key == "barred" && isText && BarsFromText(text) != 0)
            StyleAt(index).bars |= BarsFromText(text);
        else if (field.key == "highlight" && field.value.get_bool().get(flag) == simdjson::SUCCESS && flag)
            StyleAt(index).shade = kHighlightShade;
        else if (field.key == "color" && (!isText || ShadeFromText(text) != 0))
            StyleAt(index).shade = isText ? ShadeFromText(text) : kHighlightShade;
    }
}

// A bar between two squares belongs to both, whichever of them the file put
// it on; a bar on the grid's edge or beside a void square ends nothing and
// is drawn all the same.
void CIpuzGrid::MirrorBars()
{
    if (content_.styles.empty())
        return;
    const int width = content_.width;
    const int count = int(content_.cells.size());
    for (int i = 0; i < count; ++i) {
        const quint8 bars = content_.styles[size_t(i)].bars;
        const int column = i % width;
        if ((bars & CellStyle::BarRight) && column + 1 < width)
            content_.styles[size_t(i + 1)].bars |= CellStyle::BarLeft;
        if ((bars & CellStyle::BarLeft) && column > 0)
            content_.styles[size_t(i - 1)].bars |= CellStyle::BarRight;
        if ((bars & CellStyle::BarBottom) && i + width < count)
            content_.styles[size_t(i + width)].bars |= CellStyle::BarTop;
        if ((bars & CellStyle::BarTop) && i >= width)
            content_.styles[size_t(i - width)].bars |= CellStyle::BarBottom;
    }
}

void CIpuzGrid::ReadSolution()
{
    bool known = true;
    const bool complete = ForEachSquare(
        IpuzJson::Member(root_, "solution"), content_.width, content_.height, [&](Element square, int index) {
            PuzzleCell& cell = content_.cells[size_t(index)];
            if (cell.solution == ' ' || (!content_.styles.empty() && content_.styles[size_t(index)].IsGiven()))
                return;
            char buffer[24];
            const IpuzJson::Scalar text = LetterText(square, buffer);
            if (!text.present || IsEmptyText(text.text) || IsBlockText(text.text)) {
                known = false;
                return;
            }
            SetLetters(text.text, &cell.solution, content_.rebusAnswers, index);
        });
    content_.hasSolution = complete && known;
    if (content_.hasSolution)
        return;
    // Letters of a partial solution cannot be trusted to check with.
    for (size_t i = 0; i < content_.cells.size(); ++i) {
        PuzzleCell& cell = content_.cells[i];
        const bool given = !content_.styles.empty() && content_.styles[i].IsGiven();
        if (cell.solution != ' ' && !given) {
            cell.solution = kUnknownSolution;
            content_.rebusAnswers.Set(qint32(i), QByteArray());
        }
    }
}

void CIpuzGrid::ReadSaved()
{
    const std::optional<Element> saved = IpuzJson::Member(root_, "saved");
    if (!saved || saved->is_null())
        return;
    std::vector<PuzzleCell> cells = content_.cells;
    CellTexts rebusEntries = content_.rebusEntries;
    const bool complete =
        ForEachSquare(saved, content_.width, content_.height, [&](Element square, int index) {
            PuzzleCell& cell = cells[size_t(index)];
            if (cell.solution == ' ' || (!content_.styles.empty() && content_.styles[size_t(index)].IsGiven()))
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
                SetLetters(letters, &cell.entry, rebusEntries, index);
        });
    if (!complete)
        return;
    content_.cells = std::move(cells);
    content_.rebusEntries = std::move(rebusEntries);
}
