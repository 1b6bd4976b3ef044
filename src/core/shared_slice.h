#pragma once

#include <QByteArray>
#include <QtGlobal>

// A part of a byte array that shares the array's storage instead of copying
// it: no allocation, one reference more on the storage, which lives on as
// long as any part of it does. Changing the part copies it out first, as
// with any shared QByteArray. A QByteArray's data is NUL-terminated, so the
// part must be followed by a NUL inside the array; a part that is not, or
// an array that does not own its storage, is copied instead.
QByteArray SharedSlice(const QByteArray& whole, qsizetype from, qsizetype length);
