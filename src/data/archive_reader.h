#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

// Reads the little-endian records of the settings data file from memory. Every
// read checks the bytes that remain; a read that would pass the end (or a
// string whose length cannot be right) fails, leaves its target untouched and
// makes every later read fail too, so a damaged file is read up to the damage
// and no further.
class CArchiveReader {
public:
    explicit CArchiveReader(QByteArray data);

    bool ReadByte(quint8& value);
    bool ReadInt32(qint32& value);
    bool ReadUInt32(quint32& value);
    // Two 32-bit values stored as one 8-byte block: both or neither are read.
    bool ReadInt32Pair(qint32& first, qint32& second);
    // An archive string in either form: UTF-16 behind the 0xFF 0xFFFE marker,
    // or 8-bit Windows-1252 text without the marker.
    bool ReadString(QString& value);

    bool Failed() const { return failed_; }
    qsizetype Remaining() const { return data_.size() - pos_; }

private:
    bool ReadUInt16(quint16& value);
    bool ReadStringLength(quint32& length, bool& utf16);
    const char* Take(qint64 count);
    bool Fail();

    QByteArray data_;
    qsizetype pos_ = 0;
    bool failed_ = false;
};
