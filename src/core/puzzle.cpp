#include "core/puzzle.h"

#include "core/binary_puzzle_reader.h"
#include "core/binary_puzzle_writer.h"
#include "core/code_page.h"
#include "core/document_pencil.h"
#include "core/ipuz_reader.h"
#include "core/ipuz_text.h"
#include "core/ipuz_writer.h"
#include "core/jpz_reader.h"
#include "core/jpz_writer.h"
#include "core/last_puzzle_recorder.h"
#include "core/puz_checksums.h"
#include "core/puz_extras.h"
#include "core/puz_layout.h"
#include "core/puzzle_document_reader.h"
#include "core/puzzle_format.h"
#include "core/puzzle_observer.h"
#include "core/puzzle_words.h"

#include <algorithm>
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

int CPuzzle::Open(const QString& path, bool reportFileError)
{
    Close();
    openError_.clear();
    if (!file_.Open(path, reportFileError))
        return ReadFailed;
    readOnly_ = file_.IsReadOnly();
    const int code = ReadLoadedImage();
    if (code != Success)
        return code;
    if (recorder_ != nullptr)
        recorder_->SetLastPuzzlePath(path);
    if (observer_ != nullptr)
        observer_->PuzzleOpened();
    return Success;
}

int CPuzzle::OpenContent(const QByteArray& fileContent)
{
    Close();
    openError_.clear();
    if (!file_.Load(fileContent))
        return Invalid;
    readOnly_ = true;
    return ReadLoadedImage();
}

int CPuzzle::ReadLoadedImage()
{
    format_ = DetectFormat();
    const int code = ReadImage(file_, format_, content_, readOnly_, &openError_);
    if (code != Success) {
        file_.Close();
        content_ = PuzzleContent();
        return code;
    }
    loaded_ = true;
    PlaceCursorOnFirstLetter();
    return Success;
}

QString CPuzzle::GetOpenError() const
{
    return openError_;
}

int CPuzzle::ReadImage(CPuzzleFile& file, int format, PuzzleContent& content, bool readOnly, QString* error)
{
    // An archive is read for the jpz puzzle it carries, nothing else, here as
    // for every caller (the download's check of a body too).
    if (file.IsZipped() && format != FormatJpz)
        return Invalid;
    QString ignored;
    if (format == FormatIpuz)
        return CIpuzReader(file).Read(content, error != nullptr ? error : &ignored);
    if (format == FormatJpz)
        return CJpzReader(file).Read(content, error != nullptr ? error : &ignored);
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
    pencilChanged_ = false;
    history_.Clear();
    unsavableEntryReported_ = false;
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
        return FormatIpuz;
    case PuzzleFormat::Jpz:
        return FormatJpz;
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
    if (format_ == FormatBinary && (entriesChanged_ || timeChanged_ || pencilChanged_)) {
        const CBinaryPuzzleWriter::Changes changes{entriesChanged_, rebusChanged_, pencilChanged_};
        CBinaryPuzzleWriter(file_, content_).Write(changes, ChecksumsWereValid(), IsSolved());
    } else if (format_ == FormatDocument) {
        if (entriesChanged_)
            WriteDocumentEntries();
        if (pencilChanged_)
            DocumentPencil::Write(file_, content_);
    } else if (entriesChanged_ || pencilChanged_ || (timeChanged_ && HasSolverEntries())) {
        if (format_ == FormatIpuz)
            WriteIpuzProgress();
        else if (format_ == FormatJpz)
            WriteJpzProgress();
    }
    entriesChanged_ = false;
    rebusChanged_ = false;
    timeChanged_ = false;
    pencilChanged_ = false;
    if (ImageKeepsItsFormat())
        file_.Flush();
}

// Formats are told by their content, and a file that looks like more than one
// (a binary puzzle behind bytes that begin an XML document, say) could be
// told as another format once its progress is written, and would then not
// open again. Such a file keeps its bytes; the progress of this session is
// not saved, which the user is told once.
bool CPuzzle::ImageKeepsItsFormat()
{
    if (!file_.HasUnsavedChanges() || FormatOf(file_.Data()) == format_)
        return true;
    file_.RefuseChanges(QStringLiteral("its progress would make it open as another kind of file, or not at all"));
    readOnly_ = true;
    unsavableEntryReported_ = true;
    return false;
}

// The file keeps every byte outside the members (or attributes) the progress
// lives in; should the text no longer be found where it was read, nothing is
// written.
void CPuzzle::WriteIpuzProgress()
{
    ReplaceImage(CIpuzWriter(content_).Splice(file_.Data()));
}

void CPuzzle::WriteJpzProgress()
{
    ReplaceImage(CJpzWriter(content_).Splice(file_.Data()));
}

