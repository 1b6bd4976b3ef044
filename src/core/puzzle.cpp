#include "core/puzzle.h"

#include "core/binary_puzzle_reader.h"
#include "core/binary_puzzle_writer.h"
#include "core/code_page.h"
#include "core/last_puzzle_recorder.h"
#include "core/puz_checksums.h"
#include "core/puz_extras.h"
#include "core/puz_layout.h"
#include "core/puzzle_document_reader.h"
#include "core/puzzle_format.h"
#include "core/puzzle_observer.h"

#include <cstring>

namespace {

constexpr char kDocumentMarker[] = "<crossword>";

// Whether the text holds the marker anywhere. Binary puzzles rarely hold the
// marker's first byte at all, so the search goes from one of those to the next.
bool ContainsMarker(const QByteArray& text, QByteArrayView marker)
{
    const char* at = text.constData();
    const char* end = at + text.size();
    while (end - at >= marker.size()) {
        at = static_cast<const char*>(std::memchr(at, marker[0], size_t(end - at - marker.size() + 1)));
        if (at == nullptr)
            return false;
        if (std::memcmp(at, marker.data(), size_t(marker.size())) == 0)
            return true;
        ++at;
    }
    return false;
}

template <typename T>
const T* CellItem(const std::vector<T>& items, int index)
{
    return index >= 0 && static_cast<size_t>(index) < items.size() ? &items[static_cast<size_t>(index)] : nullptr;
}

// A square's whole text: its several letters where it has them, else its one
// letter, empty for a blank.
QByteArray RebusOrLetter(const QByteArray& rebus, char letter)
{
    if (!rebus.isEmpty())
        return rebus;
    return letter == ' ' ? QByteArray() : QByteArray(1, letter);
}

} // namespace

CPuzzle::CPuzzle() = default;

// The owner is going away with the model, so it is not told about the close.
CPuzzle::~CPuzzle()
{
    observer_ = nullptr;
    Close();
}

void CPuzzle::SetObserver(PuzzleObserver* observer)
{
    observer_ = observer;
}

void CPuzzle::SetRecorder(LastPuzzleRecorder* recorder)
{
    recorder_ = recorder;
}

int CPuzzle::Open(const QString& path)
{
    Close();
    if (!file_.Open(path))
        return Invalid;
    readOnly_ = file_.IsReadOnly();
    format_ = DetectFormat();
    const int code = ReadImage(file_, format_, content_, readOnly_);
    if (code != Success) {
        file_.Close();
        content_ = PuzzleContent();
        return code;
    }
    loaded_ = true;
    PlaceCursorOnFirstLetter();
    if (recorder_ != nullptr)
        recorder_->SetLastPuzzlePath(path);
    if (observer_ != nullptr)
        observer_->PuzzleOpened();
    return Success;
}

int CPuzzle::ReadImage(CPuzzleFile& file, int format, PuzzleContent& content, bool readOnly)
{
    if (format == FormatDocument)
        return CPuzzleDocumentReader(file).Read(content, readOnly);
    if (format != FormatBinary)
        return Invalid;
    return CBinaryPuzzleReader(file).Read(content);
}

// Asked before the first write to the image, so the image is still the one
// that was opened.
bool CPuzzle::ChecksumsWereValid()
{
    if (!keepChecksums_) {
        CPuzChecksums checksums;
        keepChecksums_ = checksums.Compute(file_.Data(), content_.headerOffset)
            && checksums.AreStoredIn(file_.Data(), content_.headerOffset);
    }
    return *keepChecksums_;
}

void CPuzzle::PlaceCursorOnFirstLetter()
{
    for (size_t i = 0; i < content_.cells.size(); ++i) {
        const PuzzleCell& cell = content_.cells[i];
        if (cell.solution != ' ') {
            currentCell_ = static_cast<int>(i);
            across_ = cell.acrossClue != -1;
            return;
        }
    }
}

void CPuzzle::Close()
{
    if (!file_.GetPath().isEmpty() && loaded_) {
        SaveProgress();
        file_.Close();
    }
    content_ = PuzzleContent();
    loaded_ = false;
    keepChecksums_.reset();
    rebusChanged_ = false;
    entriesChanged_ = false;
    timeChanged_ = false;
    currentCell_ = -1;
    if (observer_ != nullptr)
        observer_->PuzzleClosed();
}

int CPuzzle::DetectFormat()
{
    return FormatOf(file_.Data());
}

int CPuzzle::FormatOf(const QByteArray& image)
{
    switch (DetectPuzzleFormat(image)) {
    case PuzzleFormat::Binary:
        return FormatBinary;
    case PuzzleFormat::PackedDocument:
    case PuzzleFormat::Document:
        return FormatDocument;
    case PuzzleFormat::Ipuz:
    case PuzzleFormat::Jpz:
    case PuzzleFormat::None:
        break;
    }
    if (ContainsMarker(image, kDocumentMarker))
        return FormatDocument;
    if (ContainsMarker(image, PuzLayout::kMarker))
        return FormatBinary;
    return FormatNone;
}

