#include "ui/view/grid_painter.h"

#include "core/puzzle.h"
#include "data/color_contrast.h"
#include "ui/controls/color_ref.h"
#include "ui/controls/grid_fonts.h"
#include "ui/controls/shape_drawing.h"

#include <QFontMetrics>
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

// The smallest letters a rebus square is drawn with before its text is cut.
constexpr int kSmallestRebusPixels = 6;
// Pencil letters take this share of the text colour, the rest of the background's.
constexpr qreal kPencilInk = 0.55;

QColor Blend(const QColor& ink, const QColor& paper, qreal share)
{
    const auto mix = [share](int a, int b) { return int(std::lround(a * share + b * (1 - share))); };
    return QColor(mix(ink.red(), paper.red()), mix(ink.green(), paper.green()), mix(ink.blue(), paper.blue()));
}

// The first and last column (or row) whose cells can meet the span
// [low, high) when the grid starts at origin with the given pitch.
std::pair<int, int> VisibleRange(int origin, int pitch, int count, int low, int high)
{
    const int first = std::max((low - origin) / pitch - 1, 0);
    const int last = std::min((high - origin) / pitch + 1, count - 1);
    return {first, last};
}

// The word highlighted around the cursor: a further list's chosen clue while
// the cursor is on its squares, else the current word.
bool IsCellInShownWord(const CPuzzle& puzzle, int cell, const GridPaintState& state)
{
    const QList<int>* listed = state.listedWord;
    if (listed != nullptr && listed->contains(puzzle.GetCurrentCell()))
        return listed->contains(cell);
    return IsCellInCurrentWord(puzzle, cell);
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
    const int word = puzzle.GetCell(current).WordOf(across);
    return word >= 0 && puzzle.GetCell(cell).WordOf(across) == word;
}

void GridPainter::Paint(QPainter& painter, QSize client, const CPuzzle& puzzle, const GridGeometry& geometry,
                        const GridPaintState& state, const GridColors& colors, const QFont& letterFont)
{
    PaintFrame(painter, client, colors);
    if (!puzzle.IsLoaded() || geometry.Columns() == 0)
        return;
    if (letterFont != baseFont_ || geometry.Side() - 2 != glyphSide_ || state.numbers != numbers_)
        SetUpLetters(letterFont, geometry.Side() - 2, state.numbers);
    scalableText_ = false;
    GridRect content = GridRect::FromSize(client).Inset(2);
    const GridOrigin origin = geometry.GetGridOrigin(content, false, state.hPos, state.vPos);
    const GridRect grid = geometry.GridOnScreen(content, origin);
    painter.save();
    painter.setClipRect(content.ToQRect());
    PaintGrid(painter, content, grid, puzzle, geometry, state, colors);
    painter.restore();
}

void GridPainter::PaintGridOnly(QPainter& painter, const CPuzzle& puzzle, int side, const GridPaintState& state,
                                const GridColors& colors, const QFont& letterFont, bool scalableText)
{
    if (!puzzle.IsLoaded())
        return;
    GridGeometry geometry;
    geometry.SetGrid(puzzle.GetWidth(), puzzle.GetHeight(), true);
    geometry.SetCellSide(side);
    if (letterFont != baseFont_ || side - 2 != glyphSide_ || state.numbers != numbers_)
        SetUpLetters(letterFont, side - 2, state.numbers);
    scalableText_ = scalableText;
    const GridRect grid = GridRect::FromSize(geometry.GetGridSize());
    PaintGrid(painter, grid, grid, puzzle, geometry, state, colors);
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
    for (int row = firstRow; row <= lastRow; ++row) {
        for (int column = firstColumn; column <= lastColumn; ++column)
            PaintEdges(painter, row * columns + column, QPoint(grid.left + pitch * column, grid.top + pitch * row),
                       puzzle, colors);
    }
}

