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

// The format's step: the sum rotated right by one bit, plus the byte.
quint16 Step(quint16 c, char byte)
{
    return static_cast<quint16>(static_cast<quint16>((c >> 1) | (c << 15)) + static_cast<quint8>(byte));
}

quint16 RunningSum(QByteArrayView bytes, quint16 c)
{
    for (const char byte : bytes)
        c = Step(c, byte);
    return c;
}

// Two sums over the same bytes in one pass; they do not depend on each
// other, so the processor advances both at once.
struct SumPair {
    quint16 part = 0;
    quint16 file = 0;

    void Add(QByteArrayView bytes)
    {
        quint16 a = part;
        quint16 b = file;
        for (const char byte : bytes) {
            a = Step(a, byte);
            b = Step(b, byte);
        }
        part = a;
        file = b;
    }
};

// Adds the text part of the checksums: title, author and copyright with their
// NUL, the clues without it, and the notes from version 1.3 on; empty strings
// are left out. False when the file ends inside the strings.
bool SumText(const QByteArray& image, qint64 marker, qint64 stringsAt, SumPair* sums)
{
    StringCursor strings(image, stringsAt);
    for (int i = 0; i < 3; ++i) {
        const auto info = strings.Next();
        if (!info)
            return false;
        if (!info->isEmpty())
            sums->Add(WithNul(*info));
    }
    const int clueCount = static_cast<quint8>(image[marker + kClueCountAt]);
    for (int i = 0; i < clueCount; ++i) {
        const auto clue = strings.Next();
        if (!clue)
            return false;
        if (!clue->isEmpty())
            sums->Add(*clue);
    }
    // Notes count from version 1.3 on.
    if (VersionNumber(image, marker) >= kNotesVersion) {
        const auto notes = strings.Next();
        if (notes && !notes->isEmpty())
            sums->Add(WithNul(*notes));
    }
    return true;
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

    // The file checksum runs on from the header checksum over the grids and
    // the text, each part's own checksum beside it in the same pass.
    header_ = Sum(QByteArrayView(image.constData() + marker + kHeaderRegionAt, kHeaderRegionLength), 0);
    SumPair solution{0, header_};
    solution.Add(QByteArrayView(image.constData() + solutionAt, cells));
    SumPair entries{0, solution.file};
    entries.Add(QByteArrayView(image.constData() + solutionAt + cells, cells));
    SumPair text{0, entries.file};
    if (!SumText(image, marker, solutionAt + 2 * cells, &text))
        return false;
    solution_ = solution.part;
    entries_ = entries.part;
    text_ = text.part;
    file_ = text.file;
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
