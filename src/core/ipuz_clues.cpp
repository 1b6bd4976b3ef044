#include "core/ipuz_clues.h"

#include "core/ipuz_json.h"
#include "core/markup_text.h"
#include "core/puzzle_content.h"

using IpuzJson::Element;

namespace {

// "Across", "Down" or anything else before the colon of "Across:Title".
std::string_view DirectionName(std::string_view key)
{
    const size_t colon = key.find(':');
    return colon == std::string_view::npos ? key : key.substr(0, colon);
}

bool SameWord(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && QByteArrayView(a.data(), qsizetype(a.size())).compare(
                                       QByteArrayView(b.data(), qsizetype(b.size())), Qt::CaseInsensitive) == 0;
}

// A whole decimal number below the limit, or -1.
qint32 DecimalBelow(std::string_view text, qint32 limit)
{
    if (text.empty() || text.size() > 9)
        return -1;
    qint32 value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return -1;
        value = value * 10 + (c - '0');
    }
    return value < limit ? value : -1;
}

// A number's text: a string or number, the first of several; blanks around
// it dropped. No text for anything else.
IpuzJson::Scalar NumberText(Element number, char (&buffer)[24])
{
    // Nearly every clue's number is a JSON number, written without blanks.
    if (number.type() == simdjson::dom::element_type::INT64)
        return IpuzJson::ScalarText(number, buffer);
    simdjson::dom::array parts;
    if (number.get_array().get(parts) == simdjson::SUCCESS) {
        for (Element first : parts)
            return first.is_array() ? IpuzJson::Scalar{} : NumberText(first, buffer);
        return {};
    }
    IpuzJson::Scalar text = IpuzJson::ScalarText(number, buffer);
    while (!text.text.empty() && text.text.front() == ' ')
        text.text.remove_prefix(1);
    while (!text.text.empty() && text.text.back() == ' ')
        text.text.remove_suffix(1);
    return text;
}

// The text of an enumeration; a null array when there is none.
QByteArray EnumerationText(Element enumeration)
{
    char buffer[24];
    const IpuzJson::Scalar text = NumberText(enumeration, buffer);
    return text.present ? IpuzJson::Text(text.text) : QByteArray();
}

size_t ListSize(const std::optional<Element>& list)
{
    simdjson::dom::array clues;
    return list && list->get_array().get(clues) == simdjson::SUCCESS ? clues.size() : 0;
}

// Calls visit(cell, square) for each letter square a clue's "cells" names:
// [[column, row], ...], counted from the origin; squares outside the grid or
// not for letters are skipped.
template <typename Visit>
void ForEachNamedSquare(const Element& cells, PuzzleContent& content, int origin, Visit visit)
{
    simdjson::dom::array list;
    if (cells.get_array().get(list) != simdjson::SUCCESS)
        return;
    for (Element position : list) {
        simdjson::dom::array xy;
        if (position.get_array().get(xy) != simdjson::SUCCESS || xy.size() != 2)
            continue;
        const int64_t column = IpuzJson::Whole(xy.at(0).value_unsafe(), -1) - origin;
        const int64_t row = IpuzJson::Whole(xy.at(1).value_unsafe(), -1) - origin;
        if (column < 0 || row < 0 || column >= content.width || row >= content.height)
            continue;
        const qint32 square = qint32(row * content.width + column);
        PuzzleCell& cell = content.cells[size_t(square)];
        if (cell.solution != ' ')
            visit(cell, square);
    }
}

// The digits a number such as "5/12" or "5, 12" begins with: a clue that
// runs on in other words is written at the first; empty when the whole text
// is digits, which was looked up already.
std::string_view LeadingDigits(std::string_view number)
{
    size_t digits = 0;
    while (digits < number.size() && number[digits] >= '0' && number[digits] <= '9')
        ++digits;
    return digits < number.size() ? number.substr(0, digits) : std::string_view();
}

// The format counts cell positions from 1, but some tools write them from 0.
// Whichever origin puts more of the positions every list names on letter
// squares is the file's; a tie keeps the format's 1. A file counted from 0
// names the first row and column, which counted from 1 lie outside the grid.
int FindCellOrigin(const simdjson::dom::object& lists, PuzzleContent& content)
{
    int hits[2] = {0, 0};
    for (const auto list : lists) {
        simdjson::dom::array clues;
        if (list.value.get_array().get(clues) != simdjson::SUCCESS)
            continue;
        for (Element clue : clues) {
            const std::optional<Element> cells = IpuzJson::Member(clue, "cells");
            for (int origin = 0; cells && origin < 2; ++origin)
                ForEachNamedSquare(*cells, content, origin, [&](PuzzleCell&, qint32) { ++hits[origin]; });
        }
    }
    return hits[0] > hits[1] ? 0 : 1;
}

} // namespace

