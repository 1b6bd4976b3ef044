#pragma once

#include <QtGlobal>

// The eight colours the program's own controls paint with, derived from the
// system colours once at start-up.
enum ControlPaletteIndex : int {
    kPaletteFace45 = 0,    // button face brightened by 45
    kPaletteFace35 = 1,    // button face brightened by 35
    kPaletteRed = 2,
    kPaletteBlack = 3,
    kPaletteShadow = 4,    // button shadow
    kPaletteFace30 = 5,    // button face brightened by 30
    kPaletteFace = 6,      // button face
    kPaletteHighlight = 7, // button highlight
    kPaletteSize = 8,
};

// The system colours of the application palette, as 0x00BBGGRR values.
enum class SystemColor { ButtonFace, ButtonShadow, ButtonHighlight, Window, Caption };

quint32 GetSystemColor(SystemColor role);

// The factory colour of void cells under the application palette: the darkest
// of button face, button text and shadow, dark enough to stand out from white
// cells (VoidCellDefaultColor).
quint32 VoidCellColorFromPalette();

// Fills the control palette from the current system colours.
void BuildPalette();

// One colour of the control palette; the palette is built on first use when
// BuildPalette has not run yet.
quint32 PaletteColor(int index);
