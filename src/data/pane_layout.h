#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Where the frame's panes go: the clue view above or below the grid, the
// splitter bar between them when it is shown, and the grid in the rest.
struct PaneLayout {
    QRect clue;
    QRect splitter; // empty when the splitter is not shown
    QRect grid;
    int clueHeight = 0; // the clue-view height used, lowered when it did not fit
};

struct PaneLayoutInput {
    QRect client;
    int clueHeight = 0;
    bool clueAtTop = true;
    bool splitterShown = true;
    int splitterThickness = 4; // ScaleByDpi(4)
    int minimumGrid = 18;      // ScaleByDpi(18)
    int minimumClue = 0;       // the least height a clue view may be given
};

// The clue view keeps its height unless it would leave the grid less than the
// minimum (plus four pixels) below the client height; it is then lowered, but
// never below zero, so a tiny window cannot store a negative height. A height
// below minimumClue (a damaged data file) is raised to it first, so the clue
// line never vanishes where the window has room for it.
int ClampedClueHeight(const PaneLayoutInput& input);

PaneLayout ComputePaneLayout(const PaneLayoutInput& input);

// The clue-view height after the splitter was dragged to splitterRect: the
// distance from the clue view's far edge to the bar's near edge.
int ClueHeightAfterSplitterMove(const QRect& clueRect, const QRect& splitterRect, bool clueAtTop);

// The area the floating keyboard must stay in: the grid's width and the grid
// and clue view's heights together.
QSize KeyboardBounds(const PaneLayout& layout);

// What the placement of a keyboard the user never moved depends on, all in
// the frame's client coordinates.
struct UntouchedKeyboardInput {
    QSize keyboard;
    QRect gridArea;    // inside the grid view's frame
    QSize bounds;      // the area any keyboard must stay in (KeyboardBounds)
    QRect gridShown;   // the visible part of the drawn grid; empty without a puzzle
    QRect currentCell; // empty without a cursor
};

// Where a keyboard the user never moved goes. It stays inside the grid area,
// so it never covers the clue view or the splitter: centred in the free strip
// below, above, right or left of the drawn grid (the first it fits in, a small
// gap from the grid); without a puzzle at the bottom of the area; otherwise in
// the corner of the area farthest from the current cell.
QPoint UntouchedKeyboardPosition(const UntouchedKeyboardInput& input);
