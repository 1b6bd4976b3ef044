#include "ui/controls/shape_drawing.h"

#include <QPainter>

#include <cstdlib>

namespace {

int Sign(int value)
{
    return (value > 0) - (value < 0);
}

void DrawLineInColor(QPainter& painter, const QColor& color, int x1, int y1, int x2, int y2)
{
    painter.setPen(QPen(color, 1));
    DrawLineExcludingEnd(painter, x1, y1, x2, y2);
}

} // namespace

void DrawLineExcludingEnd(QPainter& painter, int x1, int y1, int x2, int y2)
{
    const int dx = x2 - x1;
    const int dy = y2 - y1;
    if (dx == 0 && dy == 0)
        return;
    int endX = x2;
    int endY = y2;
    if (std::abs(dx) >= std::abs(dy)) {
        endX -= Sign(dx);
        endY = y1 + dy * (std::abs(dx) - 1) / std::abs(dx);
    } else {
        endY -= Sign(dy);
        endX = x1 + dx * (std::abs(dy) - 1) / std::abs(dy);
    }
    painter.drawLine(x1, y1, endX, endY);
}

void FrameRectWithBrush(QPainter& painter, const QRect& rect, const QBrush& brush)
{
    if (rect.isEmpty())
        return;
    painter.fillRect(QRect(rect.left(), rect.top(), rect.width(), 1), brush);
    painter.fillRect(QRect(rect.right(), rect.top(), 1, rect.height()), brush);
    painter.fillRect(QRect(rect.left(), rect.bottom(), rect.width(), 1), brush);
    painter.fillRect(QRect(rect.left(), rect.top(), 1, rect.height()), brush);
}

void FillFramed(QPainter& painter, const QRect& rect, const QColor& fill, const QColor& frame)
{
    painter.fillRect(rect.adjusted(1, 1, -1, -1), fill);
    FrameRectWithBrush(painter, rect, QBrush(frame));
}

QRect DrawBevelBox(QPainter& painter, const QRect& rect, const QColor& fill, const QColor& frame,
                   const QColor& light, const QColor& dark)
{
    FillFramed(painter, rect, fill, frame);
    // Exclusive right and bottom edges, as the bevel is specified in them.
    const int l = rect.left();
    const int t = rect.top();
    const int r = rect.right() + 1;
    const int b = rect.bottom() + 1;
    const QPen previous = painter.pen();
    DrawLineInColor(painter, light, l + 1, t + 1, r - 1, t + 1);
    DrawLineInColor(painter, light, l + 1, t + 1, l + 1, b - 1);
    DrawLineInColor(painter, dark, l + 1, b - 2, r - 1, b - 2);
    DrawLineInColor(painter, dark, r - 2, t + 1, r - 2, b - 2);
    painter.setPen(previous);
    return rect.adjusted(2, 2, -2, -2);
}
