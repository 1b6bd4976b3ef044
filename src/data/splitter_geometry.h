#pragma once

#include <QRect>
#include <QSize>

// Where a dragged splitter bar may go, apart from any window so it can be used
// and checked without a display.
namespace SplitterGeometry {

// The bar's near edge (top, or left when vertical) when a drag asks for
// candidate: the far limit is tested first, and only when it does not apply is
// the near edge raised to minBefore. So in a parent too short for both
// minimums the far one wins.
int ClampNearEdge(int candidate, int thickness, int limit, int minBefore, int minAfter);

// The bar rectangle after a drag step of delta pixels inside a parent client
// area of parentSize (both in parent client coordinates). A vertical bar moves
// left and right, a horizontal one up and down.
QRect DraggedRect(const QRect& bar, const QSize& parentSize, int delta, bool vertical, int minBefore,
                  int minAfter);

} // namespace SplitterGeometry
