#pragma once

#include <QFont>

class CDrawSurface;

// The four fonts of the program: the application font unchanged, and the
// three letter fonts of the grid's cell sizes (16, 25 and 45 pixels high,
// normal weight). They are made once and live until the program ends.

// Makes the four fonts unless they exist already.
void CreateFonts();

const QFont& DefaultFont();

// The letter font of the given pixel height: 45 for 45 and above, 25 for 25
// and above, otherwise 16.
const QFont& LetterFont(int pixelHeight);

void SelectDefaultFont(CDrawSurface& surface);
void SelectLetterFont(CDrawSurface& surface, int pixelHeight);
