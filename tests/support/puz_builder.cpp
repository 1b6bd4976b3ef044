#include "puz_builder.h"

#include "grid_words.h"

namespace {

void AppendLittleEndian16(QByteArray& bytes, quint16 value)
{
    bytes.append(char(value & 0xFF));
    bytes.append(char(value >> 8));
}

void PutLittleEndian16(QByteArray& bytes, qint64 at, quint16 value)
{
    bytes[at] = char(value & 0xFF);
    bytes[at + 1] = char(value >> 8);
}

struct Sums {
    quint16 header = 0;
    quint16 solution = 0;
    quint16 entries = 0;
    quint16 text = 0;
    quint16 file = 0;
};

// Splits the strings after the grids: title, author, copyright, the clues and
// the notes, each without its NUL.
QList<QByteArray> SplitStrings(const QByteArray& file, qint64 from, int clueCount)
{
    QList<QByteArray> strings;
    qint64 at = from;
    for (int i = 0; i < 3 + clueCount + 1 && at < file.size(); ++i) {
        qint64 nul = file.indexOf('\0', at);
        if (nul < 0)
            break;
        strings.append(file.mid(at, nul - at));
        at = nul + 1;
    }
    return strings;
}

// Notes count from version 1.3 on.
bool NotesSummed(const QByteArray& file, qint64 m)
{
    const QByteArray version = file.mid(m + 0x16, 3);
    return version.size() == 3 && version[1] == '.' && (version[0] > '1' || (version[0] == '1' && version[2] >= '3'));
}

quint16 TextSum(const QList<QByteArray>& strings, int clueCount, bool withNotes, quint16 c)
{
    for (int i = 0; i < strings.size(); ++i) {
        if (i == 3 + clueCount && !withNotes)
            break;
        const QByteArray& s = strings[i];
        if (s.isEmpty())
            continue;
        const bool isClue = i >= 3 && i < 3 + clueCount;
        c = PuzBuilder::Checksum(isClue ? s : s + QByteArray(1, '\0'), c);
    }
    return c;
}

Sums ComputeSums(const QByteArray& file, qint64 m)
{
    const int width = quint8(file[m + 0x2A]);
    const int height = quint8(file[m + 0x2B]);
    const int clueCount = quint8(file[m + 0x2C]);
    const int cells = width * height;
    const QByteArray solution = file.mid(m + 50, cells);
    const QByteArray entries = file.mid(m + 50 + cells, cells);
    const QList<QByteArray> strings = SplitStrings(file, m + 50 + 2 * cells, clueCount);
    const bool notes = NotesSummed(file, m);
    Sums sums;
    sums.header = PuzBuilder::Checksum(file.mid(m + 0x2A, 8), 0);
    sums.solution = PuzBuilder::Checksum(solution, 0);
    sums.entries = PuzBuilder::Checksum(entries, 0);
    sums.text = TextSum(strings, clueCount, notes, 0);
    sums.file = TextSum(strings, clueCount, notes,
                        PuzBuilder::Checksum(entries, PuzBuilder::Checksum(solution, sums.header)));
    return sums;
}

QByteArray MaskedSums(const Sums& sums)
{
    const quint16 parts[4] = {sums.header, sums.solution, sums.entries, sums.text};
    QByteArray masked(8, '\0');
    for (int i = 0; i < 4; ++i) {
        masked[i] = char((parts[i] & 0xFF) ^ "ICHE"[i]);
        masked[i + 4] = char((parts[i] >> 8) ^ "ATED"[i]);
    }
    return masked;
}

} // namespace

PuzBuilder::PuzBuilder(const QList<QByteArray>& solutionRows) : solution_(solutionRows)
{
    for (const QByteArray& row : solutionRows) {
        QByteArray empty = row;
        for (char& c : empty)
            c = c == '.' || c == ':' ? c : '-';
        entries_.append(empty);
    }
}

PuzBuilder& PuzBuilder::Entries(const QList<QByteArray>& rows)
{
    entries_ = rows;
    return *this;
}

