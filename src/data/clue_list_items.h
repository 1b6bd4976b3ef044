#pragma once

#include <QList>
#include <QString>

class CPuzzle;
struct ClueList;

// One row of the All Clues lists: the clue as "number. text", whether its word
// was filled when the list was built, its index in the puzzle's clue table
// and its number. A clue of a list beyond across and down has no index (-1)
// and keeps the squares it names instead, in its own order.
struct ClueListItem {
    QString text;
    bool filled = false;
    int clueIndex = -1;
    int number = 0;
    QList<int> squares;
};

// One list of All Clues: its title and where its rows lie among the items.
struct ClueListSection {
    QString title;
    int first = 0;
    int count = 0;
};

// Every clue of the puzzle: the across clues first, then the down clues,
// each direction in the order of the clue table, then the clues of each
// further list that names its squares, in the file's order.
struct ClueListItems {
    QList<ClueListItem> items;
    int acrossCount = 0;
    // Across, Down, then one section per further list.
    QList<ClueListSection> sections;

    // The section's rows; none for a section that does not exist.
    ClueListSection Section(int section) const
    {
        return section >= 0 && section < sections.size() ? sections.at(section) : ClueListSection();
    }
    int DownCount() const { return Section(1).count; }
};

// Where typing a clue's number takes the All Clues lists: the row of the clue
// with that number in the shown section, else in the first other section
// that has it; row -1 when no clue has the number.
struct ClueListJump {
    int section = 0;
    int row = -1;
};
ClueListJump JumpToClueNumber(const ClueListItems& items, int shownSection, int number);

// A snapshot of the puzzle's clues and filled flags for the All Clues dialog.
ClueListItems BuildClueListItems(const CPuzzle& puzzle);

// A further list's title as it is shown and printed: the file's, or "Other"
// for a list without one.
QString OtherListTitle(const CPuzzle& puzzle, const ClueList& list);
