#pragma once

#include <QByteArray>
#include <QtGlobal>

// Byte positions of the binary crossword format, relative to its marker
// "ACROSS&DOWN" (which sits at offset 2 in a normal file, after the file
// checksum). The reader, the checksums and the model all address the file
// through these.
namespace PuzLayout {

inline constexpr char kMarker[] = "ACROSS&DOWN";
inline constexpr qint64 kVersionAt = 0x16;
inline constexpr qint64 kVersionLength = 4;
inline constexpr qint64 kWidthAt = 0x2A;
inline constexpr qint64 kHeightAt = 0x2B;
inline constexpr qint64 kClueCountAt = 0x2C;
inline constexpr qint64 kScrambledTagAt = 0x30;
// The solution grid, then the entry grid, then the strings.
inline constexpr qint64 kGridsAt = 50;

// Versions as major * 100 + minor: "1.3" is 103, "2.0" is 200.
inline constexpr int kNotesVersion = 103;
inline constexpr int kUtf8Version = 200;

// The version text of the file whose marker is at marker ("1.3", "2.0"), as
// major * 100 + minor; 0 when it is not a version text.
inline int VersionNumber(const QByteArray& image, qint64 marker)
{
    const qint64 at = marker + kVersionAt;
    if (marker < 0 || at + kVersionLength > image.size())
        return 0;
    auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    const char* text = image.constData() + at;
    if (!isDigit(text[0]) || text[1] != '.' || !isDigit(text[2]))
        return 0;
    const int minor = isDigit(text[3]) ? (text[2] - '0') * 10 + (text[3] - '0') : text[2] - '0';
    return (text[0] - '0') * 100 + minor;
}

} // namespace PuzLayout
