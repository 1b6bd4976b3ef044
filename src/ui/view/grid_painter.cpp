#include "ui/view/grid_painter.h"

#include "core/code_page.h"
#include "core/puzzle.h"
#include "ui/controls/grid_fonts.h"
#include "ui/controls/shape_drawing.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

enum SchemeIndex : std::size_t {
    kNormalBack = 0,
    kNormalText = 1,
    kVoidBack = 2,
    kSelectedCell = 3,
    kSelectedWord = 4,
    kHintText = 5,
    kWrongText = 6,
};

int WordOf(const PuzzleCell& cell, bool across)
{
    return across ? cell.acrossClue : cell.downClue;
}

// The first and last column (or row) whose cells can meet the span
// [low, high) when the grid starts at origin with the given pitch.
std::pair<int, int> VisibleRange(int origin, int pitch, int count, int low, int high)
{
    const int first = std::max((low - origin) / pitch - 1, 0);
    const int last = std::min((high - origin) / pitch + 1, count - 1);
    return {first, last};
}

} // namespace

bool IsCellInCurrentWord(const CPuzzle& puzzle, int cell)
{
    if (puzzle.GetCell(cell).solution == ' ')
        return false;
    const int current = puzzle.GetCurrentCell();
    if (cell == current)
        return true;
    if (current < 0)
        return false;
    const bool across = puzzle.IsAcross();
    const int word = WordOf(puzzle.GetCell(current), across);
    return word >= 0 && WordOf(puzzle.GetCell(cell), across) == word;
}

void GridPainter::Paint(QPainter& painter, QSize client, const CPuzzle& puzzle, const GridGeometry& geometry,
                        const GridPaintState& state, const GridColors& colors, const QFont& letterFont)
{
    PaintFrame(painter, client, colors);
    if (!puzzle.IsLoaded() || geometry.Columns() == 0)
        return;
    if (letterFont != font_ || geometry.Side() - 2 != glyphSide_) {
        font_ = letterFont;
        glyphSide_ = geometry.Side() - 2;
        capitals_ = CapitalsInkBox(font_);
        glyphs_.clear();
    }
    GridRect content = GridRect::FromSize(client).Inset(2);
    const GridOrigin origin = geometry.GetGridOrigin(content, false, state.hPos, state.vPos);
    const GridRect grid = geometry.GridOnScreen(content, origin);
    painter.save();
    painter.setClipRect(content.ToQRect());
    PaintGrid(painter, content, grid, puzzle, geometry, state, colors);
    painter.restore();
}

void GridPainter::PaintFrame(QPainter& painter, QSize client, const GridColors& colors)
{
    const int w = client.width();
    const int h = client.height();
    painter.fillRect(1, 1, w - 2, h - 2, colors.buttonHighlight);
    FrameRectWithBrush(painter, QRect(0, 0, w, h), QBrush(colors.buttonShadow));
    painter.fillRect(1, 1, w - 2, 1, colors.scheme[kVoidBack]);
    painter.fillRect(1, 1, 1, h - 2, colors.scheme[kVoidBack]);
    painter.fillRect(1, h - 2, w - 2, 1, colors.faceLight);
    painter.fillRect(w - 2, 1, 1, h - 3, colors.faceLight);
}

void GridPainter::PaintGrid(QPainter& painter, const GridRect& content, const GridRect& grid,
                            const CPuzzle& puzzle, const GridGeometry& geometry, const GridPaintState& state,
                            const GridColors& colors)
{
    FillFramed(painter, grid.ToQRect(), colors.scheme[kNormalBack], colors.buttonShadow);
    const int pitch = geometry.Pitch();
    const int columns = geometry.Columns();
    const int rows = geometry.Rows();
    for (int r = 1; r < rows; ++r) {
        const int y = grid.top + pitch * r;
        if (content.top < y && y < content.bottom)
            painter.fillRect(grid.left + 1, y, grid.Width() - 2, 1, colors.buttonShadow);
    }
    for (int c = 1; c < columns; ++c) {
        const int x = grid.left + pitch * c;
        if (content.left < x && x < content.right)
            painter.fillRect(x, grid.top + 1, 1, grid.Height() - 2, colors.buttonShadow);
    }
    const auto [firstColumn, lastColumn] = VisibleRange(grid.left, pitch, columns, content.left, content.right);
    const auto [firstRow, lastRow] = VisibleRange(grid.top, pitch, rows, content.top, content.bottom);
    const int side = geometry.Side();
    for (int row = firstRow; row <= lastRow; ++row) {
        for (int column = firstColumn; column <= lastColumn; ++column) {
            const QPoint topLeft(grid.left + pitch * column, grid.top + pitch * row);
            const GridRect cell{topLeft.x() + 1, topLeft.y() + 1, topLeft.x() + side - 1, topLeft.y() + side - 1};
            if (cell.Intersects(content))
                PaintCell(painter, row * columns + column, topLeft, puzzle, state, colors);
        }
    }
}

void GridPainter::PaintCell(QPainter& painter, int index, QPoint topLeft, const CPuzzle& puzzle,
                            const GridPaintState& state, const GridColors& colors)
{
    const PuzzleCell& cell = puzzle.GetCell(index);
    const QRect inside(topLeft.x() + 1, topLeft.y() + 1, glyphSide_, glyphSide_);
    if (cell.solution == ' ') {
        painter.fillRect(inside, colors.scheme[kVoidBack]);
        return;
    }
    if (index == puzzle.GetCurrentCell())
        painter.fillRect(inside, colors.scheme[kSelectedCell]);
    else if (IsCellInCurrentWord(puzzle, index))
        painter.fillRect(inside, colors.scheme[kSelectedWord]);
    const char letter = LetterShown(puzzle, index, state.hintMode);
    if (letter == ' ')
        return;
    std::size_t textColor = kNormalText;
    if (state.hintMode != 0)
        textColor = kHintText;
    else if (state.checkMode && cell.entry != cell.solution)
        textColor = kWrongText;
    painter.drawImage(inside.topLeft(), Glyph(letter, colors.scheme[textColor]));
}

char GridPainter::LetterShown(const CPuzzle& puzzle, int index, int hintMode)
{
    const PuzzleCell& cell = puzzle.GetCell(index);
    switch (hintMode) {
    case 1:
        return index == puzzle.GetCurrentCell() ? cell.solution : ' ';
    case 2:
        return IsCellInCurrentWord(puzzle, index) ? cell.solution : ' ';
    case 3:
        return cell.solution;
    default:
        return cell.entry;
    }
}

const QImage& GridPainter::Glyph(char letter, const QColor& color)
{
    const quint64 key = (quint64(quint8(letter)) << 32) | color.rgba();
    auto found = glyphs_.constFind(key);
    if (found != glyphs_.constEnd())
        return *found;
    QImage image(glyphSide_, glyphSide_, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    // Centred on its ink across and on the capitals' ink down, so the letters
    // share a baseline and a tail or a descent stays inside the cell.
    const QString text = DecodeWindows1252(QByteArray(1, letter));
    const QRectF ink = QFontMetricsF(font_).tightBoundingRect(text);
    const QPointF baseline(std::round((glyphSide_ - ink.width()) / 2 - ink.left()),
                           std::round((glyphSide_ - capitals_.height()) / 2 - capitals_.top()));
    QPainter glyphPainter(&image);
    glyphPainter.setFont(font_);
    glyphPainter.setPen(color);
    glyphPainter.drawText(baseline, text);
    glyphPainter.end();
    return *glyphs_.insert(key, image);
}
