#include "core/puzzle_file.h"

#include "core/file_rewrite.h"
#include "core/user_prompt.h"
#include "core/zip_archive.h"

#include <QFile>

#include <zlib.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr uLongf kTryStep = 4096;
constexpr uLongf kLargestTry = 32768;

const char kProgramCaption[] = "Gridmoor";

void ShowDecompressionError()
{
    UserPrompt::Show(QStringLiteral("Error while decompressing the puzzle. The puzzle is either "
                                    "corrupted or unknown format"),
                     QStringLiteral("Decompression error"), UserPrompt::Icon::Error);
}

void ShowCompressionError()
{
    UserPrompt::Show(QStringLiteral("Error while compressing the puzzle. Please report technical support"),
                     QStringLiteral("Compression error"), UserPrompt::Icon::Error);
}

void ShowFileError(const QString& text)
{
    UserPrompt::Show(text, QString::fromLatin1(kProgramCaption), UserPrompt::Icon::Error);
}

using ZlibCall = int (*)(Bytef*, uLongf*, const Bytef*, uLong);

// Runs a one-shot zlib call into output buffers of 4096, 8192, ... 32768
// bytes, taking the next size only while the output does not fit. The result
// is the output on success, a null array otherwise.
QByteArray RunWithGrowingBuffer(ZlibCall call, const QByteArray& input)
{
    for (uLongf size = kTryStep; size <= kLargestTry; size += kTryStep) {
        QByteArray output(static_cast<qsizetype>(size), Qt::Uninitialized);
        uLongf outputLength = size;
        const int result = call(reinterpret_cast<Bytef*>(output.data()), &outputLength,
                                reinterpret_cast<const Bytef*>(input.constData()),
                                static_cast<uLong>(input.size()));
        if (result == Z_OK) {
            output.truncate(static_cast<qsizetype>(outputLength));
            return output;
        }
        if (result != Z_BUF_ERROR)
            break;
    }
    return QByteArray();
}

int CompressCall(Bytef* dest, uLongf* destLength, const Bytef* source, uLong sourceLength)
{
    return compress(dest, destLength, source, sourceLength);
}

int UncompressCall(Bytef* dest, uLongf* destLength, const Bytef* source, uLong sourceLength)
{
    return uncompress(dest, destLength, source, sourceLength);
}

