#include "data/archive_reader.h"

#include "core/code_page.h"

#include <QtEndian>

namespace {

constexpr quint8 kLongLength = 0xFF;
constexpr quint16 kUtf16Marker = 0xFFFE;
constexpr quint16 kLongerLength = 0xFFFF;
constexpr quint32 kInvalidLength = 0xFFFFFFFF;

} // namespace

CArchiveReader::CArchiveReader(QByteArray data)
    : data_(std::move(data))
{
}

bool CArchiveReader::Fail()
{
    failed_ = true;
    return false;
}

const char* CArchiveReader::Take(qint64 count)
{
    if (failed_ || count < 0 || count > Remaining()) {
        failed_ = true;
        return nullptr;
    }
    const char* bytes = data_.constData() + pos_;
    pos_ += qsizetype(count);
    return bytes;
}

bool CArchiveReader::ReadByte(quint8& value)
{
    const char* bytes = Take(1);
    if (bytes == nullptr)
        return false;
    value = quint8(*bytes);
    return true;
}

bool CArchiveReader::ReadUInt16(quint16& value)
{
    const char* bytes = Take(2);
    if (bytes == nullptr)
        return false;
    value = qFromLittleEndian<quint16>(bytes);
    return true;
}

bool CArchiveReader::ReadUInt32(quint32& value)
{
    const char* bytes = Take(4);
    if (bytes == nullptr)
        return false;
    value = qFromLittleEndian<quint32>(bytes);
    return true;
}

bool CArchiveReader::ReadInt32(qint32& value)
{
    const char* bytes = Take(4);
    if (bytes == nullptr)
        return false;
    value = qFromLittleEndian<qint32>(bytes);
    return true;
}

bool CArchiveReader::ReadInt32Pair(qint32& first, qint32& second)
{
    const char* bytes = Take(8);
    if (bytes == nullptr)
        return false;
    first = qFromLittleEndian<qint32>(bytes);
    second = qFromLittleEndian<qint32>(bytes + 4);
    return true;
}

// The length comes as one byte below 0xFF, else as 0xFF and a 16-bit value
// below 0xFFFF, else as 0xFF 0xFFFF and a 32-bit value. A 16-bit 0xFFFE in the
// first prefix is the UTF-16 marker, after which the length prefix follows.
bool CArchiveReader::ReadStringLength(quint32& length, bool& utf16)
{
    utf16 = false;
    quint8 shortLength = 0;
    if (!ReadByte(shortLength))
        return false;
    if (shortLength < kLongLength) {
        length = shortLength;
        return true;
    }
    quint16 mediumLength = 0;
    if (!ReadUInt16(mediumLength))
        return false;
    if (mediumLength == kUtf16Marker) {
        utf16 = true;
        if (!ReadByte(shortLength))
            return false;
        if (shortLength < kLongLength) {
            length = shortLength;
            return true;
        }
        if (!ReadUInt16(mediumLength))
            return false;
    }
    if (mediumLength < kLongerLength) {
        length = mediumLength;
        return true;
    }
    quint32 longLength = 0;
    if (!ReadUInt32(longLength))
        return false;
    if (longLength == kInvalidLength)
        return Fail();
    length = longLength;
    return true;
}

bool CArchiveReader::ReadString(QString& value)
{
    quint32 length = 0;
    bool utf16 = false;
    if (!ReadStringLength(length, utf16))
        return false;
    const qint64 byteCount = utf16 ? qint64(length) * 2 : qint64(length);
    const char* bytes = Take(byteCount);
    if (bytes == nullptr)
        return false;
    if (!utf16) {
        value = DecodeWindows1252(QByteArray(bytes, qsizetype(byteCount)));
        return true;
    }
    QString text(qsizetype(length), Qt::Uninitialized);
    qFromLittleEndian<quint16>(bytes, qsizetype(length), text.data());
    value = text;
    return true;
}
