#include "core/zip_archive.h"

#include "core/zip_library.h"

#include <memory>

namespace ZipArchive {

namespace {

constexpr char kLocalHeader[] = "PK\x03\x04";

struct ArchiveCloser {
    void operator()(zip_t* archive) const { Zip().zip_discard(archive); }
};
struct FileCloser {
    void operator()(zip_file_t* file) const { Zip().zip_fclose(file); }
};
using Archive = std::unique_ptr<zip_t, ArchiveCloser>;
using File = std::unique_ptr<zip_file_t, FileCloser>;

// Opens the bytes as an archive; the source is owned by the archive once
// that is open, and freed here when it is not.
zip_t* OpenArchive(zip_source_t* source, int flags)
{
    if (source == nullptr)
        return nullptr;
    zip_error_t error;
    Zip().zip_error_init(&error);
    zip_t* archive = Zip().zip_open_from_source(source, flags, &error);
    Zip().zip_error_fini(&error);
    if (archive == nullptr)
        Zip().zip_source_free(source);
    return archive;
}

// Folders, and the folder of resource forks one packer adds, hold no document.
bool IsDocumentName(const QByteArray& name)
{
    return !name.isEmpty() && !name.endsWith('/') && !name.startsWith("__MACOSX/");
}

bool FindDocument(zip_t* archive, zip_stat_t* found)
{
    const zip_int64_t count = Zip().zip_get_num_entries(archive, 0);
    for (zip_int64_t index = 0; index < count; ++index) {
        zip_stat_t stat;
        Zip().zip_stat_init(&stat);
        if (Zip().zip_stat_index(archive, zip_uint64_t(index), 0, &stat) != 0 || (stat.valid & ZIP_STAT_NAME) == 0)
            continue;
        if (IsDocumentName(QByteArray(stat.name))) {
            *found = stat;
            return true;
        }
    }
    return false;
}

QString TooLarge()
{
    return QStringLiteral("The puzzle archive would unpack to more than %1 MiB, far more than any puzzle needs; "
                          "it is not opened.")
        .arg(kLargestDocument / (1024 * 1024));
}

// Reads at most limit bytes of the entry, and one more to tell whether the
// entry is longer than the whole document may be.
bool ReadEntry(zip_t* archive, const zip_stat_t& stat, qint64 limit, QByteArray* content, QString* error)
{
    const File file(Zip().zip_fopen_index(archive, stat.index, 0));
    if (!file) {
        *error = QStringLiteral("The puzzle archive can not be unpacked (%1).").arg(QString::fromUtf8(Zip().zip_strerror(archive)));
        return false;
    }
    const bool whole = limit >= kLargestDocument;
    const qint64 wanted = whole ? kLargestDocument + 1 : limit;
    const qint64 declared = (stat.valid & ZIP_STAT_SIZE) != 0 ? qint64(stat.size) : 0;
    QByteArray buffer(qsizetype(qMin(wanted, declared + 1)), Qt::Uninitialized);
    qint64 done = 0;
    for (;;) {
        if (done == buffer.size() && done < wanted)
            buffer.resize(qsizetype(qMin(wanted, qMax<qint64>(done * 2, 4096))));
        if (done == buffer.size())
            break;
        const zip_int64_t n = Zip().zip_fread(file.get(), buffer.data() + done, zip_uint64_t(buffer.size() - done));
        if (n < 0) {
            *error = QStringLiteral("The puzzle archive is damaged: %1.").arg(QString::fromUtf8(Zip().zip_file_strerror(file.get())));
            return false;
        }
        if (n == 0)
            break;
        done += n;
    }
    if (whole && done > kLargestDocument) {
        *error = TooLarge();
        return false;
    }
    buffer.truncate(qsizetype(done));
    *content = std::move(buffer);
    return true;
}

} // namespace

bool LooksLikeZip(QByteArrayView bytes)
{
    return bytes.startsWith(QByteArrayView(kLocalHeader, 4));
}

bool ReadDocument(QByteArrayView bytes, Document* document, QString* error, qint64 limit)
{
    if (!Zip().error.isEmpty()) {
        *error = QStringLiteral("Puzzle archives can not be opened: the zip library is missing (%1).").arg(Zip().error);
        return false;
    }
    zip_error_t sourceError;
    Zip().zip_error_init(&sourceError);
    zip_source_t* source = Zip().zip_source_buffer_create(bytes.data(), zip_uint64_t(bytes.size()), 0, &sourceError);
    Zip().zip_error_fini(&sourceError);
    const Archive archive(OpenArchive(source, ZIP_RDONLY));
    if (!archive) {
        *error = QStringLiteral("The puzzle archive is damaged or is no zip archive.");
        return false;
    }
    zip_stat_t stat;
    if (!FindDocument(archive.get(), &stat)) {
        *error = QStringLiteral("The puzzle archive holds no file.");
        return false;
    }
    if ((stat.valid & ZIP_STAT_SIZE) != 0 && stat.size > zip_uint64_t(kLargestDocument) && limit >= kLargestDocument) {
        *error = TooLarge();
        return false;
    }
    if (!ReadEntry(archive.get(), stat, qMin(limit, kLargestDocument), &document->content, error))
        return false;
    document->name = QString::fromUtf8(stat.name);
    document->index = qint64(stat.index);
    return true;
}

QByteArray WithDocument(const QByteArray& bytes, qint64 index, const QByteArray& content)
{
    if (!Zip().error.isEmpty())
        return QByteArray();
    zip_error_t error;
    Zip().zip_error_init(&error);
    zip_source_t* source = Zip().zip_source_buffer_create(bytes.constData(), zip_uint64_t(bytes.size()), 0, &error);
    zip_source_t* replacement = Zip().zip_source_buffer_create(content.constData(), zip_uint64_t(content.size()), 0, &error);
    Zip().zip_error_fini(&error);
    if (source == nullptr || replacement == nullptr) {
        Zip().zip_source_free(source);
        Zip().zip_source_free(replacement);
        return QByteArray();
    }
    // The source holds the rewritten archive after the archive is closed.
    Zip().zip_source_keep(source);
    zip_t* archive = OpenArchive(source, 0);
    if (archive == nullptr || Zip().zip_file_replace(archive, zip_uint64_t(index), replacement, 0) != 0) {
        Zip().zip_source_free(replacement);
        if (archive != nullptr)
            Zip().zip_discard(archive);
        Zip().zip_source_free(source);
        return QByteArray();
    }
    Zip().zip_set_file_compression(archive, zip_uint64_t(index), ZIP_CM_DEFLATE, 0);
    QByteArray rewritten;
    if (Zip().zip_close(archive) != 0) {
        Zip().zip_discard(archive);
    } else if (Zip().zip_source_open(source) == 0) {
        zip_stat_t stat;
        Zip().zip_stat_init(&stat);
        if (Zip().zip_source_stat(source, &stat) == 0 && (stat.valid & ZIP_STAT_SIZE) != 0) {
            rewritten.resize(qsizetype(stat.size));
            if (Zip().zip_source_read(source, rewritten.data(), stat.size) != zip_int64_t(stat.size))
                rewritten.clear();
        }
        Zip().zip_source_close(source);
    }
    Zip().zip_source_free(source);
    return rewritten;
}

} // namespace ZipArchive
