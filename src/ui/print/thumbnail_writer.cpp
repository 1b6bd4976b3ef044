#include "ui/print/thumbnail_writer.h"

#include "core/puzzle.h"
#include "ui/controls/grid_fonts.h"
#include "ui/print/puzzle_sheet.h"
#include "ui/view/grid_painter.h"

#include <QPainter>
#include <QSaveFile>

#include <algorithm>

namespace {

// The narrowest pitch that still shows white squares between the lines.
constexpr int kSmallestPitch = 3;
// Numbers are drawn from squares of this side on, as in medium cells.
constexpr int kNumberedSide = 25;

QImage DrawGrid(const CPuzzle& puzzle, int side)
{
    const int width = (side - 1) * puzzle.GetWidth() + 1;
    const int height = (side - 1) * puzzle.GetHeight() + 1;
    const int square = std::max(width, height);
    QImage image(square, square, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QFont font = DefaultFont();
    font.setPixelSize(LetterPixelSize(font, side, side - 2));
    GridPaintState state;
    state.cursor = false;
    state.numbers = side >= kNumberedSide;
    QPainter painter(&image);
    painter.translate((square - width) / 2, (square - height) / 2);
    GridPainter().PaintGridOnly(painter, puzzle, side, state, PuzzleSheet::PaperColors(false), font, false);
    return image;
}

} // namespace

QImage PuzzleThumbnail(const CPuzzle& puzzle, int size)
{
    const int squares = std::max<int>(puzzle.GetWidth(), puzzle.GetHeight());
    if (!puzzle.IsLoaded() || squares == 0 || size < 1)
        return {};
    const int pitch = (size - 1) / squares;
    if (pitch >= kSmallestPitch)
        return DrawGrid(puzzle, pitch + 1);
    return DrawGrid(puzzle, kSmallestPitch + 1).scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

bool WritePuzzleThumbnail(const CPuzzle& puzzle, int size, const QString& path, QString* error)
{
    const QImage image = PuzzleThumbnail(puzzle, size);
    if (image.isNull()) {
        *error = QStringLiteral("the puzzle has no grid to draw");
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !image.save(&file, "PNG") || !file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}
