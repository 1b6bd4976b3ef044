#include "data/pane_layout.h"

#include <algorithm>
#include <array>
#include <optional>

int ClampedClueHeight(const PaneLayoutInput& input)
{
    const int hiddenSplitterAllowance = input.splitterShown ? 0 : input.splitterThickness;
    const int limit = input.client.height() - hiddenSplitterAllowance - input.minimumGrid - 4;
    return std::max(0, std::min(std::max(input.clueHeight, input.minimumClue), limit));
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

namespace {

// Space kept between the drawn grid and a keyboard placed beside it.
constexpr int kKeyboardGap = 4;

// The top-left that centres size in strip, or nothing when it does not fit.
std::optional<QPoint> CentredIn(const QRect& strip, const QSize& size)
{
    if (strip.width() < size.width() || strip.height() < size.height())
        return std::nullopt;
    return QPoint(strip.left() + (strip.width() - size.width()) / 2,
                  strip.top() + (strip.height() - size.height()) / 2);
}

// The strips of area beside grid, nearest first for a keyboard: below, above,
// right and left, each kKeyboardGap away from the grid.
std::array<QRect, 4> StripsBeside(const QRect& area, const QRect& grid)
{
    const int gridRight = grid.left() + grid.width();
    const int gridBottom = grid.top() + grid.height();
    const int areaRight = area.left() + area.width();
    const int areaBottom = area.top() + area.height();
    const int below = gridBottom + kKeyboardGap;
    const int right = gridRight + kKeyboardGap;
    return {{
        QRect(area.left(), below, area.width(), areaBottom - below),
        QRect(area.left(), area.top(), area.width(), grid.top() - kKeyboardGap - area.top()),
        QRect(right, area.top(), areaRight - right, area.height()),
        QRect(area.left(), area.top(), grid.left() - kKeyboardGap - area.left(), area.height()),
    }};
}

qint64 SquaredDistance(const QPoint& a, const QPoint& b)
{
    const qint64 dx = a.x() - b.x();
    const qint64 dy = a.y() - b.y();
    return dx * dx + dy * dy;
}

// The keyboard's top-left in the corner of area farthest from the cell; the
// bottom-right corner when there is no cell. A keyboard larger than the area
// keeps its top-left inside it.
QPoint FarthestCorner(const QRect& area, const QSize& keyboard, const QRect& cell)
{
    const int left = area.left();
    const int top = area.top();
    const int right = std::max(left, area.left() + area.width() - keyboard.width());
    const int bottom = std::max(top, area.top() + area.height() - keyboard.height());
    const std::array<QPoint, 4> corners{{{right, bottom}, {left, bottom}, {right, top}, {left, top}}};
    if (cell.isEmpty())
        return corners[0];
    const QPoint target = cell.center();
    const QPoint half(keyboard.width() / 2, keyboard.height() / 2);
    QPoint best = corners[0];
    for (const QPoint& corner : corners) {
        if (SquaredDistance(corner + half, target) > SquaredDistance(best + half, target))
            best = corner;
    }
    return best;
}

} // namespace

QPoint UntouchedKeyboardPosition(const UntouchedKeyboardInput& input)
{
    const QRect area = input.gridArea & QRect(QPoint(0, 0), input.bounds);
    if (input.gridShown.isEmpty()) {
        const QRect bottomStrip(area.left(), area.top() + area.height() - input.keyboard.height(), area.width(),
                                input.keyboard.height());
        if (const auto place = CentredIn(bottomStrip, input.keyboard))
            return *place;
    } else {
        for (const QRect& strip : StripsBeside(area, input.gridShown)) {
            if (const auto place = CentredIn(strip, input.keyboard))
                return *place;
        }
    }
    return FarthestCorner(area, input.keyboard, input.currentCell);
}
