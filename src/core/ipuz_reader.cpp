#include "core/ipuz_reader.h"

#include "core/ipuz_clues.h"
#include "core/ipuz_grid.h"
#include "core/ipuz_json.h"
#include "core/ipuz_text.h"
#include "core/markup_text.h"
#include "core/puzzle_content.h"
#include "core/puzzle_file.h"

#include <algorithm>
#include <limits>
#include <string>

using IpuzJson::Element;
using IpuzJson::TopLevel;

namespace {

constexpr int kLargestSide = 255;
// A parser keeps the memory of the largest text it parsed; after a larger
// file than this it is replaced, so one huge file does not hold memory for
// the rest of the session.
constexpr size_t kKeptParserCapacity = 1 << 20;

constexpr char kCrosswordKind[] = "ipuz.org/crossword";

struct KindName {
    const char* path;
    const char* name;
};

constexpr KindName kOtherKinds[] = {
    {"ipuz.org/acrostic", "an acrostic"},  {"ipuz.org/answer", "an answer puzzle"},
    {"ipuz.org/block", "a block puzzle"},  {"ipuz.org/fill", "a fill-in puzzle"},
    {"ipuz.org/sudoku", "a sudoku"},       {"ipuz.org/wordsearch", "a word search"},
};

simdjson::dom::parser& Parser()
{
    static simdjson::dom::parser parser;
    if (parser.capacity() > kKeptParserCapacity)
        parser = simdjson::dom::parser();
    return parser;
}

QString Decoded(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

// The parser reads a little past the text's end, so the text is copied into
// a buffer with that room, kept from one file to the next.
bool ParsePadded(simdjson::dom::parser& parser, QByteArrayView json, Element* root)
{
    static std::string padded;
    if (padded.capacity() > kKeptParserCapacity)
        std::string().swap(padded);
    padded.assign(json.data(), size_t(json.size()));
    padded.resize(size_t(json.size()) + simdjson::SIMDJSON_PADDING, ' ');
    return parser.parse(padded.data(), size_t(json.size()), false).get(*root) == simdjson::SUCCESS;
}

// Parses the JSON of the image where it is when enough of the image's buffer
// follows it, else a copy.
bool ParseImage(simdjson::dom::parser& parser, const QByteArray& image, IpuzText::Span span, Element* root)
{
    static_assert(CPuzzleFile::kSlack >= qsizetype(simdjson::SIMDJSON_PADDING));
    const QByteArrayView json = QByteArrayView(image).sliced(span.begin, span.end - span.begin);
    if (image.capacity() - span.end < qsizetype(simdjson::SIMDJSON_PADDING))
        return ParsePadded(parser, json, root);
    return parser.parse(json.data(), size_t(json.size()), false).get(*root) == simdjson::SUCCESS;
}

// Parses the text; a text that fails is tried once more without the commas
// some tools leave before a closing bracket.
bool Parse(simdjson::dom::parser& parser, const QByteArray& image, IpuzText::Span span, Element* root)
{
    if (ParseImage(parser, image, span, root))
        return true;
    const QByteArrayView json = QByteArrayView(image).sliced(span.begin, span.end - span.begin);
    const QByteArray repaired = IpuzText::WithoutTrailingCommas(json);
    return repaired.size() != json.size() && ParsePadded(parser, repaired, root);
}

bool ContainsText(std::string_view text, const char* part)
{
    return QByteArrayView(text.data(), qsizetype(text.size())).contains(QByteArrayView(part));
}

// Whether the kinds name a crossword; otherwise what the file is, for the
// message. A file without kinds is taken for a crossword.
bool IsCrossword(const TopLevel& top, QString* error)
{
    const std::optional<Element> kinds = top[TopLevel::Kind];
    simdjson::dom::array list;
    if (!kinds || kinds->get_array().get(list) != simdjson::SUCCESS || list.size() == 0)
        return true;
    std::string_view first;
    for (Element kind : list) {
        std::string_view text;
        if (kind.get_string().get(text) != simdjson::SUCCESS)
            continue;
        if (ContainsText(text, kCrosswordKind))
            return true;
        if (first.empty())
            first = text;
    }
    QString name = QStringLiteral("a puzzle of another kind");
    for (const KindName& other : kOtherKinds) {
        if (ContainsText(first, other.path))
            name = QString::fromLatin1(other.name);
    }
    *error = QStringLiteral("This ipuz file holds %1 (%2), not a crossword. Gridmoor opens crosswords only.")
                 .arg(name, Decoded(first));
    return false;
}

bool ReadSize(const TopLevel& top, PuzzleContent& content, QString* error)
{
    const std::optional<Element> dimensions = top[TopLevel::Dimensions];
    const int64_t width = dimensions ? IpuzJson::Whole(IpuzJson::Member(*dimensions, "width"), 0) : 0;
    const int64_t height = dimensions ? IpuzJson::Whole(IpuzJson::Member(*dimensions, "height"), 0) : 0;
    if (width < 1 || height < 1 || width > kLargestSide || height > kLargestSide) {
        *error = dimensions ? QStringLiteral("The puzzle's grid is %1 × %2 squares; Gridmoor opens grids of 1 to "
                                             "255 squares a side.")
                                  .arg(width)
                                  .arg(height)
                            : QStringLiteral("The puzzle does not say the size of its grid.");
        return false;
    }
    content.width = quint8(width);
    content.height = quint8(height);
    return true;
}

QByteArray PlainMember(const TopLevel& top, TopLevel::Key key, bool oneLine)
{
    std::string_view text;
    const std::optional<Element> value = top[key];
    if (!value || value->get_string().get(text) != simdjson::SUCCESS)
        return QByteArray();
    return MarkupText::Plain(QByteArrayView(text.data(), qsizetype(text.size())), oneLine);
}

// The notes shown with the puzzle's information: publisher, date, the
// introduction and the notes, each where the file has it.
QByteArray Notes(const TopLevel& top)
{
    return MarkupText::JoinedNotes({{"Publisher: ", PlainMember(top, TopLevel::Publisher, true)},
                                    {"Editor: ", PlainMember(top, TopLevel::Editor, true)},
                                    {"Date: ", PlainMember(top, TopLevel::Date, true)},
                                    {"", PlainMember(top, TopLevel::Intro, false)},
                                    {"", PlainMember(top, TopLevel::Notes, false)}});
}

void ReadInformation(const TopLevel& top, PuzzleContent& content)
{
    content.utf8 = true;
    content.title = PlainMember(top, TopLevel::Title, true);
    content.author = PlainMember(top, TopLevel::Author, true);
    content.copyright = PlainMember(top, TopLevel::Copyright, true);
    content.notes = Notes(top);
}

// Pencil marks as [row, column] pairs; a pair outside the grid, or on a square
// without a letter, is passed over.
void ReadPencil(Element progress, PuzzleContent& content)
{
    const std::optional<Element> pencil = IpuzJson::Member(progress, "pencil");
    simdjson::dom::array pairs;
    if (!pencil || pencil->get_array().get(pairs) != simdjson::SUCCESS)
        return;
    for (const Element pair : pairs) {
        simdjson::dom::array place;
        Element first;
        Element second;
        if (pair.get_array().get(place) != simdjson::SUCCESS || place.size() != 2
            || place.at(0).get(first) != simdjson::SUCCESS || place.at(1).get(second) != simdjson::SUCCESS)
            continue;
        const int64_t row = IpuzJson::Whole(first, -1);
        const int64_t column = IpuzJson::Whole(second, -1);
        if (row < 0 || row >= content.height || column < 0 || column >= content.width)
            continue;
        const size_t index = size_t(row * content.width + column);
        if (index >= content.cells.size() || content.cells[index].entry == ' ')
            continue;
        content.MarkPencil(index);
    }
}

void ReadProgress(const TopLevel& top, PuzzleContent& content)
{
    const std::optional<Element> progress = top[TopLevel::Progress];
    if (!progress)
        return;
    const int64_t seconds = IpuzJson::Whole(IpuzJson::Member(*progress, "seconds"), 0);
    content.time.seconds = qint32(std::clamp<int64_t>(seconds, 0, std::numeric_limits<qint32>::max()));
    ReadPencil(*progress, content);
}

} // namespace

CIpuzReader::CIpuzReader(const CPuzzleFile& file) : file_(file) {}

int CIpuzReader::Read(PuzzleContent& content, QString* error)
{
    const QByteArray& image = file_.Data();
    const IpuzText::Span span = IpuzText::JsonSpan(image);
    simdjson::dom::parser& parser = Parser();
    Element root;
    if (!Parse(parser, image, span, &root)
        || !root.is_object()) {
        *error = QStringLiteral("The puzzle can not be opened: it is no valid ipuz (JSON) text.");
        return 1;
    }
    const TopLevel top(root);
    if (!IsCrossword(top, error) || !ReadSize(top, content, error))
        return 1;
    CIpuzGrid grid(top, content);
    if (!grid.ReadPuzzle(error))
        return 1;
    grid.ReadSolution();
    grid.ReadSaved();
    CIpuzClues(top, content).Read();
    ReadInformation(top, content);
    ReadProgress(top, content);
    content.CountLetters();
    return 0;
}