PuzBuilder& PuzBuilder::Title(const QByteArray& text)
{
    title_ = text;
    return *this;
}

PuzBuilder& PuzBuilder::Author(const QByteArray& text)
{
    author_ = text;
    return *this;
}

PuzBuilder& PuzBuilder::Copyright(const QByteArray& text)
{
    copyright_ = text;
    return *this;
}

PuzBuilder& PuzBuilder::Notes(const QByteArray& text)
{
    notes_ = text;
    return *this;
}

PuzBuilder& PuzBuilder::Clues(const QList<QByteArray>& texts)
{
    clues_ = texts;
    return *this;
}

PuzBuilder& PuzBuilder::DeclaredClueCount(int count)
{
    declaredClueCount_ = count;
    return *this;
}

PuzBuilder& PuzBuilder::ScrambledTag(quint16 tag)
{
    scrambledTag_ = tag;
    return *this;
}

PuzBuilder& PuzBuilder::LeadingBytes(const QByteArray& bytes)
{
    leading_ = bytes;
    return *this;
}

PuzBuilder& PuzBuilder::Version(const QByteArray& text)
{
    version_ = text;
    return *this;
}

PuzBuilder& PuzBuilder::WithoutNotesString()
{
    notesString_ = false;
    return *this;
}

PuzBuilder& PuzBuilder::Section(const QByteArray& title, const QByteArray& data)
{
    sections_ += SectionBytes(title, data);
    return *this;
}

PuzBuilder& PuzBuilder::Tail(const QByteArray& bytes)
{
    tail_ = bytes;
    return *this;
}

PuzBuilder& PuzBuilder::Circles(const QList<int>& cells)
{
    QByteArray markup(Grid(solution_).size(), '\0');
    for (const int cell : cells)
        markup[cell] = char(0x80);
    return Section("GEXT", markup);
}

PuzBuilder& PuzBuilder::Rebus(const QMap<int, QByteArray>& answers)
{
    QByteArray grid(Grid(solution_).size(), '\0');
    QByteArray table;
    int key = 0;
    for (auto it = answers.cbegin(); it != answers.cend(); ++it, ++key) {
        grid[it.key()] = char(key + 1);
        table += QByteArray::number(key).rightJustified(2, ' ') + ':' + it.value() + ';';
    }
    return Section("GRBS", grid).Section("RTBL", table);
}

PuzBuilder& PuzBuilder::UserRebus(const QMap<int, QByteArray>& entries)
{
    QByteArray data;
    for (int i = 0; i < Grid(solution_).size(); ++i)
        data += entries.value(i) + QByteArray(1, '\0');
    return Section("RUSR", data);
}

QList<QByteArray> PuzBuilder::BlackAsDot() const
{
    QList<QByteArray> rows = solution_;
    for (QByteArray& row : rows)
        row.replace(':', '.');
    return rows;
}

int PuzBuilder::WordCount() const
{
    return int(FindGridWords(BlackAsDot(), '.').size());
}

QList<QByteArray> PuzBuilder::DefaultClues() const
{
    QList<QByteArray> clues;
    for (const GridWord& word : FindGridWords(BlackAsDot(), '.'))
        clues.append(QByteArray::number(word.number) + (word.across ? " Across" : " Down"));
    return clues;
}

QByteArray PuzBuilder::Grid(const QList<QByteArray>& rows) const
{
    QByteArray grid;
    for (const QByteArray& row : rows)
        grid += row;
    return grid;
}

qint64 PuzBuilder::MarkerOffset() const
{
    return leading_.size() + 2;
}

qint64 PuzBuilder::SolutionOffset() const
{
    return MarkerOffset() + 50;
}

qint64 PuzBuilder::EntryOffset() const
{
    return SolutionOffset() + Grid(solution_).size();
}

