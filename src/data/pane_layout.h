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
};

// The clue view keeps its height unless it would leave the grid less than the
// minimum (plus four pixels) below the client height; it is then lowered, but
// never below zero, so a tiny window cannot store a negative height.
int ClampedClueHeight(const PaneLayoutInput& input);

PaneLayout ComputePaneLayout(const PaneLayoutInput& input);

// The clue-view height after the splitter was dragged to splitterRect: the
// distance from the clue view's far edge to the bar's near edge.
int ClueHeightAfterSplitterMove(const QRect& clueRect, const QRect& splitterRect, bool clueAtTop);

// The area the floating keyboard must stay in: the grid's width and the grid
// and clue view's heights together.
QSize KeyboardBounds(const PaneLayout& layout);

// Where a keyboard that was never moved by the user goes so that it does not
// hide the puzzle: unchanged when it leaves gridDrawn free, else just below
// the drawn grid, else just above it, when it fits inside bounds there;
// otherwise unchanged.
QPoint KeyboardClearOfGrid(const QRect& keyboard, const QRect& gridDrawn, const QSize& bounds);