CIpuzClues::CIpuzClues(const IpuzJson::TopLevel& top, PuzzleContent& content) : top_(top), content_(content)
{
    bool show = false;
    if (const std::optional<Element> flag = top[IpuzJson::TopLevel::ShowEnumerations])
        showEnumerations_ = flag->get_bool().get(show) == simdjson::SUCCESS && show;
}

void CIpuzClues::Read()
{
    IndexRuns();
    const std::optional<Element> clues = top_[IpuzJson::TopLevel::Clues];
    simdjson::dom::object lists;
    if (!clues || clues->get_object().get(lists) != simdjson::SUCCESS)
        return;
    lists_ = lists;
    std::optional<Element> across;
    std::optional<Element> down;
    for (const auto field : lists) {
        const std::string_view direction = DirectionName(field.key);
        if (SameWord(direction, "across") && !across)
            across = field.value;
        else if (SameWord(direction, "down") && !down)
            down = field.value;
        else
            ReadOtherList(field.value, field.key);
    }
    content_.clues.reserve(ListSize(across) + ListSize(down));
    if (across)
        ReadList(*across, true);
    content_.acrossCount = qint32(content_.clues.size());
    if (down)
        ReadList(*down, false);
    content_.downCount = qint32(content_.clues.size()) - content_.acrossCount;
}

void CIpuzClues::IndexRuns()
{
    runs_ = WordRuns::Find(content_);
    const size_t count = content_.cells.size();
    acrossRunAt_.assign(count, -1);
    downRunAt_.assign(count, -1);
    for (size_t k = 0; k < runs_.size(); ++k)
        (runs_[k].across ? acrossRunAt_ : downRunAt_)[size_t(runs_[k].start)] = qint32(k);
    fileNumbers_ = !content_.labels.IsEmpty();
    squareOfNumber_.assign(count + 1, -1);
    if (fileNumbers_) {
        for (const CellTexts::Item& label : content_.labels) {
            const qint32 number = DecimalBelow(std::string_view(label.second.constData(), size_t(label.second.size())),
                                                qint32(count + 1));
            if (number >= 0 && squareOfNumber_[size_t(number)] < 0)
                squareOfNumber_[size_t(number)] = label.first;
        }
        return;
    }
    usualNumbers_ = WordRuns::UsualNumbers(content_, runs_);
    for (size_t square = 0; square < count; ++square) {
        if (usualNumbers_[square] > 0)
            squareOfNumber_[size_t(usualNumbers_[square])] = qint32(square);
    }
}

// The run in that direction that starts on the square carrying the number;
// -1 when there is none.
int CIpuzClues::RunStartingAt(std::string_view number, bool across) const
{
    const std::vector<qint32>& runAt = across ? acrossRunAt_ : downRunAt_;
    const qint32 decimal = DecimalBelow(number, qint32(squareOfNumber_.size()));
    if (decimal >= 0) {
        const qint32 square = squareOfNumber_[size_t(decimal)];
        return square < 0 ? -1 : runAt[size_t(square)];
    }
    if (!fileNumbers_)
        return -1;
    for (const CellTexts::Item& label : content_.labels) {
        if (label.second == QByteArrayView(number.data(), qsizetype(number.size())))
            return runAt[size_t(label.first)];
    }
    return -1;
}

void CIpuzClues::ReadList(const Element& list, bool across)
{
    simdjson::dom::array clues;
    if (list.get_array().get(clues) != simdjson::SUCCESS)
        return;
    for (Element clue : clues) {
        Parts parts;
        PuzzleClue record = ReadClue(clue, &parts);
        record.isAcross = across ? 1 : 0;
        const qint32 index = qint32(content_.clues.size());
        BindClue(parts, across, index, record);
        content_.clues.push_back(std::move(record));
    }
}