int OpenRetrying(const QByteArray& path, int flags)
{
    int fd = -1;
    do {
        fd = ::open(path.constData(), flags | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

// Opens the file for reading and writing, or only for reading when that is
// refused (its permissions, a read-only medium). A folder is refused with
// EISDIR; -1 with errno set when the file cannot be opened.
int OpenDescriptor(const QByteArray& path, bool* readOnly, struct stat* status)
{
    *readOnly = false;
    int fd = OpenRetrying(path, O_RDWR);
    if (fd < 0) {
        fd = OpenRetrying(path, O_RDONLY);
        *readOnly = true;
    }
    if (fd < 0)
        return -1;
    if (::fstat(fd, status) != 0 || S_ISDIR(status->st_mode)) {
        const int error = S_ISDIR(status->st_mode) ? EISDIR : errno;
        ::close(fd);
        errno = error;
        return -1;
    }
    return fd;
}

// Reads the whole file. The buffer holds more than the size the file had
// when it was opened, so a file that did not change meanwhile is read with
// one call and one that grew is read on to its end. What is left of the
// buffer stays allocated behind the content, zero-filled.
bool ReadWhole(int fd, qint64 expectedSize, QByteArray* content)
{
    QByteArray buffer(qsizetype(expectedSize) + CPuzzleFile::kSlack, Qt::Uninitialized);
    qsizetype done = 0;
    for (;;) {
        if (done == buffer.size())
            buffer.resize(buffer.size() * 2);
        const ssize_t n = ::read(fd, buffer.data() + done, size_t(buffer.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        done += n;
        if (n == 0 || (done == expectedSize && done < buffer.size()))
            break;
    }
    std::memset(buffer.data() + done, 0, size_t(buffer.size() - done));
    buffer.truncate(done);
    *content = std::move(buffer);
    return true;
}

} // namespace

bool CPuzzleFile::Open(const QString& path, bool reportError)
{
    image_.clear();
    original_.clear();
    reportedFailure_.reset();
    packingFailureReported_ = false;
    position_ = 0;
    path_ = path;
    readOnly_ = false;
    compressed_ = false;
    modified_ = false;

    // Plain system calls: the whole file is read with one call, which keeps
    // opening a puzzle cheap. A file we may read but not write is opened for
    // reading; its progress is never written.
    struct stat status {};
    const int fd = OpenDescriptor(QFile::encodeName(path), &readOnly_, &status);
    if (fd < 0) {
        if (reportError)
            ShowFileError(QStringLiteral("The file \"%1\" could not be opened: %2.").arg(path, qt_error_string(errno)));
        return false;
    }
    QByteArray content;
    const bool read = ReadWhole(fd, status.st_size, &content);
    const int readError = errno;
    ::close(fd);
    if (!read) {
        if (reportError)
            ShowFileError(QStringLiteral("The file \"%1\" could not be read: %2.").arg(path, qt_error_string(readError)));
        return false;
    }

    return TakeContent(std::move(content), reportError);
}

bool CPuzzleFile::Load(const QByteArray& fileContent)
{
    Close();
    readOnly_ = true;
    return TakeContent(fileContent, false);
}

// The image is the content itself, or what its packing or archive holds.
bool CPuzzleFile::TakeContent(QByteArray content, bool reportError)
{
    compressed_ = content.startsWith(QByteArrayView(kMagic, kMagicLength));
    zipped_ = !compressed_ && ZipArchive::LooksLikeZip(content);
    archive_.clear();
    archiveEntry_ = -1;
    if (compressed_)
        return Unpack(content, reportError);
    if (zipped_)
        return Unzip(content, reportError);
    image_ = std::move(content);
    original_ = image_;
    return true;
}

bool CPuzzleFile::Unzip(const QByteArray& fileContent, bool reportError)
{
    ZipArchive::Document document;
    QString error;
    if (!ZipArchive::ReadDocument(fileContent, &document, &error)) {
        if (reportError)
            ShowFileError(QStringLiteral("The file \"%1\" could not be opened. %2").arg(path_, error));
        return false;
    }
    archive_ = fileContent;
    archiveEntry_ = document.index;
    image_ = std::move(document.content);
    original_ = image_;
    return true;
}

bool CPuzzleFile::Unpack(const QByteArray& fileContent, bool reportError)
{
    const QByteArray unpacked = RunWithGrowingBuffer(UncompressCall, fileContent.mid(kMagicLength));
    if (unpacked.isNull()) {
        if (reportError)
            ShowDecompressionError();
        return false;
    }
    image_ = unpacked;
    original_ = image_;
    return true;
}

bool CPuzzleFile::Pack(QByteArray* packed, bool reportError) const
{
    const QByteArray stream = RunWithGrowingBuffer(CompressCall, image_);
    if (stream.isNull()) {
        if (reportError)
            ShowCompressionError();
        return false;
    }
    *packed = QByteArray(kMagic, kMagicLength) + stream;
    return true;
}

void CPuzzleFile::Close()
{
    if (HasUnsavedChanges())
        WriteBack();
    image_.clear();
    original_.clear();
    archive_.clear();
    reportedFailure_.reset();
    position_ = 0;
    path_.clear();
    modified_ = false;
}

void CPuzzleFile::Flush()
{
    if (HasUnsavedChanges() && WriteBack()) {
        original_ = image_;
        modified_ = false;
    }
}

void CPuzzleFile::RefuseChanges(const QString& reason)
{
    image_ = original_;
    modified_ = false;
    ShowSaveFailure(reason, QStringLiteral("It was left as it was."));
}

void CPuzzleFile::ShowSaveFailure(const QString& reason, const QString& consequence) const
{
    ShowFileError(QStringLiteral("The file \"%1\" could not be saved: %2. %3").arg(path_, reason, consequence));
}

// An image nobody wrote to since it was read or saved is not even compared.
bool CPuzzleFile::HasUnsavedChanges() const
{
    return modified_ && !readOnly_ && !path_.isEmpty() && image_ != original_;
}

bool CPuzzleFile::WriteBack()
{
    const FileRewrite result = RewriteFile(path_, DiskContent(!packingFailureReported_));
    if (result.outcome == FileRewrite::Written) {
        reportedFailure_.reset();
        return true;
    }
    // The same failure again (the close right after a failed save of the
    // progress, say) is not reported a second time.
    const QString failure = QString::number(result.outcome) + u' ' + result.reason;
    if (reportedFailure_ != failure) {
        reportedFailure_ = failure;
        const QString consequence = result.outcome == FileRewrite::Damaged
            ? QStringLiteral("Its content may be incomplete.")
            : QStringLiteral("It was left as it was.");
        ShowSaveFailure(result.reason, consequence);
    }
    return false;
}

// The bytes the file gets: the image packed again when it came packed, or put
// back into its archive. A document that cannot be packed is stored plain,
// and so is one that has grown past what Unpack takes, which could otherwise
// never be opened again; the readers accept plain documents.
QByteArray CPuzzleFile::DiskContent(bool reportPackingError)
{
    QByteArray packed;
    if (zipped_) {
        packed = ZipArchive::WithDocument(archive_, archiveEntry_, image_);
        if (packed.isEmpty() && reportPackingError)
            ShowCompressionError();
        packingFailureReported_ |= packed.isEmpty();
        return packed.isEmpty() ? image_ : packed;
    }
    if (!compressed_)
        return image_;
    if (!Pack(&packed, reportPackingError)) {
        packingFailureReported_ = true;
        return image_;
    }
    return image_.size() > qsizetype(kLargestTry) ? image_ : packed;
}

qint64 CPuzzleFile::Seek(qint64 position)
{
    if (position >= 0)
        position_ = position;
    return position_;
}

qint64 CPuzzleFile::Read(char* buffer, qint64 count)
{
    const qint64 available = qMax<qint64>(0, image_.size() - position_);
    const qint64 n = qBound<qint64>(0, count, available);
    if (n > 0)
        std::memcpy(buffer, image_.constData() + position_, static_cast<size_t>(n));
    position_ += n;
    return n;
}

void CPuzzleFile::Write(const char* data, qint64 count)
{
    if (count <= 0)
        return;
    modified_ = true;
    if (position_ + count > image_.size())
        image_.append(QByteArray(static_cast<qsizetype>(position_ + count - image_.size()), '\0'));
    std::memcpy(image_.data() + position_, data, static_cast<size_t>(count));
    position_ += count;
}

qint64 CPuzzleFile::GetLength() const
{
    return image_.size();
}

void CPuzzleFile::SetLength(qint64 length)
{
    length = qMax<qint64>(0, length);
    modified_ |= length != image_.size();
    if (length < image_.size())
        image_.truncate(static_cast<qsizetype>(length));
    else
        image_.append(QByteArray(static_cast<qsizetype>(length - image_.size()), '\0'));
    position_ = qMin(position_, length);
}

const QByteArray& CPuzzleFile::Data() const
{
    return image_;
}

QString CPuzzleFile::GetPath() const
{
    return path_;
}

bool CPuzzleFile::IsReadOnly() const
{
    return readOnly_;
}

bool CPuzzleFile::IsCompressed() const
{
    return compressed_;
}

bool CPuzzleFile::IsZipped() const
{
    return zipped_;
}