QByteArray PuzBuilder::Build() const
{
    const QList<QByteArray> clues = clues_.isEmpty() ? DefaultClues() : clues_;
    const int width = solution_.isEmpty() ? 0 : int(solution_[0].size());
    const int height = int(solution_.size());
    const int declared = declaredClueCount_ >= 0 ? declaredClueCount_ : int(clues.size());

    QByteArray file = leading_;
    file += QByteArray(2, '\0');                 // file checksum
    file += QByteArray("ACROSS&DOWN", 12);       // marker and its NUL
    file += QByteArray(2 + 8, '\0');             // header checksum, masked checksums
    file += version_.leftJustified(4, '\0', true);
    file += QByteArray(2 + 2 + 12, '\0');        // reserved, scrambled checksum, reserved
    file.append(char(width));
    file.append(char(height));
    AppendLittleEndian16(file, quint16(declared));
    AppendLittleEndian16(file, 0x0001);          // puzzle type
    AppendLittleEndian16(file, scrambledTag_);
    file += Grid(solution_);
    file += Grid(entries_);
    for (const QByteArray& text : {title_, author_, copyright_})
        file += text + QByteArray(1, '\0');
    for (const QByteArray& clue : clues)
        file += clue + QByteArray(1, '\0');
    if (notesString_)
        file += notes_ + QByteArray(1, '\0');
    file += sections_ + tail_;

    const qint64 m = MarkerOffset();
    const Sums sums = ComputeSums(file, m);
    PutLittleEndian16(file, m - 2, sums.file);
    PutLittleEndian16(file, m + 0x0C, sums.header);
    file.replace(m + 0x0E, 8, MaskedSums(sums));
    return file;
}

quint16 PuzBuilder::Checksum(const QByteArray& bytes, quint16 start)
{
    quint16 c = start;
    for (const char b : bytes) {
        c = (c & 1) ? quint16((c >> 1) + 0x8000) : quint16(c >> 1);
        c = quint16(c + quint8(b));
    }
    return c;
}

bool PuzBuilder::HasValidChecksums(const QByteArray& file, qint64 markerOffset)
{
    const qint64 m = markerOffset;
    const Sums sums = ComputeSums(file, m);
    auto at = [&](qint64 p) { return quint16(quint8(file[p]) | (quint8(file[p + 1]) << 8)); };
    return at(m - 2) == sums.file && at(m + 0x0C) == sums.header && file.mid(m + 0x0E, 8) == MaskedSums(sums);
}

QByteArray PuzBuilder::SectionBytes(const QByteArray& title, const QByteArray& data)
{
    QByteArray bytes = title.leftJustified(4, ' ', true);
    AppendLittleEndian16(bytes, quint16(data.size()));
    AppendLittleEndian16(bytes, Checksum(data, 0));
    return bytes + data + QByteArray(1, '\0');
}

QList<PuzSectionBytes> PuzBuilder::Sections(const QByteArray& file)
{
    const qint64 m = 2;
    const int cells = quint8(file[m + 0x2A]) * quint8(file[m + 0x2B]);
    const int clueCount = quint8(file[m + 0x2C]);
    qint64 at = m + 50 + 2 * cells;
    for (int i = 0; i < 3 + clueCount + 1 && at > 0; ++i)
        at = file.indexOf('\0', at) + 1;
    QList<PuzSectionBytes> sections;
    while (at > 0 && at + 8 <= file.size()) {
        const int length = quint8(file[at + 4]) | (quint8(file[at + 5]) << 8);
        if (at + 8 + length + 1 > file.size() || file[at + 8 + length] != '\0')
            break;
        const quint16 stored = quint16(quint8(file[at + 6]) | (quint8(file[at + 7]) << 8));
        const QByteArray data = file.mid(at + 8, length);
        sections.append({file.mid(at, 4), data, stored == Checksum(data, 0)});
        at += 8 + length + 1;
    }
    return sections;
}

QByteArray PuzBuilder::SectionData(const QByteArray& file, const QByteArray& title)
{
    for (const PuzSectionBytes& section : Sections(file)) {
        if (section.title == title)
            return section.data;
    }
    return QByteArray();
}