void CIpuzClues::ReadOtherList(const Element& list, std::string_view name)
{
    simdjson::dom::array clues;
    if (list.get_array().get(clues) != simdjson::SUCCESS)
        return;
    const size_t colon = name.find(':');
    ClueList kept;
    const std::string_view title = colon == std::string_view::npos ? name : name.substr(colon + 1);
    kept.title = MarkupText::Plain(QByteArrayView(title.data(), qsizetype(title.size())), true);
    for (Element clue : clues) {
        Parts parts;
        PuzzleClue record = ReadClue(clue, &parts);
        std::vector<qint32> named;
        if (parts.cells)
            ForEachNamedSquare(*parts.cells, content_, CellOrigin(),
                               [&](PuzzleCell&, qint32 square) { named.push_back(square); });
        const std::string_view number = parts.number.text;
        kept.Add(std::move(record), QByteArray(number.data(), qsizetype(number.size())), std::move(named));
    }
    content_.otherLists.push_back(std::move(kept));
}

// Clue texts without markup, nearly all of them, share blocks of storage.
QByteArray CIpuzClues::ClueText(std::optional<Element> text)
{
    std::string_view view;
    if (!text || text->get_string().get(view) != simdjson::SUCCESS)
        return QByteArray("");
    const QByteArrayView bytes(view.data(), qsizetype(view.size()));
    return MarkupText::HasMarkup(bytes) ? MarkupText::Plain(bytes, true) : texts_.Add(bytes);
}

PuzzleClue CIpuzClues::ReadClue(const Element& clue, Parts* parts)
{
    PuzzleClue record;
    simdjson::dom::array pair;
    if (clue.is_string()) {
        record.text = ClueText(clue);
    } else if (clue.get_array().get(pair) == simdjson::SUCCESS) {
        int k = 0;
        for (Element part : pair) {
            if (k == 0)
                parts->number.text = NumberText(part, parts->number.buffer).text;
            else if (k == 1)
                record.text = ClueText(part);
            ++k;
        }
    } else if (simdjson::dom::object fields; clue.get_object().get(fields) == simdjson::SUCCESS) {
        for (const auto field : fields) {
            if (field.key == "number")
                parts->number.text = NumberText(field.value, parts->number.buffer).text;
            else if (field.key == "clue")
                record.text = ClueText(field.value);
            else if (field.key == "enumeration")
                record.enumeration = EnumerationText(field.value);
            else if (field.key == "cells" && !parts->cells)
                parts->cells = field.value;
        }
    }
    if (record.text.isNull())
        record.text = QByteArray("");
    const std::string_view number = parts->number.text;
    record.number = LeadingClueNumber(QByteArrayView(number.data(), qsizetype(number.size())));
    if (showEnumerations_ && !record.enumeration.isEmpty())
        record.text += " (" + record.enumeration + ")";
    return record;
}

// A clue that names its cells gets those; else the word its number starts,
// or for a clue without a number the next word in that direction.
void CIpuzClues::BindClue(const Parts& parts, bool across, qint32 index, PuzzleClue& record)
{
    if (parts.cells && BindCells(*parts.cells, across, index))
        return;
    int run = -1;
    if (!parts.number.text.empty()) {
        run = RunStartingAt(parts.number.text, across);
        if (const std::string_view first = LeadingDigits(parts.number.text); run < 0 && !first.empty())
            run = RunStartingAt(first, across);
    } else {
        size_t& next = nextRun_[across ? 0 : 1];
        while (next < runs_.size() && runs_[next].across != across)
            ++next;
        if (next < runs_.size())
            run = int(next++);
        if (run >= 0) {
            const qint32 start = runs_[size_t(run)].start;
            record.number = fileNumbers_ ? LeadingClueNumber(content_.labels.At(start)) : usualNumbers_[size_t(start)];
        }
    }
    if (run >= 0)
        WordRuns::Bind(content_, runs_[size_t(run)], index);
}

// Binds the squares a clue's "cells" names to the clue; false when none was.
bool CIpuzClues::BindCells(const Element& cells, bool across, qint32 index)
{
    bool bound = false;
    ForEachNamedSquare(cells, content_, CellOrigin(), [&](PuzzleCell& cell, qint32) {
        cell.WordOf(across) = index;
        bound = true;
    });
    return bound;
}

// Found once, on the first clue that names its cells: most files name none.
int CIpuzClues::CellOrigin()
{
    if (cellOrigin_ < 0)
        cellOrigin_ = FindCellOrigin(lists_, content_);
    return cellOrigin_;
}
