#include "data/clue_list_items.h"

#include "core/puzzle.h"

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
        (isAcross != 0 ? across : down).append({text, filled, clue, puzzle.GetClue(clue)->number});
    }
    ClueListItems result;
    result.acrossCount = int(across.size());
    result.items = across + down;
    return result;
}

ClueListJump JumpToClueNumber(const ClueListItems& items, bool showingAcross, int number)
{
    for (const bool across : {showingAcross, !showingAcross}) {
        const int first = across ? 0 : items.acrossCount;
        const int count = across ? items.acrossCount : items.DownCount();
        for (int row = 0; row < count; ++row) {
            if (items.items.at(first + row).number == number)
                return {across, row};
        }
    }
    return {showingAcross, -1};
}
