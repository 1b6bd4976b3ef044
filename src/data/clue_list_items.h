#pragma once

#include <QList>
#include <QString>

class CPuzzle;

// One row of the All Clues lists: the clue as "number. text", whether its word
// was filled when the list was built, and its index in the puzzle's clue table.
struct ClueListItem {
    QString text;
    bool filled = false;
    int clueIndex = -1;
};

// Every clue of the puzzle, the across clues first and then the down clues,
// each direction in the order of the clue table.
struct ClueListItems {
    QList<ClueListItem> items;
    int acrossCount = 0;

    int DownCount() const { return int(items.size()) - acrossCount; }
};

// A snapshot of the puzzle's clues and filled flags for the All Clues dialog.
ClueListItems BuildClueListItems(const CPuzzle& puzzle);