void CPuzzle::ReplaceImage(const QByteArray& text)
{
    if (text.isEmpty())
        return;
    file_.Seek(0);
    file_.Write(text.constData(), text.size());
    file_.SetLength(text.size());
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

int CPuzzle::GetClueCount() const
{
    return static_cast<int>(content_.clues.size());
}

int CPuzzle::GetAcrossCount() const
{
    return content_.acrossCount;
}

int CPuzzle::GetDownCount() const
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

void CPuzzle::SetCurrentEntry(char letter, bool pencil)
{
    ChangeEntry(currentCell_, EntryState{letter == ' ' ? QByteArray() : QByteArray(1, letter), pencil});
}

void CPuzzle::SetCurrentEntryText(const QByteArray& letters, bool pencil)
{
    ChangeEntry(currentCell_, EntryState{UpperCaseLetters(letters), pencil});
}

// Stores the entry as it is, keeping the filled count and what the next save
// must write; the history is the caller's business.
void CPuzzle::PutEntry(int index, const EntryState& state)
{
    PuzzleCell& cell = content_.cells[static_cast<size_t>(index)];
    const char letter = state.letters.isEmpty() ? ' ' : state.letters[0];
    const bool changed = cell.entry != letter;
    if (cell.entry == ' ' && letter != ' ')
        ++content_.filledCount;
    else if (cell.entry != ' ' && letter == ' ')
        --content_.filledCount;
    content_.filledCount = qMax(0, content_.filledCount);
    cell.entry = letter;
    const bool rebusChanged = content_.rebusEntries.Set(index, state.letters.size() >= 2 ? state.letters : QByteArray());
    rebusChanged_ |= rebusChanged;
    if (changed || rebusChanged)
        NoteEntryChange();
    SetPencilFlag(index, state.pencil && letter != ' ');
}

// The first change to a read-only puzzle is announced after the entry is
// stored, so whoever tells the user sees the letter in place.
void CPuzzle::NoteEntryChange()
{
    entriesChanged_ = true;
    if (!readOnly_ || unsavableEntryReported_)
        return;
    unsavableEntryReported_ = true;
    if (observer_ != nullptr)
        observer_->UnsavableEntryChanged();
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

CellStyle CPuzzle::GetCellStyle(int index) const
{
    const CellStyle* style = CellItem(content_.styles, index);
    return style != nullptr ? *style : CellStyle();
}

bool CPuzzle::IsGiven(int index) const
{
    const CellStyle* style = CellItem(content_.styles, index);
    return style != nullptr && style->IsGiven();
}

bool CPuzzle::IsBarBetween(int index, int neighbour) const
{
    const CellStyle* style = CellItem(content_.styles, index);
    if (style == nullptr || style->bars == 0 || !IsValidCell(neighbour))
        return false;
    const int width = GetWidth();
    if (neighbour == index + 1)
        return (style->bars & CellStyle::BarRight) != 0;
    if (neighbour == index - 1)
        return (style->bars & CellStyle::BarLeft) != 0;
    if (neighbour == index + width)
        return (style->bars & CellStyle::BarBottom) != 0;
    if (neighbour == index - width)
        return (style->bars & CellStyle::BarTop) != 0;
    return false;
}

QString CPuzzle::GetFileLabel(int index) const
{
    return content_.labels.IsEmpty() ? QString() : WidenText(content_.labels.At(index));
}

bool CPuzzle::HasSolverEntries() const
{
    for (size_t i = 0; i < content_.cells.size(); ++i) {
        if (content_.cells[i].entry != ' ' && !IsGiven(int(i)))
            return true;
    }
    return false;
}

bool CPuzzle::HasSolution() const
{
    return content_.hasSolution;
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
        if (cell.WordOf(record->isAcross) == clue)
            return static_cast<int>(i);
    }
    return -1;
}

int CPuzzle::GetCurrentClue() const
{
    if (!IsValidCell(currentCell_))
        return -1;
    const PuzzleCell& cell = GetCell(currentCell_);
    return cell.WordOf(across_);
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
        if (adjacentOnly && !ContinuesWord(currentCell_, row * width + column))
            return false;
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

// The next square along the current direction belongs to the same word
// unless a bar lies between, or the squares are bound to different clues.
bool CPuzzle::ContinuesWord(int from, int to) const
{
    if (IsBarBetween(from, to))
        return false;
    const int word = GetCell(from).WordOf(across_);
    const int next = across_ ? GetCell(to).acrossClue : GetCell(to).downClue;
    return word < 0 || next < 0 || word == next;
}

int CPuzzle::FindWordEnd(int clue) const
{
    quint8 isAcross = 0;
    const int start = FindWordStart(clue, &isAcross);
    if (start < 0)
        return -1;
    const int width = GetWidth();
    const int height = GetHeight();
    const int step = isAcross ? 1 : width;
    int end = start;
    for (int column = start % width, row = start / width;;) {
        isAcross ? ++column : ++row;
        const int next = end + step;
        if (column >= width || row >= height || !IsLetterAt(column, row)
            || (isAcross ? GetCell(next).acrossClue : GetCell(next).downClue) != clue)
            return end;
        end = next;
    }
}

// Every square bound to the clue, so a word that is not one straight run (a
// clue that names its squares) counts all of them.
bool CPuzzle::IsClueFilled(int clue) const
{
    const std::vector<int> cells = WordCells(*this, clue);
    return !cells.empty()
        && std::all_of(cells.begin(), cells.end(), [this](int cell) { return GetCell(cell).entry != ' '; });
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
