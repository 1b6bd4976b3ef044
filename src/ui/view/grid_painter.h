#pragma once

#include "data/grid_geometry.h"

#include <QColor>
#include <QFont>
#include <QHash>
#include <QImage>
#include <QList>
#include <QRectF>

#include <array>
#include <utility>

class CPuzzle;
class QPainter;
struct CellStyle;

// What the grid is painted with: the seven scheme colours by role (normal
// background, normal text, void background, selected cell, selected word,
// hint text, wrong text) and the three frame colours from the system palette.
struct GridColors {
    std::array<QColor, 7> scheme;
    QColor buttonHighlight;
    QColor buttonShadow;
    QColor faceLight; // button face brightened by 30 and then by 10
    // Black squares as diagonal lines of the void colour on the normal
    // background instead of filled: paper printed with little ink.
    bool hatchBlocks = false;
};

// The display state the painter needs besides the model.
struct GridPaintState {
    int hPos = 0;
    int vPos = 0;
    int hintMode = 0;
    bool checkMode = false;
    // Each word's number in the top-left corner of its first square.
    bool numbers = false;
    // The current square and word are highlighted; pictures of the puzzle
    // (paper, thumbnails) have no cursor.
    bool cursor = true;
    // Without letters the grid is printed blank.
    bool letters = true;
    // The squares of a clue chosen from a further list: while the cursor is
    // on one of them they are highlighted instead of the current word.
    const QList<int>* listedWord = nullptr;
};

// Whether the cell belongs to the word under the cursor in the current
// direction; black squares never do, the current cell always does.
bool IsCellInCurrentWord(const CPuzzle& puzzle, int cell);

// Paints the view's frame and the grid. Only cells that meet the visible
// content rectangle are drawn; each letter is rendered once per font and
// colour and then copied, which keeps large grids quick to repaint. Letters
// are centred on their ink and share the baseline of the capitals. Circled
// squares get a circle behind their letter, and a square holding several
// letters (a rebus) shows them in a font small enough to fit. Pencil letters
// are drawn lighter, between the text and the background colour. With
// numbers, the letters move below a band at the top of the square that holds
// the number, in a font small enough for the rest, so that no number ever
// covers a letter.
class GridPainter {
public:
    void Paint(QPainter& painter, QSize client, const CPuzzle& puzzle, const GridGeometry& geometry,
               const GridPaintState& state, const GridColors& colors, const QFont& letterFont);
    // The grid alone, without the view's frame, its top-left corner at the
    // painter's origin, in squares of the given side (GridGeometry's pixel
    // rules). With scalable text the letters and numbers are drawn as text,
    // which keeps them sharp and searchable on a printer, in a PDF or under a
    // scaling painter; otherwise from the cached images, as on screen.
    void PaintGridOnly(QPainter& painter, const CPuzzle& puzzle, int side, const GridPaintState& state,
                       const GridColors& colors, const QFont& letterFont, bool scalableText);

private:
    static void PaintFrame(QPainter& painter, QSize client, const GridColors& colors);
    void PaintGrid(QPainter& painter, const GridRect& content, const GridRect& grid, const CPuzzle& puzzle,
                   const GridGeometry& geometry, const GridPaintState& state, const GridColors& colors);
    void PaintCell(QPainter& painter, int index, QPoint topLeft, const CPuzzle& puzzle,
                   const GridPaintState& state, const GridColors& colors);
    static QString TextShown(const CPuzzle& puzzle, int index, const GridPaintState& state);
    // What some formats add: void squares drawn as the background around the
    // grid, shaded squares, and bars on the sides of squares.
    void PaintVoid(QPainter& painter, QPoint topLeft, const GridColors& colors) const;
    static void PaintShade(QPainter& painter, const QRect& inside, const CellStyle& style, const GridColors& colors);
    void PaintEdges(QPainter& painter, int index, QPoint topLeft, const CPuzzle& puzzle,
                    const GridColors& colors) const;
    void PaintVoidBorders(QPainter& painter, int index, QPoint topLeft, const CPuzzle& puzzle,
                          const GridColors& colors) const;
    void PaintBars(QPainter& painter, quint8 bars, QPoint topLeft, const GridColors& colors) const;
    static QColor TextColor(const CPuzzle& puzzle, int index, const GridPaintState& state, const GridColors& colors);
    void SetUpLetters(const QFont& letterFont, int glyphSide, bool numbers);
    void FitLettersBelowNumbers(int room);
    void PaintNumber(QPainter& painter, const QPoint& topLeft, const QString& label, const QColor& color);
    void PaintCircle(QPainter& painter, const QRect& inside, const QColor& color) const;
    void PaintHatching(QPainter& painter, const QRect& inside, const QColor& color) const;
    void PaintLetters(QPainter& painter, const QPoint& topLeft, const QString& text, const QColor& color);
    const QImage& Glyph(const QString& text, const QColor& color);
    QFont FittingFont(const QString& text) const;
    // Where a text's baseline starts in its square, and the font it is set in.
    std::pair<QPointF, QFont> LetterPlacement(const QString& text) const;
    QPointF NumberBaseline(const QString& label) const;

    QFont baseFont_; // the letter font the view asked for
    QFont font_;     // the font letters are drawn in
    QRectF capitals_; // the ink of A to Z in font_, relative to the baseline
    int glyphSide_ = 0;
    bool numbers_ = false;
    bool scalableText_ = false;
    int letterTop_ = 0; // where the letters' room starts below the number band
    QFont numberFont_;
    QRectF digits_; // the ink of the digits in numberFont_, relative to the baseline
    QHash<QPair<QString, QRgb>, QImage> glyphs_;
    QHash<QPair<QString, QRgb>, QImage> numberGlyphs_;
};
