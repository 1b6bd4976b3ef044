#include "core/puz_extras.h"

#include <array>
#include <cstring>

namespace PuzExtras {
namespace {

bool FitsGrid(QByteArrayView data, const PuzzleContent& content)
{
    return !data.isEmpty() && static_cast<size_t>(data.size()) == content.cells.size();
}

// A square's rebus key is its "GRBS" byte less one, so only keys up to 254
// can ever be looked up.
constexpr int kRebusKeys = 255;

// The answers of "RTBL" by key. A table holds a few keys, so the answers
// sit in a short list and each key gives its place there.
class RebusTable {
public:
    RebusTable() { places_.fill(-1); }

    void Set(int key, const QByteArray& answer)
    {
        if (places_[size_t(key)] < 0) {
            places_[size_t(key)] = qint16(answers_.size());
            answers_.push_back(answer);
        } else {
            answers_[size_t(places_[size_t(key)])] = answer;
        }
    }
    // The answer of the key; a null text when the table has none.
    const QByteArray& At(int key) const
    {
        static const QByteArray none;
        return places_[size_t(key)] < 0 ? none : answers_[size_t(places_[size_t(key)])];
    }

private:
    std::array<qint16, kRebusKeys> places_;
    std::vector<QByteArray> answers_;
};

// The key before an answer's colon: a decimal number, with blanks around it
// and an optional sign; -1 when it is none or no key a square can have.
int RebusKey(QByteArrayView text)
{
    text = text.trimmed();
    const bool negative = text.startsWith('-');
    if (negative || text.startsWith('+'))
        text = text.sliced(1);
    if (text.isEmpty())
        return -1;
    int key = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return -1;
        key = key * 10 + (c - '0');
        if (key >= kRebusKeys)
            return -1;
    }
    return negative && key != 0 ? -1 : key;
}

// "RTBL" entries read " 1:HEART;12:SPADE;": a number, a colon, the answer.
// A later entry with the same key wins.
RebusTable ParseRebusTable(QByteArrayView data)
{
    RebusTable table;
    QByteArrayView rest(data);
    while (!rest.isEmpty()) {
        const qsizetype semicolon = rest.indexOf(';');
        const QByteArrayView entry = semicolon < 0 ? rest : rest.first(semicolon);
        rest = semicolon < 0 ? QByteArrayView() : rest.sliced(semicolon + 1);
        const qsizetype colon = entry.indexOf(':');
        if (colon <= 0)
            continue;
        const int key = RebusKey(entry.first(colon));
        const QByteArrayView answer = entry.sliced(colon + 1);
        if (key >= 0 && !answer.isEmpty())
            table.Set(key, UpperCaseLetters(answer.toByteArray()));
    }
    return table;
}

void ReadMarkup(PuzzleContent& content)
{
    const QByteArrayView data = content.sections.Data(kMarkup);
    if (!FitsGrid(data, content))
        return;
    content.markup.resize(size_t(data.size()));
    std::memcpy(content.markup.data(), data.data(), size_t(data.size()));
}

// Only a square that holds a letter can hold it in pencil.
void ReadPencil(PuzzleContent& content)
{
    if (content.markup.empty())
        return;
    for (size_t i = 0; i < content.cells.size(); ++i) {
        if ((content.markup[i] & kPencil) == 0 || content.cells[i].entry == ' ')
            continue;
        content.MarkPencil(i);
    }
}

void ReadRebusAnswers(PuzzleContent& content)
{
    const QByteArrayView grid = content.sections.Data(kRebusGrid);
    if (!FitsGrid(grid, content))
        return;
    const RebusTable table = ParseRebusTable(content.sections.Data(kRebusTable));
    for (size_t i = 0; i < content.cells.size(); ++i) {
        const int key = static_cast<quint8>(grid[static_cast<qsizetype>(i)]) - 1;
        if (key < 0 || content.cells[i].solution == ' ')
            continue;
        const QByteArray& answer = table.At(key);
        if (answer.size() >= 2)
            content.rebusAnswers.Set(qint32(i), answer);
    }
}

// The data must hold exactly one NUL-terminated string per cell. Most of
// them are empty, so only the rebus entries themselves are copied out.
void ReadRebusEntries(PuzzleContent& content)
{
    const QByteArrayView data = content.sections.Data(kUserRebus);
    if (data.isEmpty() || !data.endsWith('\0') || static_cast<size_t>(data.count('\0')) != content.cells.size())
        return;
    const char* at = data.constData();
    for (size_t i = 0; i < content.cells.size(); ++i) {
        const QByteArrayView entry(at, *at == '\0' ? 0 : qsizetype(std::strlen(at)));
        at += entry.size() + 1;
        PuzzleCell& cell = content.cells[i];
        if (cell.solution == ' ' || entry.isEmpty())
            continue;
        const char letter = UpperCaseLetter(entry[0]);
        content.filledCount += int(letter != ' ') - int(cell.entry != ' ');
        cell.entry = letter;
        if (entry.size() > 1)
            content.rebusEntries.Set(qint32(i), UpperCaseLetters(entry.toByteArray()));
    }
}

void ReadTime(PuzzleContent& content)
{
    if (!content.sections.Contains(kTimer))
        return;
    const std::optional<SolvingTime> time = ParseTime(content.sections.Data(kTimer));
    if (!time)
        return;
    content.time = *time;
    content.storedTime = *time;
    content.hasStoredTime = true;
}

} // namespace

void Read(PuzzleContent& content)
{
    ReadMarkup(content);
    ReadRebusAnswers(content);
    ReadRebusEntries(content);
    ReadPencil(content);
    ReadTime(content);
}

std::optional<SolvingTime> ParseTime(QByteArrayView data)
{
    const qsizetype comma = data.indexOf(',');
    if (comma <= 0)
        return std::nullopt;
    bool secondsOk = false;
    bool stateOk = false;
    const int seconds = data.first(comma).toInt(&secondsOk);
    const int state = data.sliced(comma + 1).toInt(&stateOk);
    if (!secondsOk || !stateOk || seconds < 0)
        return std::nullopt;
    return SolvingTime{seconds, state == 1};
}

QByteArray TimeData(const SolvingTime& time)
{
    return QByteArray::number(time.seconds) + ',' + (time.stopped ? '1' : '0');
}

QByteArray MarkupData(const PuzzleContent& content)
{
    QByteArray data(qsizetype(content.cells.size()), '\0');
    if (content.markup.size() == content.cells.size())
        std::memcpy(data.data(), content.markup.data(), content.markup.size());
    for (size_t i = 0; i < content.cells.size(); ++i) {
        const bool pencil = content.IsPencil(i) && content.cells[i].solution != ' ';
        char& flags = data[qsizetype(i)];
        flags = char(pencil ? quint8(flags) | kPencil : quint8(flags) & ~kPencil);
    }
    return data;
}

QByteArray UserRebusData(const PuzzleContent& content)
{
    const auto cellCount = qsizetype(content.cells.size());
    QByteArray data;
    qsizetype next = 0; // the first square whose NUL is not written yet
    for (const auto& [cell, entry] : content.rebusEntries) {
        if (cell >= cellCount || content.cells[size_t(cell)].solution == ' ')
            continue;
        data.append(cell - next, '\0');
        data += entry;
        next = cell;
    }
    data.append(cellCount - next, '\0');
    return data;
}

} // namespace PuzExtras
