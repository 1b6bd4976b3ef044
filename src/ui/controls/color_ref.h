#pragma once

#include <QColor>
#include <QtGlobal>

// Colours travel through the program as 32-bit values laid out 0x00BBGGRR
// (red in the low byte); these helpers convert and adjust them.

// Adds delta (which may be negative) to red, green and blue separately,
// clamping each to 0..255.
quint32 Brighten(quint32 color, int delta);

QColor QColorFromRef(quint32 color);
quint32 ColorRefFromQColor(const QColor& color);

constexpr quint32 MakeColorRef(int red, int green, int blue)
{
    return static_cast<quint32>(red & 0xFF) | (static_cast<quint32>(green & 0xFF) << 8)
           | (static_cast<quint32>(blue & 0xFF) << 16);
}
