#pragma once

#include "data/page_layout.h"
#include "data/print_choice.h"

class CPuzzle;
class GridPainter;
class QPagedPaintDevice;
class QPainter;
struct GridColors;

// The printed puzzle: header, numbered grid and clue columns on as many
// pages of the device as the layout needs. The same sheet goes to a printer,
// to the print preview and into a PDF.
class PuzzleSheet {
public:
    PuzzleSheet(const CPuzzle& puzzle, const QString& fallbackTitle, PrintChoice choice);

    // Paints every page; false when the device could not be painted on.
    bool Paint(QPagedPaintDevice& device) const;

    // The colours of the grid on paper: black on white, or, to save ink,
    // black squares as grey hatching.
    static GridColors PaperColors(bool saveInk);

private:
    void PaintGrid(QPainter& painter, const QRectF& rect) const;

    const CPuzzle& puzzle_;
    PageContent content_;
    PrintChoice choice_;
};
