#include "core/binary_puzzle_reader.h"

#include "core/puz_extras.h"
#include "core/puz_layout.h"
#include "core/puzzle_content.h"
#include "core/puzzle_file.h"
#include "core/shared_slice.h"

namespace {

using namespace PuzLayout;

constexpr quint8 kScrambledBit = 0x04;

// Diagramless puzzles mark their blocks with ":" as well as ".".
bool IsBlockByte(char c)
{
    return c == '.' || c == ':';
}

char SolutionFromByte(char c)
{
    return IsBlockByte(c) ? ' ' : UpperCaseLetter(c);
}

char EntryFromByte(char c)
{
    return IsBlockByte(c) || c == '-' ? ' ' : UpperCaseLetter(c);
}

} // namespace

CBinaryPuzzleReader::CBinaryPuzzleReader(CPuzzleFile& file) : file_(file) {}

int CBinaryPuzzleReader::Read(PuzzleContent& content)
{
    int code = Locate(content);
    if (code == 0)
        code = ReadHeader(content);
    if (code == 0)
        code = ReadBody(content);
    return code;
}

int CBinaryPuzzleReader::Locate(PuzzleContent& content)
{
    content.headerOffset = file_.Data().indexOf(kMarker);
    return content.headerOffset < 0 ? 1 : 0;
}

bool CBinaryPuzzleReader::ReadByteAt(qint64 position, quint8* byte)
{
    char c = 0;
    if (file_.Seek(position) != position || file_.Read(&c, 1) != 1)
        return false;
    *byte = static_cast<quint8>(c);
    return true;
}

int CBinaryPuzzleReader::ReadHeader(PuzzleContent& content)
{
    const qint64 m = content.headerOffset;
    quint8 clueCount = 0;
    quint8 tag = 0;
    if (!ReadByteAt(m + kWidthAt, &content.width) || !ReadByteAt(m + kHeightAt, &content.height)
        || !ReadByteAt(m + kClueCountAt, &clueCount) || !ReadByteAt(m + kScrambledTagAt, &tag))
        return 4;
    content.scrambled = (tag & kScrambledBit) != 0;
    content.utf8 = VersionNumber(file_.Data(), m) >= kUtf8Version;
    content.clues.assign(clueCount, PuzzleClue());
    return 0;
}

int CBinaryPuzzleReader::ReadBody(PuzzleContent& content)
{
    // An empty grid has no cell to stand on; it is no puzzle.
    if (content.width == 0 || content.height == 0)
        return 1;
    if (!ReadGrids(content) || !ReadStrings(content))
        return 1;
    return NumberWords(content) ? 0 : 1;
}

bool CBinaryPuzzleReader::ReadGrids(PuzzleContent& content)
{
    const int cellCount = content.width * content.height;
    const qint64 solutionAt = content.headerOffset + kGridsAt;
    if (solutionAt + 2 * qint64(cellCount) > file_.GetLength())
        return false;
    const char* solutions = file_.Data().constData() + solutionAt;
    const char* entries = solutions + cellCount;
    content.cells.assign(static_cast<size_t>(cellCount), PuzzleCell());
    content.letterCount = 0;
    content.filledCount = 0;
    for (PuzzleCell& cell : content.cells) {
        cell.solution = SolutionFromByte(*solutions++);
        // A black square never holds an entry, whatever its byte in the file.
        cell.entry = cell.solution == ' ' ? ' ' : EntryFromByte(*entries);
        ++entries;
        content.letterCount += cell.solution != ' ';
        content.filledCount += cell.entry != ' ';
    }
    return true;
}

// A string runs up to its NUL, however long; one that runs off the end of
// the file makes the file invalid. The text shares the image's storage:
// a puzzle has a hundred strings or more.
bool CBinaryPuzzleReader::ReadString(qint64* position, QByteArray* text)
{
    const QByteArray& image = file_.Data();
    if (*position >= image.size())
        return false;
    const qsizetype nul = image.indexOf('\0', *position);
    if (nul < 0)
        return false;
    *text = SharedSlice(image, *position, nul - *position);
    *position = nul + 1;
    return true;
}

bool CBinaryPuzzleReader::ReadStrings(PuzzleContent& content)
{
    qint64 position = content.headerOffset + kGridsAt + 2 * qint64(content.width * content.height);
    if (!ReadString(&position, &content.title) || !ReadString(&position, &content.author)
        || !ReadString(&position, &content.copyright))
        return false;
    for (PuzzleClue& clue : content.clues) {
        if (!ReadString(&position, &clue.text))
            return false;
    }
    ReadNotesAndSections(content, position);
    return true;
}

// After the clues comes the notes string, which a file may lack when it ends
// with its clues, then the sections. Whatever these hold, the puzzle opens:
// at worst without its notes or sections.
void CBinaryPuzzleReader::ReadNotesAndSections(PuzzleContent& content, qint64 position)
{
    const QByteArray& image = file_.Data();
    QByteArray notes;
    content.hasNotesString = ReadString(&position, &notes);
    if (VersionNumber(image, content.headerOffset) >= kNotesVersion)
        content.notes = notes;
    content.sectionsOffset = position;
    content.sections.Parse(QByteArrayView(image).sliced(position));
    PuzExtras::Read(content);
}

// Gives each word start its number and the next clue record, row by row, a
// cell's across word before its down word, and marks the word's cells. False
// when the words do not match the header's clue count.
bool CBinaryPuzzleReader::NumberWords(PuzzleContent& content)
{
    const int width = content.width;
    const int height = content.height;
    auto isLetter = [&](int row, int column) {
        return content.cells[static_cast<size_t>(row * width + column)].solution != ' ';
    };
    auto cellAt = [&](int row, int column) -> PuzzleCell& {
        return content.cells[static_cast<size_t>(row * width + column)];
    };
    const size_t recordCount = content.clues.size();
    size_t k = 0;
    quint8 number = 1;
    content.acrossCount = 0;
    content.downCount = 0;
    for (int row = 0; row < height; ++row) {
        for (int column = 0; column < width; ++column) {
            if (!isLetter(row, column))
                continue;
            bool startsWord = false;
            if ((column == 0 || !isLetter(row, column - 1)) && column < width - 1 && isLetter(row, column + 1)) {
                if (k >= recordCount)
                    return false;
                content.clues[k].number = number;
                content.clues[k].isAcross = 1;
                for (int c = column; c < width && isLetter(row, c); ++c)
                    cellAt(row, c).acrossClue = static_cast<qint32>(k);
                ++content.acrossCount;
                ++k;
                startsWord = true;
            }
            if ((row == 0 || !isLetter(row - 1, column)) && row < height - 1 && isLetter(row + 1, column)) {
                if (k >= recordCount)
                    return false;
                content.clues[k].number = number;
                content.clues[k].isAcross = 0;
                for (int r = row; r < height && isLetter(r, column); ++r)
                    cellAt(r, column).downClue = static_cast<qint32>(k);
                ++content.downCount;
                ++k;
                startsWord = true;
            }
            if (startsWord)
                ++number;
        }
    }
    return k == recordCount;
}
