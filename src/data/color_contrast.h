#pragma once

#include "data/color_schemes.h"

// Contrast between colours as readers perceive it: the relative luminance of
// an sRGB colour (0 for black, 1 for white) and the ratio of two luminances,
// from 1:1 (equal) to 21:1 (black on white).
double RelativeLuminance(ColorRef color);
double ContrastRatio(ColorRef first, ColorRef second);

// Void cells must stand out from normal cells at least this much.
constexpr double kMinVoidCellContrast = 3.0;

// The factory colour of void cells, from three colours of the system palette:
// the darkest of button face, button text and shadow, so that light and dark
// palettes alike get near-black squares like a printed crossword. Should even
// that contrast less than kMinVoidCellContrast with the normal cell
// background, it is darkened, keeping its hue, until it does.
ColorRef VoidCellDefaultColor(ColorRef buttonFace, ColorRef buttonText, ColorRef shadow,
                              ColorRef normalCellBackground);

// The background of text in a fixed colour: the wanted background when the
// text reads well on it (4.5:1), otherwise white.
ColorRef ReadableBackground(ColorRef wanted, ColorRef textColor);

// A square's shading as drawn under text in textColor: the shading itself
// when the text reads well on it (4.5:1), otherwise mixed with the normal
// background in steps until it does (the background itself at worst).
ColorRef ReadableShade(ColorRef shade, ColorRef textColor, ColorRef background);
