#pragma once

#include <QByteArray>
#include <QString>
#include <QtEndian>

// Builds settings-file bytes field by field, straight from the file layout and
// independently of the program's writer, so tests can compare against it.
class ArchiveBytes {
public:
    ArchiveBytes& U8(quint8 value)
    {
        bytes_.append(char(value));
        return *this;
    }
    ArchiveBytes& I32(qint32 value)
    {
        char le[4];
        qToLittleEndian(value, le);
        bytes_.append(le, 4);
        return *this;
    }
    // UTF-16 form, for texts shorter than 255 code units: FF FE FF, length, units.
    ArchiveBytes& Utf16(const QString& text)
    {
        bytes_.append(QByteArray::fromHex("fffeff"));
        U8(quint8(text.size()));
        for (const QChar c : text) {
            U8(quint8(c.unicode() & 0xFF));
            U8(quint8(c.unicode() >> 8));
        }
        return *this;
    }
    // 8-bit form, for texts shorter than 255 bytes: length, bytes.
    ArchiveBytes& Ansi(const QByteArray& text)
    {
        U8(quint8(text.size()));
        bytes_.append(text);
        return *this;
    }
    ArchiveBytes& Raw(const QByteArray& bytes)
    {
        bytes_.append(bytes);
        return *this;
    }

    qsizetype Size() const { return bytes_.size(); }
    const QByteArray& Bytes() const { return bytes_; }

private:
    QByteArray bytes_;
};
