#pragma once

#include <QtGlobal>

// Byte positions of the binary crossword format, relative to its marker
// "ACROSS&DOWN" (which sits at offset 2 in a normal file, after the file
// checksum). The reader, the checksums and the model all address the file
// through these.
namespace PuzLayout {

inline constexpr char kMarker[] = "ACROSS&DOWN";
inline constexpr qint64 kWidthAt = 0x2A;
inline constexpr qint64 kHeightAt = 0x2B;
inline constexpr qint64 kClueCountAt = 0x2C;
inline constexpr qint64 kScrambledTagAt = 0x30;
// The solution grid, then the entry grid, then the strings.
inline constexpr qint64 kGridsAt = 50;

} // namespace PuzLayout