// Progress that did not change since it was read or last written is not
// written again, so saving or closing an untouched puzzle costs nothing. The
// file image still goes to disk when the reader changed it (a document that
// got its progress element).
void CPuzzle::SaveProgress()
{
    if (readOnly_ || !loaded_)
        return;
    if (format_ == FormatBinary && (entriesChanged_ || timeChanged_)) {
        const CBinaryPuzzleWriter::Changes changes{entriesChanged_, rebusChanged_};
        CBinaryPuzzleWriter(file_, content_).Write(changes, ChecksumsWereValid(), IsSolved());
    } else if (format_ == FormatDocument && entriesChanged_) {
        WriteDocumentEntries();
    }
    entriesChanged_ = false;
    rebusChanged_ = false;
    timeChanged_ = false;
    file_.Flush();
}

void CPuzzle::WriteDocumentEntries()
{
    for (size_t i = 0; i < content_.cells.size(); ++i) {
        if (content_.cells[i].solution != ' ')
            WriteDocumentEntry(static_cast<int>(i));
    }
}

void CPuzzle::WriteDocumentEntry(int index)
{
    const char entry = content_.cells[static_cast<size_t>(index)].entry;
    file_.Seek(content_.progressOffset + index);
    file_.Write(&entry, 1);
}

quint8 CPuzzle::GetWidth() const
{
    return content_.width;
}

quint8 CPuzzle::GetHeight() const
{
    return content_.height;
}

quint8 CPuzzle::GetClueCount() const
{
    return static_cast<quint8>(content_.clues.size());
}

quint8 CPuzzle::GetAcrossCount() const
{
    return content_.acrossCount;
}

quint8 CPuzzle::GetDownCount() const
{
    return content_.downCount;
}

const PuzzleCell& CPuzzle::GetCell(int index) const
{
    return content_.cells[static_cast<size_t>(index)];
}

const PuzzleClue* CPuzzle::GetClue(int index) const
{
    if (index < 0 || static_cast<size_t>(index) >= content_.clues.size())
        return nullptr;
    return &content_.clues[static_cast<size_t>(index)];
}

void CPuzzle::GetInfo(QByteArray& title, QByteArray& author, QByteArray& copyright) const
{
    title = content_.title;
    author = content_.author;
    copyright = content_.copyright;
}

void CPuzzle::GetInfoText(QString& title, QString& author, QString& copyright) const
{
    title = WidenText(content_.title);
    author = WidenText(content_.author);
    copyright = WidenText(content_.copyright);
}

QString CPuzzle::GetNotes() const
{
    return WidenText(content_.notes);
}

QString CPuzzle::GetPath() const
{
    return file_.GetPath();
}

int CPuzzle::GetCurrentCell() const
{
    return currentCell_;
}

void CPuzzle::SetCurrentCell(int index)
{
    currentCell_ = index;
}

bool CPuzzle::IsAcross() const
{
    return across_;
}

void CPuzzle::SetAcross(bool across)
{
    across_ = across;
}

bool CPuzzle::IsLoaded() const
{
    return loaded_;
}

bool CPuzzle::IsScrambled() const
{
    return content_.scrambled;
}

bool CPuzzle::IsReadOnly() const
{
    return readOnly_;
}

int CPuzzle::GetFormat() const
{
    return format_;
}

bool CPuzzle::IsValidCell(int index) const
{
    return index >= 0 && static_cast<size_t>(index) < content_.cells.size();
}

void CPuzzle::SetCurrentEntry(char letter)
{
    if (!IsValidCell(currentCell_))
        return;
    PuzzleCell& cell = content_.cells[static_cast<size_t>(currentCell_)];
    entriesChanged_ |= cell.entry != letter;
    if (cell.entry == ' ' && letter != ' ')
        ++content_.filledCount;
    else if (cell.entry != ' ' && letter == ' ')
        --content_.filledCount;
    content_.filledCount = qMax(0, content_.filledCount);
    cell.entry = letter;
    if (ClearRebusEntry(currentCell_))
        rebusChanged_ = entriesChanged_ = true;
}

bool CPuzzle::ClearRebusEntry(int index)
{
    return IsValidCell(index) && content_.rebusEntries.Set(index, QByteArray());
}

void CPuzzle::SetCurrentEntryText(const QByteArray& letters)
{
    const QByteArray upper = UpperCaseLetters(letters);
    SetCurrentEntry(upper.isEmpty() ? ' ' : upper[0]);
    if (upper.size() < 2 || !IsValidCell(currentCell_))
        return;
    content_.rebusEntries.Set(currentCell_, upper);
    rebusChanged_ = entriesChanged_ = true;
}

QByteArray CPuzzle::AnswerBytes(int index) const
{
    return RebusOrLetter(content_.rebusAnswers.At(index), GetCell(index).solution);
}