void GridPainter::PaintCell(QPainter& painter, int index, QPoint topLeft, const CPuzzle& puzzle,
                            const GridPaintState& state, const GridColors& colors)
{
    const PuzzleCell& cell = puzzle.GetCell(index);
    const QRect inside(topLeft.x() + 1, topLeft.y() + 1, glyphSide_, glyphSide_);
    const CellStyle style = puzzle.GetCellStyle(index);
    if (style.IsVoid()) {
        PaintVoid(painter, topLeft, colors);
        return;
    }
    if (cell.solution == ' ') {
        if (colors.hatchBlocks)
            PaintHatching(painter, inside, colors.scheme[kVoidBack]);
        else
            painter.fillRect(inside, colors.scheme[kVoidBack]);
        return;
    }
    if (state.cursor && index == puzzle.GetCurrentCell())
        painter.fillRect(inside, colors.scheme[kSelectedCell]);
    else if (state.cursor && IsCellInShownWord(puzzle, index, state))
        painter.fillRect(inside, colors.scheme[kSelectedWord]);
    else if (style.HasShade())
        PaintShade(painter, inside, style, colors);
    if (puzzle.IsCircled(index))
        PaintCircle(painter, inside, colors.scheme[kNormalText]);
    if (numbers_) {
        const QString label = puzzle.GetCellLabel(index);
        if (!label.isEmpty())
            PaintNumber(painter, inside.topLeft(), label, colors.scheme[kNormalText]);
    }
    const QString text = state.letters ? TextShown(puzzle, index, state) : QString();
    if (!text.isEmpty())
        PaintLetters(painter, inside.topLeft(), text, TextColor(puzzle, index, state, colors));
}

void GridPainter::PaintLetters(QPainter& painter, const QPoint& topLeft, const QString& text, const QColor& color)
{
    if (!scalableText_) {
        painter.drawImage(topLeft, Glyph(text, color));
        return;
    }
    const auto [baseline, font] = LetterPlacement(text);
    painter.save();
    if (text.size() > 1)
        painter.setClipRect(QRect(topLeft, QSize(glyphSide_, glyphSide_)), Qt::IntersectClip);
    painter.setFont(font);
    painter.setPen(color);
    painter.drawText(QPointF(topLeft) + baseline, text);
    painter.restore();
}

QColor GridPainter::TextColor(const CPuzzle& puzzle, int index, const GridPaintState& state, const GridColors& colors)
{
    if (state.hintMode != 0)
        return colors.scheme[kHintText];
    if (state.checkMode && !puzzle.IsEntryCorrect(index))
        return colors.scheme[kWrongText];
    if (puzzle.IsPencil(index))
        return Blend(colors.scheme[kNormalText], colors.scheme[kNormalBack], kPencilInk);
    return colors.scheme[kNormalText];
}

// Numbers are about a third of the square high. With them the letters get
// the square below the number band, in the largest size of the letter font
// whose capitals fit there with a pixel to spare.
void GridPainter::SetUpLetters(const QFont& letterFont, int glyphSide, bool numbers)
{
    baseFont_ = letterFont;
    font_ = letterFont;
    glyphSide_ = glyphSide;
    numbers_ = numbers;
    letterTop_ = 0;
    if (numbers) {
        numberFont_ = letterFont;
        numberFont_.setPixelSize(std::max(int(std::lround((glyphSide + 2) / 3.0)), kSmallestRebusPixels));
        digits_ = QFontMetricsF(numberFont_).tightBoundingRect(QStringLiteral("0123456789"));
        letterTop_ = int(std::ceil(digits_.height())) + 2;
        FitLettersBelowNumbers(glyphSide_ - letterTop_ - 1);
    }
    capitals_ = CapitalsInkBox(font_);
    glyphs_.clear();
    numberGlyphs_.clear();
}

// The letter font as given when its capitals fit in the room below the
// numbers, else the largest smaller size whose capitals do. The ink grows
// about in proportion to the size, so the search starts at the size in
// proportion to the room (each size tried loads the font at that size).
void GridPainter::FitLettersBelowNumbers(int room)
{
    const auto inkSize = [this] {
        return QSizeF(std::ceil(WidestCapitalInk(font_)), std::ceil(CapitalsInkBox(font_).height()));
    };
    const auto fitsRoom = [this, room](QSizeF ink) { return ink.height() <= room && ink.width() <= glyphSide_ - 2; };
    const int pixels = font_.pixelSize() > 0 ? font_.pixelSize() : QFontMetrics(font_).height();
    const QSizeF ink = inkSize();
    if (pixels <= kSmallestRebusPixels || fitsRoom(ink))
        return;
    const qreal scale = std::min(ink.height() > 0 ? room / ink.height() : 1.0,
                                 ink.width() > 0 ? (glyphSide_ - 2) / ink.width() : 1.0);
    const auto fits = [&](int size) {
        font_.setPixelSize(size);
        return fitsRoom(inkSize());
    };
    font_.setPixelSize(LargestFittingPixelSize(kSmallestRebusPixels, pixels - 1, int(pixels * scale), fits));
}

