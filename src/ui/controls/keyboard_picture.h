#pragma once

#include <QImage>
#include <QPalette>

// The on-screen keyboard's picture, drawn by the program at its exact size
// (218 x 70 large, 109 x 35 small) with every key at its key rectangle, so both
// sizes stay crisp. Colours come from palette: keys in Light with a Dark frame
// and ButtonText labels on a Button background.
QImage DrawKeyboardPicture(bool large, const QPalette& palette);
