#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

// Builds the little-endian records of the settings data file in memory.
// Strings are always written in the UTF-16 form of the archive string.
class CArchiveWriter {
public:
    void WriteByte(quint8 value);
    void WriteInt32(qint32 value);
    void WriteUInt32(quint32 value);
    void WriteString(const QString& value);

    const QByteArray& Data() const { return data_; }

private:
    void WriteUInt16(quint16 value);

    QByteArray data_;
};
