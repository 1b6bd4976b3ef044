#include "data/pane_layout.h"

#include <algorithm>

int ClampedClueHeight(const PaneLayoutInput& input)
{
    const int hiddenSplitterAllowance = input.splitterShown ? 0 : input.splitterThickness;
    const int limit = input.client.height() - hiddenSplitterAllowance - input.minimumGrid - 4;
    return std::max(0, std::min(input.clueHeight, limit));
}

PaneLayout ComputePaneLayout(const PaneLayoutInput& input)
{
    const QRect& c = input.client;
    PaneLayout layout;
    layout.clueHeight = ClampedClueHeight(input);
    const int h = layout.clueHeight;
    const int bar = input.splitterShown ? input.splitterThickness : 0;
    const int gridHeight = std::max(0, c.height() - h - bar);
    if (input.clueAtTop) {
        layout.clue = QRect(c.left(), c.top(), c.width(), h);
        if (input.splitterShown)
            layout.splitter = QRect(c.left(), c.top() + h, c.width(), bar);
        layout.grid = QRect(c.left(), c.top() + h + bar, c.width(), gridHeight);
    } else {
        const int clueTop = c.top() + c.height() - h;
        layout.clue = QRect(c.left(), clueTop, c.width(), h);
        if (input.splitterShown)
            layout.splitter = QRect(c.left(), clueTop - bar, c.width(), bar);
        layout.grid = QRect(c.left(), c.top(), c.width(), gridHeight);
    }
    return layout;
}

int ClueHeightAfterSplitterMove(const QRect& clueRect, const QRect& splitterRect, bool clueAtTop)
{
    if (clueAtTop)
        return splitterRect.top() - clueRect.top();
    const int clueBottom = clueRect.top() + clueRect.height();
    const int splitterBottom = splitterRect.top() + splitterRect.height();
    return clueBottom - splitterBottom;
}

QSize KeyboardBounds(const PaneLayout& layout)
{
    return {layout.grid.width(), layout.grid.height() + layout.clue.height()};
}

QPoint KeyboardClearOfGrid(const QRect& keyboard, const QRect& gridDrawn, const QSize& bounds)
{
    constexpr int kGap = 4;
    if (gridDrawn.isEmpty() || !keyboard.intersects(gridDrawn))
        return keyboard.topLeft();
    const int below = gridDrawn.top() + gridDrawn.height() + kGap;
    if (below + keyboard.height() <= bounds.height())
        return {keyboard.left(), below};
    const int above = gridDrawn.top() - kGap - keyboard.height();
    if (above >= 0)
        return {keyboard.left(), above};
    return keyboard.topLeft();
}
