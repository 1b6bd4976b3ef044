#include "core/jpz_document.h"

#include "core/markup_text.h"

#include <charconv>
#include <cstring>

namespace {

constexpr int kLargestJpzSide = 255;

struct JpzKind {
    const char* element;
    const char* name;
};

constexpr JpzKind kOtherJpzKinds[] = {
    {"acrostic", "an acrostic"},       {"coded", "a coded crossword"},  {"sudoku", "a sudoku"},
    {"word-search", "a word search"},  {"wordsearch", "a word search"}, {"jigsaw", "a jigsaw crossword"},
    {"arrowword", "an arrowword"},     {"fill-in", "a fill-in puzzle"}, {"kakuro", "a kakuro"},
};

// Elements beside the puzzle itself, which tell nothing about its kind.
bool IsDescription(pugi::xml_node node)
{
    return CJpzDocument::IsNamed(node, "metadata") || CJpzDocument::IsNamed(node, "instructions");
}

QString KindMessage(pugi::xml_node puzzle)
{
    for (pugi::xml_node node = puzzle.first_child(); node; node = node.next_sibling()) {
        if (node.type() != pugi::node_element || IsDescription(node))
            continue;
        const std::string_view element = CJpzDocument::LocalName(node.name());
        QString name = QStringLiteral("a puzzle of another kind");
        for (const JpzKind& kind : kOtherJpzKinds) {
            if (element == kind.element)
                name = QString::fromLatin1(kind.name);
        }
        return QStringLiteral("This jpz file holds %1 (\"%2\"), not a crossword. Gridmoor opens crosswords only.")
            .arg(name, QString::fromUtf8(element.data(), qsizetype(element.size())));
    }
    return QStringLiteral("The jpz file holds no puzzle.");
}

} // namespace

bool CJpzDocument::Parse(QByteArrayView text)
{
    buffer_ = QByteArray(text.data(), text.size());
    // The text is parsed where it lies and as it is (no conversion), so names
    // keep their places in it.
    const pugi::xml_parse_result result = document_.load_buffer_inplace(
        buffer_.data(), size_t(buffer_.size()), pugi::parse_default, pugi::encoding_utf8);
    root_ = document_.document_element();
    return result && root_;
}

bool CJpzDocument::Locate(QString* error)
{
    puzzle_ = IsNamed(root_, "rectangular-puzzle") ? root_ : Child(root_, "rectangular-puzzle");
    if (!puzzle_) {
        *error = QStringLiteral("The jpz file holds no puzzle.");
        return false;
    }
    crossword_ = Child(puzzle_, "crossword");
    if (!crossword_) {
        *error = KindMessage(puzzle_);
        return false;
    }
    grid_ = Child(crossword_, "grid");
    const long long width = grid_ ? Number(View(grid_.attribute("width").value()), 0) : 0;
    const long long height = grid_ ? Number(View(grid_.attribute("height").value()), 0) : 0;
    if (width < 1 || height < 1 || width > kLargestJpzSide || height > kLargestJpzSide) {
        *error = grid_ ? QStringLiteral("The puzzle's grid is %1 × %2 squares; Gridmoor opens grids of 1 to 255 "
                                        "squares a side.")
                             .arg(width)
                             .arg(height)
                       : QStringLiteral("The puzzle has no grid.");
        return false;
    }
    width_ = int(width);
    height_ = int(height);
    return true;
}

pugi::xml_node CJpzDocument::Settings() const
{
    const pugi::xml_node beside = Child(root_, "applet-settings");
    return beside ? beside : Child(puzzle_, "applet-settings");
}

pugi::xml_node CJpzDocument::Timer() const
{
    return Child(Settings(), "timer");
}

qsizetype CJpzDocument::Offset(const char* name) const
{
    const char* begin = buffer_.constData();
    if (name < begin || name >= begin + buffer_.size())
        return -1;
    return name - begin;
}

std::string_view CJpzDocument::LocalName(const char* name)
{
    const char* colon = std::strrchr(name, ':');
    return std::string_view(colon != nullptr ? colon + 1 : name);
}

