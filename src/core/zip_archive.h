#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QtGlobal>

// A zip archive that carries one document, read and rewritten in memory
// through libzip. Only the document is taken out; on rewrite every other
// entry, the names and the archive's comment stay as they were.
namespace ZipArchive {

// The most a document may unpack to; a larger one is refused before and
// while it is inflated, so a small archive can never fill the memory.
inline constexpr qint64 kLargestDocument = 8 * 1024 * 1024;

struct Document {
    QByteArray content;
    QString name;
    qint64 index = -1;
};

// Whether the bytes begin like a zip archive (a local file header).
bool LooksLikeZip(QByteArrayView bytes);

// The archive's document: its first entry that is no folder (nor one of the
// folders some packers add for their own data). False with the reason for
// the user when the archive is damaged, encrypted, holds no document, or
// the document would unpack past kLargestDocument; at most limit bytes are
// read when limit is smaller (to look at the beginning only).
bool ReadDocument(QByteArrayView archive, Document* document, QString* error,
                  qint64 limit = kLargestDocument);

// The archive with the entry at index holding content instead; empty when
// libzip cannot rewrite it.
QByteArray WithDocument(const QByteArray& archive, qint64 index, const QByteArray& content);

} // namespace ZipArchive
