#pragma once

#include <QByteArray>
#include <QList>
#include <QtGlobal>

// Builds the bytes of a binary crossword file with correct checksums. The grid
// is given as rows of equal length, "." for a black square. By default every
// entry is empty ("-"), the clues read "1 Across", "1 Down", ... in the file's
// clue order, and the marker sits at offset 2.
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

private:
    QByteArray Grid(const QList<QByteArray>& rows) const;
    QList<QByteArray> DefaultClues() const;

    QList<QByteArray> solution_;
    QList<QByteArray> entries_;
    QByteArray title_ = "Test Puzzle";
    QByteArray author_ = "Test Author";
    QByteArray copyright_ = "Test Copyright";
    QByteArray notes_;
    QList<QByteArray> clues_;
    int declaredClueCount_ = -1;
    quint16 scrambledTag_ = 0;
    QByteArray leading_;
};
