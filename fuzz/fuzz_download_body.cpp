// Judges arbitrary bytes as the body of a download: the format it would be
// saved as and what it is apart from its progress. Whatever a download would
// save must open in the model, by the same format.

#include "core/puzzle.h"
#include "core/puzzle_format.h"
#include "core/puzzle_identity.h"
#include "fuzz_check.h"
#include "puzzle_fuzzing.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    const PuzzleFormat format = DetectPuzzleFormat(input);
    const PuzzleIdentity identity = IdentifyPuzzle(input);
    FUZZ_CHECK(identity.readable || identity.fingerprint.isEmpty());
    if (format == PuzzleFormat::Binary)
        FUZZ_CHECK(CPuzzle::FormatOf(input) == CPuzzle::FormatBinary);
    if (format == PuzzleFormat::Document)
        FUZZ_CHECK(CPuzzle::FormatOf(input) == CPuzzle::FormatDocument);
    if (format == PuzzleFormat::None || !identity.readable)
        return 0;
    CPuzzle puzzle;
    FUZZ_CHECK(puzzle.Open(PuzzleFuzzing::WriteInput(input, QStringLiteral("body") + PuzzleFileEnding(format)))
               == CPuzzle::Success);
    FUZZ_CHECK(IdentifyPuzzle(input).fingerprint == identity.fingerprint);
    return 0;
}
