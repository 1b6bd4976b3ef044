#include "core/puz_extras.h"

#include <QHash>
#include <QList>

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

// "RTBL" entries read " 1:HEART;12:SPADE;": a number, a colon, the answer.
QHash<int, QByteArray> ParseRebusTable(const QByteArray& data)
{
    QHash<int, QByteArray> table;
    for (const QByteArray& entry : data.split(';')) {
        const qsizetype colon = entry.indexOf(':');
        if (colon <= 0)
            continue;
        bool ok = false;
        const int key = entry.left(colon).trimmed().toInt(&ok);
        const QByteArray answer = entry.mid(colon + 1);
        if (ok && key >= 0 && !answer.isEmpty())
            table.insert(key, UpperCase(answer));
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
    const QHash<int, QByteArray> table = ParseRebusTable(content.sections.Data(kRebusTable));
    std::vector<QByteArray> answers(content.cells.size());
    bool any = false;
    for (size_t i = 0; i < answers.size(); ++i) {
        const int key = static_cast<quint8>(grid[static_cast<qsizetype>(i)]) - 1;
        const QByteArray answer = key >= 0 ? table.value(key) : QByteArray();
        if (content.cells[i].solution == ' ' || answer.size() < 2)
            continue;
        answers[i] = answer;
        any = true;
    }
    if (any)
        content.rebusAnswers = std::move(answers);
}

// The data must hold exactly one string per cell.
void ReadRebusEntries(PuzzleContent& content)
{
    const QByteArray data = content.sections.Data(kUserRebus);
    if (data.isEmpty() || !data.endsWith('\0'))
        return;
    const QList<QByteArray> strings = data.first(data.size() - 1).split('\0');
    if (static_cast<size_t>(strings.size()) != content.cells.size())
        return;
    std::vector<QByteArray> entries(content.cells.size());
    bool any = false;
    for (size_t i = 0; i < entries.size(); ++i) {
        PuzzleCell& cell = content.cells[i];
        const QByteArray entry = UpperCase(strings[static_cast<qsizetype>(i)]);
        if (cell.solution == ' ' || entry.isEmpty())
            continue;
        cell.entry = entry[0];
        if (entry.size() > 1) {
            entries[i] = entry;
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
