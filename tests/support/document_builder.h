#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>

// Builds the text of a puzzle document. The grid is given as rows of equal
// length, "." for a black square (written "-" in the document). By default
// the document has a title, an author, the size, the solution and one clue
// element per word ("a1", "a2", ... and "d1", ...) reading "1 Across" and so
// on, percent-encoded, and no "AllDecision" element.
class DocumentBuilder {
public:
    explicit DocumentBuilder(const QList<QByteArray>& solutionRows);

    DocumentBuilder& Title(const QByteArray& text);
    DocumentBuilder& Author(const QByteArray& text);
    // The stored entries, one character a cell, a space for an empty cell.
    DocumentBuilder& Decision(const QByteArray& value);
    // Replaces the whole line of a top-level element ("Width", "Title",
    // "AllAnswer", "AllDecision", ...); an empty line removes the element.
    DocumentBuilder& Line(const QByteArray& element, const QByteArray& line);
    // Replaces the attributes of one clue element, for example "a2".
    DocumentBuilder& ClueAttributes(const QByteArray& element, const QByteArray& attributes);
    // Text placed just before the end tag of "crossword", such as a comment.
    DocumentBuilder& Trailer(const QByteArray& text);

    QByteArray Build() const;

    // The container form: the magic "kavlith01" and the zlib-compressed text.
    static QByteArray Pack(const QByteArray& text);
    static QByteArray Unpack(const QByteArray& packed);
    // Encodes spaces, double quotes and commas the way clue texts are stored.
    static QByteArray EncodeClue(const QByteArray& text);
    // The progress element the program inserts for a grid of that many cells.
    static QByteArray ProgressElement(int cellCount);

private:
    QByteArray ClueBlock(bool across) const;
    static QByteArray ValueLine(const QByteArray& element, const QByteArray& value);

    QList<QByteArray> solution_;
    QMap<QByteArray, QByteArray> lines_;
    QMap<QByteArray, QByteArray> clueAttributes_;
    QByteArray trailer_;
};
