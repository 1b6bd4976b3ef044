#pragma once

#include <QByteArray>
#include <QtGlobal>

class CPuzzleFile;
struct PuzzleContent;
struct XmlNode;

// Reads the program's own puzzle document (root element "crossword") from the
// open file image: size, title, author, solution, clues and the solver's
// entries, which live in the value of the element "AllDecision". A document
// without that element gets it inserted once, before the end tag of
// "crossword", unless the file is read-only; the entries are then written
// into its value and nowhere else.
class CPuzzleDocumentReader {
public:
    explicit CPuzzleDocumentReader(CPuzzleFile& file);

    // 0 on success, 1 when the document is invalid, 5 when the progress
    // element could not be inserted.
    int Read(PuzzleContent& content, bool readOnly);

    // Replaces "%" and two characters by one: "20" a space, "22" a double
    // quote, "2C" a comma, any other pair a space.
    static QByteArray DecodePercent(QByteArrayView text);
    // The position of the first character of an attribute's value in the
    // text, from the position of its name; -1 when no "=" follows the name.
    static qint64 AttributeValueStart(const QByteArray& text, qint64 namePosition, QByteArrayView name);

private:
    int ReadSizeAndSolution(const XmlNode* root, PuzzleContent& content);
    int ReadClues(const XmlNode* root, PuzzleContent& content);
    int ReadClue(const XmlNode* element, int record, bool across, PuzzleContent& content);
    int ReadEntries(const XmlNode* root, PuzzleContent& content, bool readOnly);
    int InsertProgressElement(qint64 endOfDocument, PuzzleContent& content);

    CPuzzleFile& file_;
};
