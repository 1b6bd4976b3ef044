// Opens arbitrary bytes as a jpz crossword (".jpz", XML text or a zip archive
// holding it), checks the model it reads, enters letters and checks the
// write-back and a second open.

#include "puzzle_fuzzing.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    PuzzleFuzzing::OpenEnterAndReopen(input, QStringLiteral("input.jpz"));
    return 0;
}