QByteArray CPuzzle::EntryBytes(int index) const
{
    return RebusOrLetter(content_.rebusEntries.At(index), GetCell(index).entry);
}

bool CPuzzle::IsCircled(int index) const
{
    const quint8* markup = CellItem(content_.markup, index);
    return markup != nullptr && (*markup & PuzExtras::kCircled) != 0 && GetCell(index).solution != ' ';
}

QString CPuzzle::GetSolutionText(int index) const
{
    return WidenText(AnswerBytes(index));
}

QString CPuzzle::GetEntryText(int index) const
{
    return WidenText(EntryBytes(index));
}

// A rebus square is right only with its whole answer; other squares compare
// their one letter.
bool CPuzzle::IsEntryCorrect(int index) const
{
    if (content_.rebusAnswers.IsEmpty() && content_.rebusEntries.IsEmpty())
        return GetCell(index).entry == GetCell(index).solution;
    return EntryBytes(index) == AnswerBytes(index);
}

int CPuzzle::GetSolvingSeconds() const
{
    return content_.time.seconds;
}

void CPuzzle::SetSolvingSeconds(int seconds)
{
    seconds = qMax(0, seconds);
    timeChanged_ |= seconds != content_.time.seconds;
    content_.time.seconds = seconds;
}

bool CPuzzle::IsSolved() const
{
    for (size_t i = 0; i < content_.cells.size(); ++i) {
        if (content_.cells[i].solution != ' ' && !IsEntryCorrect(static_cast<int>(i)))
            return false;
    }
    return true;
}

bool CPuzzle::IsFilled() const
{
    return content_.filledCount >= 1 && content_.filledCount == content_.letterCount;
}

int CPuzzle::FindWordStart(int clue, quint8* isAcross) const
{
    const PuzzleClue* record = GetClue(clue);
    if (record == nullptr)
        return -1;
    if (isAcross != nullptr)
        *isAcross = record->isAcross;
    for (size_t i = 0; i < content_.cells.size(); ++i) {
        const PuzzleCell& cell = content_.cells[i];
        if ((record->isAcross ? cell.acrossClue : cell.downClue) == clue)
            return static_cast<int>(i);
    }
    return -1;
}

int CPuzzle::GetCurrentClue() const
{
    if (!IsValidCell(currentCell_))
        return -1;
    const PuzzleCell& cell = GetCell(currentCell_);
    return across_ ? cell.acrossClue : cell.downClue;
}

bool CPuzzle::IsLetterAt(int column, int row) const
{
    return GetCell(row * GetWidth() + column).solution != ' ';
}

bool CPuzzle::FindNeighbour(int move, int* index) const
{
    if (!IsValidCell(currentCell_) || move < MoveRight || move > MovePrevious)
        return false;
    // The next and previous cells along the direction count only when adjacent;
    // the four plain moves jump over black squares.
    const bool adjacentOnly = move == MoveNext || move == MovePrevious;
    if (move == MoveNext)
        move = across_ ? MoveRight : MoveDown;
    else if (move == MovePrevious)
        move = across_ ? MoveLeft : MoveUp;
    const int columnStep = move == MoveRight ? 1 : move == MoveLeft ? -1 : 0;
    const int rowStep = move == MoveDown ? 1 : move == MoveUp ? -1 : 0;
    const int width = GetWidth();
    const int height = GetHeight();
    int column = currentCell_ % width + columnStep;
    int row = currentCell_ / width + rowStep;
    while (column >= 0 && column < width && row >= 0 && row < height) {
        if (IsLetterAt(column, row)) {
            *index = row * width + column;
            return true;
        }
        if (adjacentOnly)
            return false;
        column += columnStep;
        row += rowStep;
    }
    return false;
}

bool CPuzzle::IsClueFilled(int clue) const
{
    quint8 isAcross = 0;
    const int start = FindWordStart(clue, &isAcross);
    if (start < 0)
        return false;
    const int width = GetWidth();
    const int height = GetHeight();
    int column = start % width;
    int row = start / width;
    while (column < width && row < height && IsLetterAt(column, row)) {
        if (GetCell(row * width + column).entry == ' ')
            return false;
        if (isAcross)
            ++column;
        else
            ++row;
    }
    return true;
}

QString CPuzzle::FormatClue(int clue, bool* filled, quint8* isAcross) const
{
    const PuzzleClue* record = GetClue(clue);
    if (record == nullptr)
        return QString();
    if (isAcross != nullptr)
        *isAcross = record->isAcross;
    if (filled != nullptr)
        *filled = IsClueFilled(clue);
    return QString::number(record->number) + QStringLiteral(". ") + WidenText(record->text);
}

QString CPuzzle::WidenText(const QByteArray& text) const
{
    return DecodePuzzleText(text, content_.utf8);
}

bool CPuzzle::HasUtf8Text() const
{
    return content_.utf8;
}

int CPuzzle::GetFilledCount() const
{
    return content_.filledCount;
}

int CPuzzle::GetLetterCount() const
{
    return content_.letterCount;
}
