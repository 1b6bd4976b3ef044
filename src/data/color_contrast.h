#pragma once

#include "data/color_schemes.h"

// Contrast between colours as readers perceive it: the relative luminance of
// an sRGB colour (0 for black, 1 for white) and the ratio of two luminances,
// from 1:1 (equal) to 21:1 (black on white).
double RelativeLuminance(ColorRef color);
double ContrastRatio(ColorRef first, ColorRef second);

// Void cells must stand out from normal cells at least this much.
constexpr double kMinVoidCellContrast = 3.0;

// The factory colour of void cells, from the system's button face and button
// text: the darker of the two, so that light palettes get near-black squares
// like a printed crossword and dark palettes their dark button face. Should
// that still contrast less than kMinVoidCellContrast with the normal cell
// background, it is darkened, keeping its hue, until it does.
ColorRef VoidCellDefaultColor(ColorRef buttonFace, ColorRef buttonText, ColorRef normalCellBackground);
