#include "puzzle_fuzzing.h"

#include "core/ipuz_text.h"
#include "core/zip_archive.h"
#include "core/puz_checksums.h"
#include "core/puzzle.h"
#include "fuzz_check.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

const QString kMemoryFolder = QStringLiteral("/dev/shm");
const QByteArray kBinaryMarker = "ACROSS&DOWN";
// Where the binary format keeps its checksums, relative to the marker.
constexpr qint64 kFileChecksum = -2;
constexpr qint64 kHeaderChecksum = 0x0C;
constexpr qint64 kMaskedChecksumsEnd = 0x16;
constexpr qint64 kSolutionGrid = 50;
// The progress element a document gains: "<AllDecision v=\"", the cells, "\" />\n".
constexpr qint64 kProgressElementOverhead = 21;

bool IsLetterCell(const CPuzzle& puzzle, int index)
{
    return puzzle.GetCell(index).solution != ' ';
}

int CellCount(const CPuzzle& puzzle)
{
    return puzzle.GetWidth() * puzzle.GetHeight();
}

void CheckClueReference(const CPuzzle& puzzle, qint32 clue, bool across)
{
    if (clue == -1)
        return;
    FUZZ_CHECK(clue >= 0 && clue < puzzle.GetClueCount());
    FUZZ_CHECK(puzzle.GetClue(clue)->isAcross == (across ? 1 : 0));
}

void CheckCells(const CPuzzle& puzzle)
{
    int letters = 0;
    int filled = 0;
    for (int i = 0; i < CellCount(puzzle); ++i) {
        const PuzzleCell& cell = puzzle.GetCell(i);
        CheckClueReference(puzzle, cell.acrossClue, true);
        CheckClueReference(puzzle, cell.downClue, false);
        if (cell.solution == ' ') {
            FUZZ_CHECK(cell.acrossClue == -1 && cell.downClue == -1);
            continue;
        }
        ++letters;
        filled += cell.entry != ' ' ? 1 : 0;
    }
    FUZZ_CHECK(puzzle.GetLetterCount() == letters);
    FUZZ_CHECK(puzzle.GetFilledCount() == filled);
}

void CheckClues(const CPuzzle& puzzle)
{
    FUZZ_CHECK(puzzle.GetClueCount() == puzzle.GetAcrossCount() + puzzle.GetDownCount());
    FUZZ_CHECK(puzzle.GetClue(puzzle.GetClueCount()) == nullptr);
    for (int clue = 0; clue < puzzle.GetClueCount(); ++clue) {
        FUZZ_CHECK(puzzle.GetClue(clue) != nullptr);
        quint8 across = 2;
        const int start = puzzle.FindWordStart(clue, &across);
        FUZZ_CHECK(across == puzzle.GetClue(clue)->isAcross);
        if (start != -1) {
            FUZZ_CHECK(start >= 0 && start < CellCount(puzzle));
            const PuzzleCell& cell = puzzle.GetCell(start);
            FUZZ_CHECK((across ? cell.acrossClue : cell.downClue) == clue);
        }
        bool filled = false;
        FUZZ_CHECK(!puzzle.FormatClue(clue, &filled, &across).isEmpty());
        FUZZ_CHECK(filled == puzzle.IsClueFilled(clue));
    }
}

// Moves the cursor over the first cells in both directions and follows every
// move; the limit keeps large grids from slowing the fuzzer down.
void CheckNavigation(CPuzzle& puzzle)
{
    constexpr int kCellsVisited = 400;
    const int current = puzzle.GetCurrentCell();
    FUZZ_CHECK(current == -1 || (current < CellCount(puzzle) && IsLetterCell(puzzle, current)));
    for (int i = 0; i < qMin(CellCount(puzzle), kCellsVisited); ++i) {
        puzzle.SetCurrentCell(i);
        for (const bool across : {true, false}) {
            puzzle.SetAcross(across);
            const int clue = puzzle.GetCurrentClue();
            FUZZ_CHECK(clue >= -1 && clue < puzzle.GetClueCount());
            for (int move = CPuzzle::MoveRight; move <= CPuzzle::MovePrevious; ++move) {
                int next = -1;
                if (puzzle.FindNeighbour(move, &next))
                    FUZZ_CHECK(next >= 0 && next < CellCount(puzzle) && IsLetterCell(puzzle, next));
            }
        }
    }
}

