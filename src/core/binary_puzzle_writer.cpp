#include "core/binary_puzzle_writer.h"

#include "core/puz_checksums.h"
#include "core/puz_extras.h"
#include "core/puz_layout.h"
#include "core/puzzle_content.h"
#include "core/puzzle_file.h"


namespace {

// The binary format's entry grid marks an empty letter cell with "-".
constexpr char kEmptyEntry = '-';

bool IsEmptyMark(char c)
{
    return c == kEmptyEntry || c == '.' || c == ':';
}

} // namespace

CBinaryPuzzleWriter::CBinaryPuzzleWriter(CPuzzleFile& file, PuzzleContent& content)
    : file_(file), content_(content)
{
}

// The sections lie outside the checksummed part of the file, so a new time
// alone leaves the checksums as they are.
void CBinaryPuzzleWriter::Write(const Changes& changes, bool keepChecksums, bool solved)
{
    if (changes.entries)
        WriteEntries();
    if (UpdateSections(changes, solved))
        WriteTail();
    if (changes.entries && keepChecksums) {
        CPuzChecksums checksums;
        if (checksums.Compute(file_.Data(), content_.headerOffset))
            checksums.WriteTo(file_, content_.headerOffset);
    }
}

void CBinaryPuzzleWriter::WriteEntries()
{
    const qint64 cellCount = static_cast<qint64>(content_.cells.size());
    const qint64 entriesAt = content_.headerOffset + PuzLayout::kGridsAt + cellCount;
    for (qint64 i = 0; i < cellCount; ++i) {
        const PuzzleCell& cell = content_.cells[static_cast<size_t>(i)];
        if (cell.solution == ' ')
            continue;
        if (cell.entry == ' ' && IsEmptyMark(file_.Data().at(entriesAt + i)))
            continue;
        const char byte = cell.entry == ' ' ? kEmptyEntry : cell.entry;
        file_.Seek(entriesAt + i);
        file_.Write(&byte, 1);
    }
}

// A file without a timer gets one only once the solver has spent time on it
// and made progress worth keeping; opening and closing a fresh puzzle leaves
// it as it was. A stored timer is rewritten when its time moved on or the
// puzzle got solved; a stopped timer of an unsolved puzzle stays as it is.
bool CBinaryPuzzleWriter::TimeIsKept(bool solved) const
{
    if (content_.hasStoredTime)
        return content_.time.seconds != content_.storedTime.seconds || (solved && !content_.storedTime.stopped);
    return content_.time.seconds > 0 && content_.filledCount > 0;
}

// A file without flags gets them only for a pencil mark to keep. Flags that
// were there but could not be read are left as they are rather than lose
// what they held.
bool CBinaryPuzzleWriter::PencilIsKept() const
{
    if (content_.sections.Contains(PuzExtras::kMarkup))
        return content_.markup.size() == content_.cells.size();
    return content_.HasPencil();
}

bool CBinaryPuzzleWriter::UpdateSections(const Changes& changes, bool solved)
{
    bool changed = false;
    if (changes.pencil && PencilIsKept()) {
        const QByteArray markup = PuzExtras::MarkupData(content_);
        if (content_.sections.Replace(PuzExtras::kMarkup, markup)) {
            content_.markup.assign(markup.begin(), markup.end());
            changed = true;
        }
    }
    if (changes.rebusEntries && (!content_.rebusEntries.IsEmpty() || content_.sections.Contains(PuzExtras::kUserRebus)))
        changed |= content_.sections.Replace(PuzExtras::kUserRebus, PuzExtras::UserRebusData(content_));
    if (TimeIsKept(solved)) {
        const SolvingTime time{content_.time.seconds, solved};
        if (content_.sections.Replace(PuzExtras::kTimer, PuzExtras::TimeData(time))) {
            content_.storedTime = time;
            content_.hasStoredTime = true;
            changed = true;
        }
    }
    return changed;
}

// Sections follow the notes string; a file that ended with its clues gets an
// empty one first, so that readers do not take the sections for notes.
void CBinaryPuzzleWriter::WriteTail()
{
    file_.SetLength(content_.sectionsOffset);
    file_.Seek(content_.sectionsOffset);
    if (!content_.hasNotesString) {
        const char emptyNotes = '\0';
        file_.Write(&emptyNotes, 1);
        content_.hasNotesString = true;
        ++content_.sectionsOffset;
    }
    const QByteArray tail = content_.sections.Bytes();
    file_.Write(tail.constData(), tail.size());
}
