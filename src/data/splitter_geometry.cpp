#include "data/splitter_geometry.h"

#include <algorithm>

namespace SplitterGeometry {

int ClampNearEdge(int candidate, int thickness, int limit, int minBefore, int minAfter)
{
    if (minAfter + candidate + thickness > limit) {
        return limit - minAfter - thickness;
    }
    return std::max(candidate, minBefore);
}

QRect DraggedRect(const QRect& bar, const QSize& parentSize, int delta, bool vertical, int minBefore,
                  int minAfter)
{
    QRect moved = bar;
    if (vertical) {
        moved.moveLeft(ClampNearEdge(bar.left() + delta, bar.width(), parentSize.width(), minBefore, minAfter));
    } else {
        moved.moveTop(ClampNearEdge(bar.top() + delta, bar.height(), parentSize.height(), minBefore, minAfter));
    }
    return moved;
}

} // namespace SplitterGeometry
