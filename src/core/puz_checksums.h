#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QtGlobal>

class CPuzzleFile;

// The checksums of a binary puzzle file: the file checksum in front of the
// marker, the header checksum and the eight masked bytes after it. Other
// solvers refuse a file whose checksums do not match its content, so a file
// that was consistent when opened is kept consistent when its entries change.
class CPuzChecksums {
public:
    // The format's running 16-bit sum over a region, starting from c.
    static quint16 Sum(QByteArrayView bytes, quint16 c);

    // Computes the checksums of the file whose marker is at marker; false when
    // there is no room for the file checksum or the file is too short for its
    // header, grids and strings.
    bool Compute(const QByteArray& image, qint64 marker);
    // True when the file holds exactly the computed checksums.
    bool AreStoredIn(const QByteArray& image, qint64 marker) const;
    // Writes the computed checksums into their places in the file image.
    void WriteTo(CPuzzleFile& file, qint64 marker) const;

private:
    QByteArray MaskedBytes() const;

    quint16 file_ = 0;
    quint16 header_ = 0;
    quint16 solution_ = 0;
    quint16 entries_ = 0;
    quint16 text_ = 0;
};
