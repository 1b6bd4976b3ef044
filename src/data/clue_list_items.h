#pragma once

#include <QList>
#include <QString>

class CPuzzle;

// One row of the All Clues lists: the clue as "number. text", whether its word
// was filled when the list was built, its index in the puzzle's clue table
// and its number.
struct ClueListItem {
    QString text;
    bool filled = false;
    int clueIndex = -1;
    int number = 0;
};

// Every clue of the puzzle, the across clues first and then the down clues,
// each direction in the order of the clue table.
struct ClueListItems {
    QList<ClueListItem> items;
    int acrossCount = 0;

    int DownCount() const { return int(items.size()) - acrossCount; }
};

// Where typing a clue's number takes the All Clues lists: the row of the clue
// with that number in the shown list, else in the other one; row -1 when no
// clue has the number.
struct ClueListJump {
    bool across = true;
    int row = -1;
};
ClueListJump JumpToClueNumber(const ClueListItems& items, bool showingAcross, int number);

// A snapshot of the puzzle's clues and filled flags for the All Clues dialog.
ClueListItems BuildClueListItems(const CPuzzle& puzzle);
