#include "core/puz_checksums.h"

#include "core/puz_layout.h"
#include "core/puzzle_file.h"

#include <optional>

namespace {

using namespace PuzLayout;

constexpr qint64 kFileChecksumBefore = 2;
constexpr qint64 kHeaderChecksumAt = 0x0C;
constexpr qint64 kMaskedAt = 0x0E;
constexpr qint64 kHeaderRegionAt = kWidthAt;
constexpr qint64 kHeaderRegionLength = 8;
constexpr char kMaskLow[] = "ICHE";
constexpr char kMaskHigh[] = "ATED";

// Reads the NUL-terminated strings of a binary puzzle one after another.
class StringCursor {
public:
    StringCursor(const QByteArray& image, qint64 start) : image_(image), position_(start) {}

    // The next string without its NUL; nothing when the file ends first.
    std::optional<QByteArrayView> Next()
    {
        if (position_ >= image_.size())
            return std::nullopt;
        const qsizetype end = image_.indexOf('\0', position_);
        if (end < 0)
            return std::nullopt;
        const QByteArrayView text(image_.constData() + position_, end - position_);
        position_ = end + 1;
        return text;
    }

private:
    const QByteArray& image_;
    qint64 position_;
};

QByteArrayView WithNul(QByteArrayView text)
{
    return QByteArrayView(text.data(), text.size() + 1);
}

quint16 ReadLittleEndian16(const QByteArray& image, qint64 at)
{
    return static_cast<quint16>(static_cast<quint8>(image[at]) | (static_cast<quint8>(image[at + 1]) << 8));
}

QByteArray LittleEndian16(quint16 value)
{
    QByteArray bytes(2, Qt::Uninitialized);
    bytes[0] = static_cast<char>(value & 0xFF);
    bytes[1] = static_cast<char>(value >> 8);
    return bytes;
}

quint16 RunningSum(QByteArrayView bytes, quint16 c)
{
    for (const char byte : bytes) {
        c = (c & 1) ? static_cast<quint16>((c >> 1) + 0x8000) : static_cast<quint16>(c >> 1);
        c = static_cast<quint16>(c + static_cast<quint8>(byte));
    }
    return c;
}

// The text part of the checksums: title, author and copyright with their NUL,
// the clues without it, and the notes from version 1.3 on; empty strings are
// left out. Nothing when the file ends inside the strings.
std::optional<quint16> SumText(const QByteArray& image, qint64 marker, qint64 stringsAt, quint16 c)
{
    StringCursor strings(image, stringsAt);
    for (int i = 0; i < 3; ++i) {
        const auto info = strings.Next();
        if (!info)
            return std::nullopt;
        if (!info->isEmpty())
            c = RunningSum(WithNul(*info), c);
    }
    const int clueCount = static_cast<quint8>(image[marker + kClueCountAt]);
    for (int i = 0; i < clueCount; ++i) {
        const auto clue = strings.Next();
        if (!clue)
            return std::nullopt;
        if (!clue->isEmpty())
            c = RunningSum(*clue, c);
    }
    // Notes count from version 1.3 on.
    if (VersionNumber(image, marker) >= kNotesVersion) {
        const auto notes = strings.Next();
        if (notes && !notes->isEmpty())
            c = RunningSum(WithNul(*notes), c);
    }
    return c;
}

} // namespace

quint16 CPuzChecksums::Sum(QByteArrayView bytes, quint16 c)
{
    return RunningSum(bytes, c);
}

bool CPuzChecksums::Compute(const QByteArray& image, qint64 marker)
{
    if (marker < kFileChecksumBefore || marker + kGridsAt > image.size())
        return false;
    const qint64 cells = static_cast<quint8>(image[marker + kHeaderRegionAt])
        * static_cast<quint8>(image[marker + kHeaderRegionAt + 1]);
    const qint64 solutionAt = marker + kGridsAt;
    if (solutionAt + 2 * cells > image.size())
        return false;

    header_ = Sum(QByteArrayView(image.constData() + marker + kHeaderRegionAt, kHeaderRegionLength), 0);
    const QByteArrayView solution(image.constData() + solutionAt, cells);
    const QByteArrayView entries(image.constData() + solutionAt + cells, cells);
    solution_ = Sum(solution, 0);
    entries_ = Sum(entries, 0);

    const qint64 stringsAt = solutionAt + 2 * cells;
    const auto text = SumText(image, marker, stringsAt, 0);
    const auto file = SumText(image, marker, stringsAt, Sum(entries, Sum(solution, header_)));
    if (!text || !file)
        return false;
    text_ = *text;
    file_ = *file;
    return true;
}

QByteArray CPuzChecksums::MaskedBytes() const
{
    const quint16 parts[4] = {header_, solution_, entries_, text_};
    QByteArray masked(8, Qt::Uninitialized);
    for (int i = 0; i < 4; ++i) {
        masked[i] = static_cast<char>((parts[i] & 0xFF) ^ static_cast<quint8>(kMaskLow[i]));
        masked[i + 4] = static_cast<char>((parts[i] >> 8) ^ static_cast<quint8>(kMaskHigh[i]));
    }
    return masked;
}

bool CPuzChecksums::AreStoredIn(const QByteArray& image, qint64 marker) const
{
    return ReadLittleEndian16(image, marker - kFileChecksumBefore) == file_
        && ReadLittleEndian16(image, marker + kHeaderChecksumAt) == header_
        && image.mid(marker + kMaskedAt, 8) == MaskedBytes();
}

void CPuzChecksums::WriteTo(CPuzzleFile& file, qint64 marker) const
{
    const QByteArray fileChecksum = LittleEndian16(file_);
    const QByteArray headerChecksum = LittleEndian16(header_) + MaskedBytes();
    file.Seek(marker - kFileChecksumBefore);
    file.Write(fileChecksum.constData(), fileChecksum.size());
    file.Seek(marker + kHeaderChecksumAt);
    file.Write(headerChecksum.constData(), headerChecksum.size());
}
