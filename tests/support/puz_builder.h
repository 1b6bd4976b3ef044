#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QtGlobal>

// One extra section of a binary crossword file as a test reads it back.
struct PuzSectionBytes {
    QByteArray title;
    QByteArray data;
    bool checksumValid = false;
};

// Builds the bytes of a binary crossword file with correct checksums. The grid
// is given as rows of equal length, "." (or the diagramless ":") for a black
// square. By default the version is "1.3", every entry is empty ("-"), the
// clues read "1 Across", "1 Down", ... in the file's clue order, the notes are
// empty, no section follows them, and the marker sits at offset 2.
class PuzBuilder {
public:
    explicit PuzBuilder(const QList<QByteArray>& solutionRows);

    PuzBuilder& Entries(const QList<QByteArray>& rows);
    PuzBuilder& Title(const QByteArray& text);
    PuzBuilder& Author(const QByteArray& text);
    PuzBuilder& Copyright(const QByteArray& text);
    PuzBuilder& Notes(const QByteArray& text);
    PuzBuilder& Clues(const QList<QByteArray>& texts);
    // The clue count written in the header, when it should not match the words.
    PuzBuilder& DeclaredClueCount(int count);
    PuzBuilder& ScrambledTag(quint16 tag);
    // Bytes placed in front of the file, so the marker moves by their length.
    PuzBuilder& LeadingBytes(const QByteArray& bytes);
    // The version text at marker + 0x16 (up to 3 characters and a NUL).
    PuzBuilder& Version(const QByteArray& text);
    // Leaves out the notes string, as files made before notes existed do.
    PuzBuilder& WithoutNotesString();
    // A section after the notes, with its length, checksum and NUL.
    PuzBuilder& Section(const QByteArray& title, const QByteArray& data);
    // Bytes after the sections as they are, for sections that lie.
    PuzBuilder& Tail(const QByteArray& bytes);
    // A "GEXT" section circling the given cells.
    PuzBuilder& Circles(const QList<int>& cells);
    // "GRBS" and "RTBL" sections: cell index -> the square's whole answer.
    PuzBuilder& Rebus(const QMap<int, QByteArray>& answers);
    // A "RUSR" section: cell index -> the solver's rebus entry.
    PuzBuilder& UserRebus(const QMap<int, QByteArray>& entries);

    QByteArray Build() const;

    // Where the marker and the two grids of the built file lie.
    qint64 MarkerOffset() const;
    qint64 SolutionOffset() const;
    qint64 EntryOffset() const;
    int WordCount() const;

    // The format's running checksum.
    static quint16 Checksum(const QByteArray& bytes, quint16 start);
    // True when the file's checksums match its content (marker at offset 2 +
    // leading bytes given by markerOffset).
    static bool HasValidChecksums(const QByteArray& file, qint64 markerOffset);
    // The bytes of one section: title, length, checksum, data and NUL.
    static QByteArray SectionBytes(const QByteArray& title, const QByteArray& data);
    // The sections of a file with its marker at offset 2 and a notes string,
    // read independently of the program's reader; stops at the first bytes
    // that are no whole section.
    static QList<PuzSectionBytes> Sections(const QByteArray& file);
    static QByteArray SectionData(const QByteArray& file, const QByteArray& title);

private:
    QByteArray Grid(const QList<QByteArray>& rows) const;
    QList<QByteArray> DefaultClues() const;
    QList<QByteArray> BlackAsDot() const;

    QList<QByteArray> solution_;
    QList<QByteArray> entries_;
    QByteArray title_ = "Test Puzzle";
    QByteArray author_ = "Test Author";
    QByteArray copyright_ = "Test Copyright";
    QByteArray notes_;
    QByteArray version_ = "1.3";
    bool notesString_ = true;
    QByteArray sections_;
    QByteArray tail_;
    QList<QByteArray> clues_;
    int declaredClueCount_ = -1;
    quint16 scrambledTag_ = 0;
    QByteArray leading_;
};