// Gives the letter cells a deterministic mix of letters, rebus entries and
// empty cells, and the puzzle a solving time.
void EnterLetters(CPuzzle& puzzle)
{
    for (int i = 0; i < CellCount(puzzle); ++i) {
        if (!IsLetterCell(puzzle, i))
            continue;
        puzzle.SetCurrentCell(i);
        // A given letter stays whatever the solver types.
        if (puzzle.IsGiven(i)) {
            const QString given = puzzle.GetEntryText(i);
            puzzle.SetCurrentEntry('Q');
            FUZZ_CHECK(puzzle.GetEntryText(i) == given);
            continue;
        }
        if (i % 7 == 1)
            puzzle.SetCurrentEntryText(QByteArray("rb") + char('A' + i % 26));
        else
            puzzle.SetCurrentEntry(i % 3 == 0 ? ' ' : char('A' + i % 26));
        const QString entry = puzzle.GetEntryText(i);
        FUZZ_CHECK(entry.size() == (i % 7 == 1 ? 3 : i % 3 == 0 ? 0 : 1));
        FUZZ_CHECK(puzzle.IsEntryCorrect(i) == (entry == puzzle.GetSolutionText(i)));
    }
    puzzle.SetSolvingSeconds(CellCount(puzzle) + 7);
    CheckCells(puzzle);
}

// Every cell's whole entry, one per line.
QString Entries(const CPuzzle& puzzle)
{
    QString entries;
    for (int i = 0; i < CellCount(puzzle); ++i)
        entries += puzzle.GetEntryText(i) + QLatin1Char('\n');
    return entries;
}

QByteArray FirstLetters(const CPuzzle& puzzle)
{
    QByteArray entries;
    for (int i = 0; i < CellCount(puzzle); ++i)
        entries.append(puzzle.GetCell(i).entry);
    return entries;
}

// Where the strings of a binary puzzle end: after them come the notes and the
// sections, which the solver's rebus entries and time may change.
qint64 StringsEnd(const CPuzzle& puzzle, qint64 marker)
{
    QByteArray title, author, copyright;
    puzzle.GetInfo(title, author, copyright);
    qint64 end = marker + kSolutionGrid + 2 * CellCount(puzzle) + title.size() + author.size() + copyright.size() + 3;
    for (int clue = 0; clue < puzzle.GetClueCount(); ++clue)
        end += puzzle.GetClue(clue)->text.size() + 1;
    return end;
}

bool HasValidChecksums(const QByteArray& file, qint64 marker)
{
    CPuzChecksums checksums;
    return checksums.Compute(file, marker) && checksums.AreStoredIn(file, marker);
}

bool IsProgressByteOfBinary(qint64 at, qint64 marker, int cells)
{
    const qint64 relative = at - marker;
    const bool checksum = relative == kFileChecksum || relative == kFileChecksum + 1
        || (relative >= kHeaderChecksum && relative < kMaskedChecksumsEnd);
    const qint64 entryGrid = kSolutionGrid + cells;
    return checksum || (relative >= entryGrid && relative < entryGrid + cells);
}

// A binary puzzle changes only in its entry grid, after its strings and,
// when they were valid, in its checksums.
void CheckBinaryWrite(const QByteArray& before, const QByteArray& after, int cells, qint64 stringsEnd)
{
    FUZZ_CHECK(after.size() >= stringsEnd && before.size() >= stringsEnd);
    const qint64 marker = before.indexOf(kBinaryMarker);
    for (qint64 i = 0; i < stringsEnd; ++i) {
        if (before[i] != after[i])
            FUZZ_CHECK(IsProgressByteOfBinary(i, marker, cells));
    }
    if (HasValidChecksums(before, marker))
        FUZZ_CHECK(HasValidChecksums(after, marker));
}

// A document keeps its length or gains exactly the progress element.
void CheckDocumentWrite(const QByteArray& before, const QByteArray& after, int cells)
{
    FUZZ_CHECK(after.size() == before.size()
               || after.size() == before.size() + cells + kProgressElementOverhead);
}

// An ipuz file keeps what lies around its JSON (a wrapper, a byte-order
// mark), and its text is written back only where progress changed it.
void CheckIpuzWrite(const QByteArray& before, const QByteArray& after)
{
    const IpuzText::Span was = IpuzText::JsonSpan(before);
    const IpuzText::Span is = IpuzText::JsonSpan(after);
    FUZZ_CHECK(before.left(was.begin) == after.left(is.begin));
    FUZZ_CHECK(before.mid(was.end) == after.mid(is.end));
    FUZZ_CHECK(after.size() >= before.size() - (was.end - was.begin));
}

