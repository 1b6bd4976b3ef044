#pragma once

#include <QBrush>
#include <QColor>
#include <QRect>

class QPainter;

// Small shape routines shared by the program's own controls. Rectangles are
// pixel rectangles: a frame covers their outermost pixels.

// Draws a line from (x1, y1) towards (x2, y2) with the current pen, leaving
// out the end pixel, so that lines meet and stop the way the controls expect.
void DrawLineExcludingEnd(QPainter& painter, int x1, int y1, int x2, int y2);

// A 1-pixel frame drawn as four fills: top, right, bottom, left.
void FrameRectWithBrush(QPainter& painter, const QRect& rect, const QBrush& brush);

// Fills the rectangle shrunk by 1 and frames the rectangle.
void FillFramed(QPainter& painter, const QRect& rect, const QColor& fill, const QColor& frame);

// A framed box with light inner top and left edges and dark inner bottom and
// right edges; returns the rectangle inside the bevel (shrunk by 2).
QRect DrawBevelBox(QPainter& painter, const QRect& rect, const QColor& fill, const QColor& frame,
                   const QColor& light, const QColor& dark);