bool CJpzDocument::IsNamed(pugi::xml_node node, std::string_view localName)
{
    return LocalName(node.name()) == localName;
}

pugi::xml_node CJpzDocument::Child(pugi::xml_node node, std::string_view localName)
{
    for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling()) {
        if (child.type() == pugi::node_element && IsNamed(child, localName))
            return child;
    }
    return pugi::xml_node();
}

long long CJpzDocument::Number(std::string_view text, long long fallback)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    long long value = 0;
    const char* end = text.data() + text.size();
    if (text.empty() || std::from_chars(text.data(), end, value).ptr != end)
        return fallback;
    return value;
}

// Squares are counted from 1 in the file: x the column, y the row.
int CJpzDocument::SquareOf(pugi::xml_node cell) const
{
    long long x = 0;
    long long y = 0;
    bool hasX = false;
    bool hasY = false;
    for (pugi::xml_attribute attribute = cell.first_attribute(); attribute; attribute = attribute.next_attribute()) {
        const char* name = attribute.name();
        if (name[0] == 'x' && name[1] == '\0' && !hasX) {
            x = Number(View(attribute.value()), 0);
            hasX = true;
        } else if (name[0] == 'y' && name[1] == '\0' && !hasY) {
            y = Number(View(attribute.value()), 0);
            hasY = true;
        }
    }
    if (x < 1 || y < 1 || x > width_ || y > height_)
        return -1;
    return int((y - 1) * width_ + (x - 1));
}

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Markup nests a few levels; text nested deeper than this is left out, so a
// hostile file cannot exhaust the stack.
constexpr int kDeepestMarkup = 32;

void AppendText(pugi::xml_node node, bool oneLine, QByteArray* text, int depth)
{
    for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling()) {
        if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata)
            text->append(child.value());
        else if (child.type() != pugi::node_element)
            continue;
        else if (CJpzDocument::IsNamed(child, "br"))
            text->append(oneLine ? ' ' : '\n');
        else if (depth < kDeepestMarkup)
            AppendText(child, oneLine, text, depth + 1);
    }
}

// Blanks at either end go; inside a one-line text each run of blanks becomes
// one space, in a longer text only the layout of the file's lines goes.
QByteArray Tidied(const QByteArray& text, bool oneLine)
{
    QByteArray tidy;
    tidy.reserve(text.size());
    bool blank = false;
    for (const char c : text) {
        if (oneLine ? IsBlank(c) : (c == ' ' || c == '\t')) {
            blank = true;
            continue;
        }
        if (blank && !tidy.isEmpty() && tidy.back() != '\n' && c != '\n')
            tidy += ' ';
        blank = false;
        tidy += c;
    }
    return tidy;
}

} // namespace

// Whether Tidied would change the text.
bool NeedsTidying(std::string_view text, bool oneLine)
{
    if (text.empty())
        return false;
    if (IsBlank(text.front()) || IsBlank(text.back()))
        return true;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if ((oneLine && IsBlank(c) && c != ' ') || c == '\t' || (c == ' ' && i + 1 < text.size() && IsBlank(text[i + 1])))
            return true;
    }
    return false;
}

QByteArray CJpzDocument::Text(pugi::xml_node node, bool oneLine)
{
    // Most texts are one run of characters without markup, taken as they are.
    const pugi::xml_node only = node.first_child();
    if (only && only.type() == pugi::node_pcdata && !only.next_sibling()) {
        const std::string_view value = only.value();
        const QByteArrayView view(value.data(), qsizetype(value.size()));
        if (!NeedsTidying(value, oneLine) && !MarkupText::HasMarkup(view))
            return view.toByteArray();
    }
    QByteArray text;
    AppendText(node, oneLine, &text, 0);
    // Some files escape their markup once more, so it arrives here as text;
    // the plain text on one line is already tidy.
    if (MarkupText::HasMarkup(text)) {
        text = MarkupText::Plain(text, oneLine);
        if (oneLine)
            return text;
    }
    return Tidied(text, oneLine);
}
