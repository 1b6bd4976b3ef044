#pragma once

#include <QByteArray>
#include <QString>

// 8-bit puzzle and settings text is in the Windows-1252 code page, the one
// the puzzles were made for. It is decoded by our own table, never through
// the process locale, so "é" reads the same on every machine.
QString DecodeWindows1252(const QByteArray& bytes);
