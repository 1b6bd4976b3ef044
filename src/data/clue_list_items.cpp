#include "data/clue_list_items.h"

#include "core/puzzle.h"

#include <algorithm>

namespace {

// A further list's clue as "label. text" (the text alone without a label),
// filled when every square it names holds a letter.
ClueListItem OtherListItem(const CPuzzle& puzzle, const ClueList& list, size_t clue)
{
    ClueListItem item;
    const QByteArray label = list.LabelOf(clue);
    const QString text = puzzle.WidenText(list.clues[clue].text);
    item.text = label.isEmpty() ? text : puzzle.WidenText(label) + QStringLiteral(". ") + text;
    item.number = list.clues[clue].number;
    for (const qint32 square : list.SquaresOf(clue))
        item.squares.append(square);
    item.filled = !item.squares.isEmpty() && std::all_of(item.squares.begin(), item.squares.end(), [&](int square) {
        return puzzle.GetCell(square).entry != ' ';
    });
    return item;
}

void AppendOtherLists(const CPuzzle& puzzle, ClueListItems& result)
{
    for (const ClueList& list : puzzle.GetOtherLists()) {
        if (!list.NamesSquares())
            continue;
        const int first = int(result.items.size());
        for (size_t clue = 0; clue < list.clues.size(); ++clue)
            result.items.append(OtherListItem(puzzle, list, clue));
        result.sections.append({OtherListTitle(puzzle, list), first, int(result.items.size()) - first});
    }
}

} // namespace

// Each clue goes to the list of its own direction, so a clue table whose
// directions disagree with its across and down counts still lists every clue once.
ClueListItems BuildClueListItems(const CPuzzle& puzzle)
{
    QList<ClueListItem> across;
    QList<ClueListItem> down;
    const int count = puzzle.GetAcrossCount() + puzzle.GetDownCount();
    for (int clue = 0; clue < count; ++clue) {
        if (puzzle.GetClue(clue) == nullptr)
            continue;
        bool filled = false;
        quint8 isAcross = 0;
        const QString text = puzzle.FormatClue(clue, &filled, &isAcross);
        (isAcross != 0 ? across : down).append({text, filled, clue, puzzle.GetClue(clue)->number, {}});
    }
    ClueListItems result;
    result.acrossCount = int(across.size());
    result.items = across + down;
    result.sections = {{QStringLiteral("Across"), 0, result.acrossCount},
                       {QStringLiteral("Down"), result.acrossCount, int(down.size())}};
    AppendOtherLists(puzzle, result);
    return result;
}

QString OtherListTitle(const CPuzzle& puzzle, const ClueList& list)
{
    const QString title = puzzle.WidenText(list.title).trimmed();
    return title.isEmpty() ? QStringLiteral("Other") : title;
}

ClueListJump JumpToClueNumber(const ClueListItems& items, int shownSection, int number)
{
    const int sectionCount = int(items.sections.size());
    for (int step = 0; step < sectionCount; ++step) {
        const int section = step == 0 ? shownSection : (step <= shownSection ? step - 1 : step);
        const ClueListSection rows = items.Section(section);
        for (int row = 0; row < rows.count; ++row) {
            if (items.items.at(rows.first + row).number == number)
                return {section, row};
        }
    }
    return {shownSection, -1};
}
