#pragma once

#include <QImage>
#include <QString>

class CPuzzle;

// A square picture of the grid with the solver's entries, at most `size`
// pixels on each side: the grid centred on a transparent square. Grids too
// large for one pixel per line are drawn larger and scaled down.
QImage PuzzleThumbnail(const CPuzzle& puzzle, int size);

// Saves the thumbnail as PNG, whole or not at all; false with the reason in
// *error.
bool WritePuzzleThumbnail(const CPuzzle& puzzle, int size, const QString& path, QString* error);
