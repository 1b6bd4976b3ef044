#pragma once

#include <QList>
#include <QPoint>
#include <QSize>

// The rows of one All Clues list: each row is as tall as its word-wrapped clue
// (at least one line), stacked from the top of the list's content.
class ClueListRows {
public:
    // Width of the list's frame and the gap inside it, on every side.
    static constexpr int kBorder = 2;
    // What a tap outside the area inside the border gives: it is ignored.
    static constexpr int kTapIgnored = -2;

    ClueListRows() = default;
    explicit ClueListRows(const QList<int>& heights);

    int Count() const { return int(tops_.size()) - 1; }
    int ContentHeight() const { return tops_.last(); }
    int Top(int row) const { return tops_.at(row); }
    int Height(int row) const { return tops_.at(row + 1) - tops_.at(row); }

    // The row at a height measured from the top of the content; -1 above the
    // first row and below the last.
    int RowAt(int contentY) const;

    // The row a tap at point chooses in a list client of the given size whose
    // content is scrolled by scroll pixels: kTapIgnored outside the area
    // inside the border, -1 below the last row.
    int TapRow(QSize client, QPoint point, int scroll) const;

    // Whether the rows are taller than the area inside the border of a client
    // this high, so that the list needs its scroll bar.
    bool NeedsScroll(int clientHeight) const;

    // The row a key (Up, Down, Page Up, Page Down, Home, End) moves the
    // selection to from row (-1 for none) in a client this high; a page is
    // the area inside the border. Without a selection the keys that go down
    // start at the first row, the others at the last. -1 for other keys and
    // for an empty list.
    int RowAfterKey(int key, int row, int clientHeight) const;
    // The scroll position, from scroll, that shows the whole row inside the
    // border of a client this high, or its top when it is taller.
    int ScrollToShow(int row, int scroll, int clientHeight) const;

    // The scroll bar's range for a client this high: the page is the client
    // height and the maximum leaves the last row whole inside the border at
    // the last position.
    int ScrollPage(int clientHeight) const { return clientHeight; }
    int ScrollMax() const { return ContentHeight() + 2 * kBorder; }

private:
    QList<int> tops_{0};
};
