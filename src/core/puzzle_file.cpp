#include "core/puzzle_file.h"

#include "core/file_rewrite.h"
#include "core/user_prompt.h"

#include <QFile>

#include <zlib.h>

#include <cstring>

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

} // namespace

bool CPuzzleFile::Open(const QString& path)
{
    image_.clear();
    original_.clear();
    unsavedImage_.reset();
    position_ = 0;
    path_ = path;
    readOnly_ = false;
    compressed_ = false;

    // A file we may read but not write (its permissions, a read-only medium)
    // is opened for reading; its progress is never written.
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite | QIODevice::ExistingOnly)) {
        if (!file.open(QIODevice::ReadOnly)) {
            ShowFileError(QStringLiteral("The file \"%1\" could not be opened: %2.").arg(path, file.errorString()));
            return false;
        }
        readOnly_ = true;
    }
    const QByteArray content = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        ShowFileError(QStringLiteral("The file \"%1\" could not be read: %2.").arg(path, file.errorString()));
        return false;
    }
    file.close();

    compressed_ = content.startsWith(QByteArrayView(kMagic, kMagicLength));
    if (!compressed_) {
        image_ = content;
        original_ = image_;
        return true;
    }
    return Unpack(content);
}

bool CPuzzleFile::Unpack(const QByteArray& fileContent)
{
    const QByteArray unpacked = RunWithGrowingBuffer(UncompressCall, fileContent.mid(kMagicLength));
    if (unpacked.isNull()) {
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
    if (!readOnly_ && !path_.isEmpty() && image_ != original_)
        WriteBack();
    image_.clear();
    original_.clear();
    unsavedImage_.reset();
    position_ = 0;
    path_.clear();
}

void CPuzzleFile::Flush()
{
    if (!readOnly_ && !path_.isEmpty() && image_ != original_ && WriteBack())
        original_ = image_;
}

bool CPuzzleFile::WriteBack()
{
    // The same unsaved image failing again (the close right after a failed
    // save of the progress, say) is not reported a second time.
    const bool report = unsavedImage_ != image_;
    const FileRewrite result = RewriteFile(path_, DiskContent(report));
    if (result.outcome == FileRewrite::Written) {
        unsavedImage_.reset();
        return true;
    }
    unsavedImage_ = image_;
    if (report) {
        const QString consequence = result.outcome == FileRewrite::Damaged
            ? QStringLiteral("Its content may be incomplete.")
            : QStringLiteral("It was left as it was.");
        ShowFileError(
            QStringLiteral("The file \"%1\" could not be saved: %2. %3").arg(path_, result.reason, consequence));
    }
    return false;
}

// The bytes the file gets: the image packed again when it came packed. A
// document that cannot be packed is stored plain, and so is one that has
// grown past what Unpack takes, which could otherwise never be opened again;
// the document reader accepts plain documents.
QByteArray CPuzzleFile::DiskContent(bool reportPackingError) const
{
    QByteArray packed;
    if (!compressed_ || !Pack(&packed, reportPackingError) || image_.size() > qsizetype(kLargestTry))
        return image_;
    return packed;
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
