#include "ui/print/puzzle_sheet.h"

#include "core/puzzle.h"
#include "data/grid_geometry.h"
#include "data/page_content.h"
#include "ui/controls/grid_fonts.h"
#include "ui/print/print_texts.h"
#include "ui/view/grid_painter.h"

#include <QPagedPaintDevice>
#include <QPainter>

namespace {

// The grid is drawn in the large cells' geometry and scaled to its place on
// the page, so lines, letters and numbers keep the screen's proportions.
constexpr int kLargeCells = 2;

} // namespace

PuzzleSheet::PuzzleSheet(const CPuzzle& puzzle, const QString& fallbackTitle, PrintChoice choice)
    : puzzle_(puzzle), content_(PageContentOf(puzzle, fallbackTitle)), choice_(choice)
{
}

GridColors PuzzleSheet::PaperColors(bool saveInk)
{
    GridColors colors;
    colors.scheme.fill(Qt::black);
    colors.scheme[0] = Qt::white;                                     // squares
    colors.scheme[2] = saveInk ? QColor(0x90, 0x90, 0x90) : Qt::black; // black squares
    colors.scheme[3] = Qt::white;                                     // no cursor on paper
    colors.scheme[4] = Qt::white;
    colors.buttonHighlight = Qt::white;
    colors.buttonShadow = Qt::black;
    colors.faceLight = Qt::white;
    colors.hatchBlocks = saveInk;
    return colors;
}

bool PuzzleSheet::Paint(QPagedPaintDevice& device) const
{
    const PrintTexts texts(&device);
    const QRect printable(QPoint(0, 0), device.pageLayout().paintRectPixels(device.logicalDpiX()).size());
    PageLayoutMetrics metrics;
    const qreal unit = texts.UnitsPerPoint();
    metrics.columnGap *= unit;
    metrics.minColumnWidth *= unit;
    metrics.sectionGap *= unit;
    metrics.minCellSide *= unit;
    const std::vector<PrintedPage> pages = LayOutPages(content_, printable, texts, metrics);
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    for (std::size_t index = 0; index < pages.size(); ++index) {
        const PrintedPage& page = pages[index];
        if (index > 0 && !device.newPage())
            return false;
        if (!page.header.isEmpty())
            texts.DrawHeader(painter, content_, page.header);
        if (!page.grid.isEmpty())
            PaintGrid(painter, page.grid);
        for (const PlacedText& text : page.texts) {
            const PageClueList& list = content_.lists[std::size_t(text.list)];
            if (text.clue < 0)
                texts.DrawHeading(painter, list.heading, text.rect);
            else
                texts.DrawClue(painter, list.clues[std::size_t(text.clue)], text.rect);
        }
    }
    return painter.end();
}

void PuzzleSheet::PaintGrid(QPainter& painter, const QRectF& rect) const
{
    const int side = GridGeometry::CellSide(kLargeCells);
    const qreal pixels = (side - 1) * puzzle_.GetWidth() + 1;
    GridPaintState state;
    state.numbers = true;
    state.cursor = false;
    state.letters = choice_.letters != PrintedLetters::None;
    state.hintMode = choice_.letters == PrintedLetters::Solution ? 3 : 0;
    painter.save();
    // Lines thinner than a pixel of a preview or a coarse printer stay
    // visible as grey instead of dropping out.
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(rect.topLeft());
    painter.scale(rect.width() / pixels, rect.width() / pixels);
    GridPainter grid;
    grid.PaintGridOnly(painter, puzzle_, side, state, PaperColors(choice_.saveInk),
                       LetterFont(GridGeometry::LetterHeight(kLargeCells)), true);
    painter.restore();
}
