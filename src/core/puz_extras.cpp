#include "core/puz_extras.h"

#include <cstring>

namespace PuzExtras {
namespace {

QByteArray UpperCase(QByteArray text)
{
    for (char& c : text)
        c = UpperCaseLetter(c);
    return text;
}

bool FitsGrid(const QByteArray& data, const PuzzleContent& content)
{
    return !data.isEmpty() && static_cast<size_t>(data.size()) == content.cells.size();
}

// A square's rebus key is its "GRBS" byte less one, so only keys up to 254
// can ever be looked up.
constexpr int kRebusKeys = 255;

// "RTBL" entries read " 1:HEART;12:SPADE;": a number, a colon, the answer.
// The answers by key; a later entry with the same key wins.
std::vector<QByteArray> ParseRebusTable(const QByteArray& data)
{
    std::vector<QByteArray> table(kRebusKeys);
    QByteArrayView rest(data);
    while (!rest.isEmpty()) {
        const qsizetype semicolon = rest.indexOf(';');
        const QByteArrayView entry = semicolon < 0 ? rest : rest.first(semicolon);
        rest = semicolon < 0 ? QByteArrayView() : rest.sliced(semicolon + 1);
        const qsizetype colon = entry.indexOf(':');
        if (colon <= 0)
            continue;
        bool ok = false;
        const int key = entry.first(colon).trimmed().toInt(&ok);
        const QByteArrayView answer = entry.sliced(colon + 1);
        if (ok && key >= 0 && key < kRebusKeys && !answer.isEmpty())
            table[static_cast<size_t>(key)] = UpperCase(answer.toByteArray());
    }
    return table;
}

void ReadMarkup(PuzzleContent& content)
{
    const QByteArray data = content.sections.Data(kMarkup);
    if (FitsGrid(data, content))
        content.markup.assign(data.cbegin(), data.cend());
}

void ReadRebusAnswers(PuzzleContent& content)
{
    const QByteArray grid = content.sections.Data(kRebusGrid);
    if (!FitsGrid(grid, content))
        return;
    const std::vector<QByteArray> table = ParseRebusTable(content.sections.Data(kRebusTable));
    std::vector<QByteArray> answers(content.cells.size());
    bool any = false;
    for (size_t i = 0; i < answers.size(); ++i) {
        const int key = static_cast<quint8>(grid[static_cast<qsizetype>(i)]) - 1;
        if (key < 0 || content.cells[i].solution == ' ')
            continue;
        const QByteArray& answer = table[static_cast<size_t>(key)];
        if (answer.size() < 2)
            continue;
        answers[i] = answer;
        any = true;
    }
    if (any)
        content.rebusAnswers = std::move(answers);
}

// The data must hold exactly one NUL-terminated string per cell. Most of
// them are empty, so only the rebus entries themselves are copied out.
void ReadRebusEntries(PuzzleContent& content)
{
    const QByteArray data = content.sections.Data(kUserRebus);
    if (data.isEmpty() || !data.endsWith('\0') || static_cast<size_t>(data.count('\0')) != content.cells.size())
        return;
    std::vector<QByteArray> entries(content.cells.size());
    bool any = false;
    const char* at = data.constData();
    for (size_t i = 0; i < entries.size(); ++i) {
        const QByteArrayView entry(at, *at == '\0' ? 0 : qsizetype(std::strlen(at)));
        at += entry.size() + 1;
        PuzzleCell& cell = content.cells[i];
        if (cell.solution == ' ' || entry.isEmpty())
            continue;
        cell.entry = UpperCaseLetter(entry[0]);
        if (entry.size() > 1) {
            entries[i] = UpperCase(entry.toByteArray());
            any = true;
        }
    }
    if (any)
        content.rebusEntries = std::move(entries);
    content.CountLetters();
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

QByteArray UserRebusData(const PuzzleContent& content)
{
    QByteArray data;
    for (size_t i = 0; i < content.cells.size(); ++i) {
        if (i < content.rebusEntries.size() && content.cells[i].solution != ' ')
            data += content.rebusEntries[i];
        data.append('\0');
    }
    return data;
}

} // namespace PuzExtras
