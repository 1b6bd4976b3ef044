// Opens arbitrary bytes as a puzzle file image: packed ("kavlith01" and a zlib
// stream), zipped (a zip archive, whose image is its document) or plain. Checks the image it unpacks, reads it back through the
// file operations, changes one byte and checks that closing and reopening
// gives back exactly the changed image.

#include "core/puzzle_file.h"
#include "fuzz_check.h"
#include "puzzle_fuzzing.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

namespace {

constexpr qint64 kLargestImage = 32768;
constexpr qint64 kChunk = 1000;

QByteArray ReadThroughFile(CPuzzleFile& file)
{
    QByteArray bytes;
    char chunk[kChunk];
    FUZZ_CHECK(file.Seek(0) == 0);
    while (const qint64 count = file.Read(chunk, kChunk)) {
        FUZZ_CHECK(count > 0 && count <= kChunk);
        bytes.append(chunk, count);
    }
    return bytes;
}

void CheckImage(CPuzzleFile& file, const QByteArray& input)
{
    const QByteArray& image = file.Data();
    FUZZ_CHECK(file.GetLength() == image.size());
    FUZZ_CHECK(file.IsCompressed() == input.startsWith(CPuzzleFile::kMagic));
    if (file.IsCompressed())
        FUZZ_CHECK(image.size() <= kLargestImage);
    else if (!file.IsZipped())
        FUZZ_CHECK(image == input);
    FUZZ_CHECK(ReadThroughFile(file) == image);
    FUZZ_CHECK(file.Seek(-1) == image.size());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString path = PuzzleFuzzing::WriteInput(input, QStringLiteral("input.gmd"));

    CPuzzleFile file;
    // Only a packed image or a zip archive can fail to give an image.
    if (!file.Open(path)) {
        FUZZ_CHECK(input.startsWith(CPuzzleFile::kMagic) || input.startsWith("PK\x03\x04"));
        return 0;
    }
    CheckImage(file, input);
    const bool compressed = file.IsCompressed();
    QByteArray changed = file.Data();
    // The last byte changes, so a plain image never turns into a packed one.
    if (changed.size() > CPuzzleFile::kMagicLength) {
        changed.back() = char(changed.back() ^ 0x5A);
        FUZZ_CHECK(file.Seek(changed.size() - 1) == changed.size() - 1);
        file.Write(&changed.back(), 1);
        FUZZ_CHECK(file.Data() == changed);
    }
    file.Close();
    FUZZ_CHECK(file.GetLength() == 0);

    FUZZ_CHECK(file.Open(path));
    FUZZ_CHECK(file.Data() == changed);
    FUZZ_CHECK(file.IsCompressed() == compressed);
    file.Close();
    return 0;
}
