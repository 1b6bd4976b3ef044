#pragma once

#include <QByteArray>
#include <QString>

// 8-bit puzzle and settings text is in the Windows-1252 code page, the one
// the puzzles were made for. It is decoded by our own table, never through
// the process locale, so "é" reads the same on every machine.
QString DecodeWindows1252(const QByteArray& bytes);

// Puzzle text that is UTF-8 (binary puzzles from version 2.0 on) or else
// Windows-1252. A text that claims UTF-8 but is not valid UTF-8 was written
// in the old code page after all and is read that way.
QString DecodePuzzleText(const QByteArray& bytes, bool utf8);

// The longest length up to maxLength at which UTF-8 text can be cut without
// splitting a character.
qsizetype Utf8CutLength(const QByteArray& bytes, qsizetype maxLength);
