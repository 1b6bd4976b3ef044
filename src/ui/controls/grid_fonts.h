#pragma once

#include <QFont>
#include <QRectF>

#include <functional>

class CDrawSurface;

// The four fonts of the program: the application font unchanged, and the
// three letter fonts of the grid's cell sizes, for letter heights 16, 25 and
// 45 (line heights, leading included), normal weight. Each is made the first
// time it is needed and lives until the program ends.

// The letter font's pixel size for a letter (line) height and the side of
// the square a letter is drawn in: the largest whose QFontMetrics::height()
// is at most lineHeight and whose capitals all fit in glyphSide with a pixel
// to spare on every side.
int LetterPixelSize(const QFont& base, int lineHeight, int glyphSide);
// The largest pixel size from smallest to largest for which fits holds,
// found by stepping from the guess, since each size tried loads the font at
// that size; smallest when none fits. fits must hold below every size it
// holds for.
int LargestFittingPixelSize(int smallest, int largest, int guess, const std::function<bool(int)>& fits);

// The ink of the capitals A to Z together, relative to the baseline: letters
// placed by it share one baseline and all fit where it fits.
QRectF CapitalsInkBox(const QFont& font);
// The width of the widest capital's ink.
qreal WidestCapitalInk(const QFont& font);

// Takes the application font as the base of the four fonts, unless done already.
void CreateFonts();

const QFont& DefaultFont();

// The letter font of the given line height: 45 for 45 and above, 25 for 25
// and above, otherwise 16.
const QFont& LetterFont(int pixelHeight);

void SelectDefaultFont(CDrawSurface& surface);
void SelectLetterFont(CDrawSurface& surface, int pixelHeight);