// The number's ink starts a pixel inside the square's top-left corner.
QPointF GridPainter::NumberBaseline(const QString& label) const
{
    const qreal left = QFontMetricsF(numberFont_).tightBoundingRect(label).left();
    return QPointF(std::round(1 - left), std::round(1 - digits_.top()));
}

void GridPainter::PaintNumber(QPainter& painter, const QPoint& topLeft, const QString& label, const QColor& color)
{
    if (scalableText_) {
        painter.setFont(numberFont_);
        painter.setPen(color);
        painter.drawText(QPointF(topLeft) + NumberBaseline(label), label);
        return;
    }
    const QPair<QString, QRgb> key(label, color.rgba());
    auto found = numberGlyphs_.constFind(key);
    if (found == numberGlyphs_.constEnd()) {
        QImage image(glyphSide_, letterTop_, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter numberPainter(&image);
        numberPainter.setFont(numberFont_);
        numberPainter.setPen(color);
        numberPainter.drawText(NumberBaseline(label), label);
        numberPainter.end();
        found = numberGlyphs_.insert(key, image);
    }
    painter.drawImage(topLeft, *found);
}

// A void square is no part of the grid: it takes the background around the
// grid, its own border lines included; the borders it shares with squares of
// the grid are drawn again afterwards (PaintVoidBorders).
void GridPainter::PaintVoid(QPainter& painter, QPoint topLeft, const GridColors& colors) const
{
    painter.fillRect(QRect(topLeft, QSize(glyphSide_ + 2, glyphSide_ + 2)), colors.buttonHighlight);
}

// The file's colour, lightened toward the normal background where letters
// would not read well on it.
void GridPainter::PaintShade(QPainter& painter, const QRect& inside, const CellStyle& style,
                             const GridColors& colors)
{
    const ColorRef shade = MakeColorRef(int(style.shade >> 16) & 0xFF, int(style.shade >> 8) & 0xFF,
                                        int(style.shade) & 0xFF);
    const ColorRef readable = ReadableShade(shade, ColorRefFromQColor(colors.scheme[kNormalText]),
                                            ColorRefFromQColor(colors.scheme[kNormalBack]));
    painter.fillRect(inside, QColorFromRef(readable));
}

// Drawn after all squares, so that neither a neighbour's fill nor a void
// square covers them.
void GridPainter::PaintEdges(QPainter& painter, int index, QPoint topLeft, const CPuzzle& puzzle,
                             const GridColors& colors) const
{
    const CellStyle style = puzzle.GetCellStyle(index);
    if (style.IsVoid())
        PaintVoidBorders(painter, index, topLeft, puzzle, colors);
    if (style.bars != 0)
        PaintBars(painter, style.bars, topLeft, colors);
}

void GridPainter::PaintVoidBorders(QPainter& painter, int index, QPoint topLeft, const CPuzzle& puzzle,
                                   const GridColors& colors) const
{
    const int columns = puzzle.GetWidth();
    const int count = columns * puzzle.GetHeight();
    const int column = index % columns;
    const int side = glyphSide_ + 2;
    const auto inGrid = [&](int neighbour) { return neighbour >= 0 && neighbour < count && !puzzle.GetCellStyle(neighbour).IsVoid(); };
    const int x = topLeft.x();
    const int y = topLeft.y();
    if (inGrid(index - columns))
        painter.fillRect(x, y, side, 1, colors.buttonShadow);
    if (inGrid(index + columns))
        painter.fillRect(x, y + side - 1, side, 1, colors.buttonShadow);
    if (column > 0 && inGrid(index - 1))
        painter.fillRect(x, y, 1, side, colors.buttonShadow);
    if (column + 1 < columns && inGrid(index + 1))
        painter.fillRect(x + side - 1, y, 1, side, colors.buttonShadow);
}

// A bar is a thick line in the letters' colour centred on the square's border.
void GridPainter::PaintBars(QPainter& painter, quint8 bars, QPoint topLeft, const GridColors& colors) const
{
    const int side = glyphSide_ + 2;
    const int thickness = std::max(3, side / 8);
    const int before = thickness / 2;
    const int x = topLeft.x();
    const int y = topLeft.y();
    const QColor& color = colors.scheme[kNormalText];
    if (bars & CellStyle::BarTop)
        painter.fillRect(x - before, y - before, side + thickness - 1, thickness, color);
    if (bars & CellStyle::BarBottom)
        painter.fillRect(x - before, y + side - 1 - before, side + thickness - 1, thickness, color);
    if (bars & CellStyle::BarLeft)
        painter.fillRect(x - before, y - before, thickness, side + thickness - 1, color);
    if (bars & CellStyle::BarRight)
        painter.fillRect(x + side - 1 - before, y - before, thickness, side + thickness - 1, color);
}

// The circle touches the square's edges, drawn in the letters' colour so that
// it shows on every background the scheme gives a letter; large squares get
// a slightly heavier line.
void GridPainter::PaintCircle(QPainter& painter, const QRect& inside, const QColor& color) const
{
    const qreal penWidth = glyphSide_ >= 30 ? 1.5 : 1.0;
    const qreal margin = penWidth / 2;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(color, penWidth));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QRectF(inside).adjusted(margin, margin, -margin, -margin));
    painter.restore();
}

