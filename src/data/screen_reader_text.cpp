#include "data/screen_reader_text.h"

#include "core/puzzle.h"
#include "core/puzzle_words.h"
#include "data/clue_list_items.h"
#include "data/keyboard_layout.h"

#include <QStringList>

namespace ScreenReaderText {

namespace {

// The letters in a square, or "blank" for an empty one.
QString LettersOf(const CPuzzle& puzzle, int cell)
{
    const QString letters = puzzle.GetEntryText(cell).trimmed();
    return letters.isEmpty() ? QStringLiteral("blank") : letters;
}

} // namespace

QString SquareName(const CPuzzle& puzzle, int cell, bool showWrong)
{
    const CellStyle style = puzzle.GetCellStyle(cell);
    if (style.IsVoid())
        return QStringLiteral("no square");
    if (puzzle.GetCell(cell).solution == ' ')
        return QStringLiteral("black square");
    const QString letters = puzzle.GetEntryText(cell).trimmed();
    const bool filled = !letters.isEmpty();
    QStringList parts{filled ? letters : QStringLiteral("blank")};
    if (filled && puzzle.IsPencil(cell))
        parts << QStringLiteral("pencil");
    if (filled && showWrong && !puzzle.IsEntryCorrect(cell))
        parts << QStringLiteral("wrong");
    const QString label = puzzle.GetCellLabel(cell);
    if (!label.isEmpty())
        parts << label;
    if (puzzle.IsCircled(cell))
        parts << QStringLiteral("circled");
    if (style.HasShade())
        parts << QStringLiteral("shaded");
    if (style.IsGiven())
        parts << QStringLiteral("given");
    return parts.join(QStringLiteral(", "));
}

QString WordDescription(const CPuzzle& puzzle, int clue)
{
    const PuzzleClue* record = puzzle.GetClue(clue);
    if (record == nullptr)
        return {};
    const std::vector<int> cells = WordCells(puzzle, clue);
    QStringList letters;
    for (const int cell : cells)
        letters << LettersOf(puzzle, cell);
    const QString count = cells.size() == 1 ? QStringLiteral("1 letter")
                                            : QStringLiteral("%1 letters").arg(cells.size());
    return QStringLiteral("%1 %2, %3, %4: %5")
        .arg(QString::number(record->number), record->isAcross != 0 ? QStringLiteral("Across") : QStringLiteral("Down"),
             puzzle.WidenText(record->text), count, letters.join(QStringLiteral(", ")));
}

int WordOfSquare(const CPuzzle& puzzle, int cell)
{
    const PuzzleCell& square = puzzle.GetCell(cell);
    const int along = square.WordOf(puzzle.IsAcross());
    return along >= 0 ? along : (puzzle.IsAcross() ? square.downClue : square.acrossClue);
}

QString ClueRowName(const ClueListItem& item)
{
    return item.filled ? item.text + QStringLiteral(", solved") : item.text;
}

QString KeyboardKeyName(char key)
{
    switch (key) {
    case KeyboardLayout::kBackspaceChar:
        return QStringLiteral("Backspace");
    case KeyboardLayout::kSwitchSizeChar:
        return QStringLiteral("Change keyboard size");
    case KeyboardLayout::kHideChar:
        return QStringLiteral("Hide keyboard");
    default:
        return QString(QLatin1Char(key));
    }
}

QString ColorText(quint32 colorRef)
{
    return QStringLiteral("red %1, green %2, blue %3")
        .arg(colorRef & 0xFF)
        .arg((colorRef >> 8) & 0xFF)
        .arg((colorRef >> 16) & 0xFF);
}

QString NameFromLabel(const QString& label)
{
    QString name = label;
    name.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    name.remove(QLatin1Char('&'));
    name.replace(QStringLiteral("\x01"), QStringLiteral("&"));
    name = name.trimmed();
    if (name.endsWith(QLatin1Char(':')))
        name.chop(1);
    return name.trimmed();
}

} // namespace ScreenReaderText
