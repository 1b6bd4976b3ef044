#pragma once

#include <QtGlobal>

// How a square looks beyond its letter, for formats that say more than the
// binary one: a void square (not part of the grid, drawn as background), a
// given letter (shown and not editable), bars on its sides (a bar ends a word
// like a block does) and a shading colour. Colours are 0xRRGGBB with the top
// byte set; 0 means no shading. Bars are kept on both squares they separate.
struct CellStyle {
    enum Bar : quint8 { BarTop = 1, BarRight = 2, BarBottom = 4, BarLeft = 8 };
    enum Flag : quint8 { Void = 1, Given = 2 };

    quint32 shade = 0;
    quint8 bars = 0;
    quint8 flags = 0;

    bool IsVoid() const { return (flags & Void) != 0; }
    bool IsGiven() const { return (flags & Given) != 0; }
    bool HasShade() const { return shade != 0; }
    bool operator==(const CellStyle&) const = default;
};