// What the square shows: its entry, or while a hint is on the solution of the
// hinted squares (a rebus square's whole answer) and nothing elsewhere.
// Revealing the word reveals the word that is highlighted.
QString GridPainter::TextShown(const CPuzzle& puzzle, int index, const GridPaintState& state)
{
    switch (state.hintMode) {
    case 1:
        return index == puzzle.GetCurrentCell() ? puzzle.GetSolutionText(index) : QString();
    case 2:
        return IsCellInShownWord(puzzle, index, state) ? puzzle.GetSolutionText(index) : QString();
    case 3:
        return puzzle.GetSolutionText(index);
    default:
        return puzzle.GetEntryText(index);
    }
}

// One letter uses the letter font; several letters get a smaller font that
// fits them across the square.
QFont GridPainter::FittingFont(const QString& text) const
{
    QFont font = font_;
    if (text.size() < 2)
        return font;
    const int room = glyphSide_ - 2;
    int pixels = font.pixelSize() > 0 ? font.pixelSize() : QFontMetrics(font).height();
    pixels = std::min(pixels, room * 2 / 3);
    font.setPixelSize(std::max(pixels, kSmallestRebusPixels));
    while (pixels > kSmallestRebusPixels && QFontMetrics(font).horizontalAdvance(text) > room)
        font.setPixelSize(--pixels);
    return font;
}

// Centred on its ink across and on the capitals' ink down, so the letters
// share a baseline and a tail or a descent stays inside the cell; text too
// long even in the smallest font shows its beginning.
std::pair<QPointF, QFont> GridPainter::LetterPlacement(const QString& text) const
{
    const QFont font = FittingFont(text);
    const QRectF capitals = text.size() < 2 ? capitals_ : CapitalsInkBox(font);
    const QRectF ink = QFontMetricsF(font).tightBoundingRect(text);
    const qreal left = ink.width() <= glyphSide_ ? (glyphSide_ - ink.width()) / 2 : 0;
    const int room = glyphSide_ - letterTop_;
    const QPointF baseline(std::round(left - ink.left()),
                           std::round(letterTop_ + (room - capitals.height()) / 2 - capitals.top()));
    return {baseline, font};
}

// Diagonal lines a quarter of the square apart, thin enough to leave the
// square's letters-free area mostly paper.
void GridPainter::PaintHatching(QPainter& painter, const QRect& inside, const QColor& color) const
{
    const int step = std::max(3, (glyphSide_ + 2) / 4);
    painter.save();
    painter.setClipRect(inside, Qt::IntersectClip);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(color, 1.0));
    for (int offset = step / 2; offset < 2 * inside.width(); offset += step)
        painter.drawLine(QPointF(inside.left() + offset, inside.top()),
                         QPointF(inside.left() + offset - inside.width(), inside.bottom() + 1));
    painter.restore();
}

const QImage& GridPainter::Glyph(const QString& text, const QColor& color)
{
    const QPair<QString, QRgb> key(text, color.rgba());
    auto found = glyphs_.constFind(key);
    if (found != glyphs_.constEnd())
        return *found;
    QImage image(glyphSide_, glyphSide_, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    const auto [baseline, font] = LetterPlacement(text);
    QPainter glyphPainter(&image);
    glyphPainter.setFont(font);
    glyphPainter.setPen(color);
    glyphPainter.drawText(baseline, text);
    glyphPainter.end();
    return *glyphs_.insert(key, image);
}
