#include "data/archive_writer.h"

#include <QtEndian>

void CArchiveWriter::WriteByte(quint8 value)
{
    data_.append(char(value));
}

void CArchiveWriter::WriteUInt16(quint16 value)
{
    char bytes[2];
    qToLittleEndian(value, bytes);
    data_.append(bytes, sizeof bytes);
}

void CArchiveWriter::WriteUInt32(quint32 value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    data_.append(bytes, sizeof bytes);
}

void CArchiveWriter::WriteInt32(qint32 value)
{
    WriteUInt32(quint32(value));
}

// 0xFF 0xFFFE marks UTF-16 text; the length in code units follows in one
// byte below 255, else 0xFF and 16 bits below 0xFFFE, else 0xFF 0xFFFF and 32 bits.
void CArchiveWriter::WriteString(const QString& value)
{
    const auto length = quint32(value.size());
    WriteByte(0xFF);
    WriteUInt16(0xFFFE);
    if (length < 0xFF) {
        WriteByte(quint8(length));
    } else if (length < 0xFFFE) {
        WriteByte(0xFF);
        WriteUInt16(quint16(length));
    } else {
        WriteByte(0xFF);
        WriteUInt16(0xFFFF);
        WriteUInt32(length);
    }
    const qsizetype start = data_.size();
    data_.resize(start + value.size() * 2);
    qToLittleEndian<quint16>(value.utf16(), value.size(), data_.data() + start);
}