// A jpz file stays in its form, a zip archive or plain text, and a plain
// text keeps what comes before its first element and its declaration.
void CheckJpzWrite(const QByteArray& before, const QByteArray& after)
{
    const bool zipped = ZipArchive::LooksLikeZip(before);
    FUZZ_CHECK(ZipArchive::LooksLikeZip(after) == zipped);
    if (zipped)
        return;
    const qsizetype declarationEnd = before.indexOf("?>");
    const qsizetype kept = before.startsWith("<?") && declarationEnd > 0 ? declarationEnd + 2 : before.indexOf('<');
    FUZZ_CHECK(before.left(kept) == after.left(kept));
}

// The formats whose progress is spliced into text, which keeps every entry.
bool IsText(int format)
{
    return format == CPuzzle::FormatIpuz || format == CPuzzle::FormatJpz;
}

} // namespace

namespace PuzzleFuzzing {

QString WriteInput(const QByteArray& bytes, const QString& name)
{
    // Closing a puzzle syncs the file to disk; in memory that costs nothing.
    static QTemporaryDir folder(QDir(kMemoryFolder).exists()
                                    ? kMemoryFolder + QStringLiteral("/gridmoor-fuzz-XXXXXX")
                                    : QDir::tempPath() + QStringLiteral("/gridmoor-fuzz-XXXXXX"));
    FUZZ_CHECK(folder.isValid());
    const QString path = folder.filePath(name);
    QFile file(path);
    FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    FUZZ_CHECK(file.write(bytes) == bytes.size());
    return path;
}

QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    FUZZ_CHECK(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

void OpenEnterAndReopen(const QByteArray& input, const QString& fileName)
{
    const QString path = WriteInput(input, fileName);
    QString entries;
    QByteArray letters;
    bool filled = false;
    int format = CPuzzle::FormatNone;
    int cells = 0;
    qint64 stringsEnd = 0;
    int seconds = 0;
    {
        CPuzzle puzzle;
        const int code = puzzle.Open(path);
        FUZZ_CHECK(code == CPuzzle::Success || code == CPuzzle::Invalid
                   || code == CPuzzle::ReadFailed || code == CPuzzle::RewriteFailed);
        FUZZ_CHECK(puzzle.IsLoaded() == (code == CPuzzle::Success));
        if (code != CPuzzle::Success) {
            puzzle.Close();
            FUZZ_CHECK(ReadFile(path) == input);
            return;
        }
        format = puzzle.GetFormat();
        cells = CellCount(puzzle);
        FUZZ_CHECK(cells > 0);
        CheckCells(puzzle);
        CheckClues(puzzle);
        CheckNavigation(puzzle);
        EnterLetters(puzzle);
        entries = Entries(puzzle);
        letters = FirstLetters(puzzle);
        filled = IsText(format) ? puzzle.HasSolverEntries() : puzzle.GetFilledCount() > 0;
        seconds = puzzle.GetSolvingSeconds();
        if (format == CPuzzle::FormatBinary)
            stringsEnd = StringsEnd(puzzle, input.indexOf(kBinaryMarker));
        // A save that would make the file read as another format is refused
        // and leaves the file as it was.
        puzzle.SaveProgress();
        if (puzzle.IsReadOnly()) {
            puzzle.Close();
            FUZZ_CHECK(ReadFile(path) == input);
            CPuzzle reopened;
            FUZZ_CHECK(reopened.Open(path) == CPuzzle::Success && reopened.GetFormat() == format);
            return;
        }
    }
    // A packed input is written back packed; the container target checks that.
    const QByteArray written = ReadFile(path);
    const bool packed = input.startsWith(CPuzzleFile::kMagic);
    if (!packed && format == CPuzzle::FormatBinary)
        CheckBinaryWrite(input, written, cells, stringsEnd);
    else if (!packed && format == CPuzzle::FormatIpuz)
        CheckIpuzWrite(input, written);
    else if (format == CPuzzle::FormatJpz)
        CheckJpzWrite(input, written);
    else if (!packed)
        CheckDocumentWrite(input, written, cells);

    CPuzzle reopened;
    FUZZ_CHECK(reopened.Open(path) == CPuzzle::Success);
    FUZZ_CHECK(reopened.GetFormat() == format);
    // A document keeps one letter per square and no time; a grid too large
    // for a rebus section keeps the first letters only; the time is kept once
    // there is progress.
    FUZZ_CHECK(FirstLetters(reopened) == letters);
    if ((format == CPuzzle::FormatBinary && cells * 2 < 0xFFFF) || IsText(format))
        FUZZ_CHECK(Entries(reopened) == entries);
    if ((format == CPuzzle::FormatBinary || IsText(format)) && filled)
        FUZZ_CHECK(reopened.GetSolvingSeconds() == seconds);
    reopened.Close();
    FUZZ_CHECK(ReadFile(path) == written);
}

} // namespace PuzzleFuzzing
