#include "core/puzzle_document_reader.h"

#include "core/document_pencil.h"
#include "core/puzzle_content.h"
#include "core/puzzle_file.h"
#include "core/xml_reader.h"

namespace {

// The reader's limit for every value it takes from the document.
constexpr qsizetype kLongestValue = 499;
constexpr char kRootName[] = "crossword";
constexpr char kProgressStart[] = "<AllDecision v=\"";
constexpr qint64 kProgressStartLength = 16;
constexpr char kProgressEnd[] = "\" />\n";

enum Found { Present, ElementMissing, AttributeMissing };

// The first attribute of the first element of that name, with its quotes
// removed. An element without attributes, or a value longer than the
// reader's limit, counts as AttributeMissing.
Found FirstAttribute(const XmlNode* root, const char* element, QByteArray* value,
                     qint32* position = nullptr, QByteArray* name = nullptr)
{
    qint32 at = 0;
    QByteArray attributeName;
    const int result = GetElementAttribute(root, QByteArray(element), 0, &at, value, &attributeName);
    if (result == 1)
        return ElementMissing;
    if (result != 0 || value->size() > kLongestValue)
        return AttributeMissing;
    if (position != nullptr)
        *position = at;
    if (name != nullptr)
        *name = attributeName;
    return Present;
}

// Decimal digits taken modulo 256, as the sizes and clue numbers are bytes.
quint8 ByteFromDecimal(QByteArrayView text)
{
    quint8 value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            break;
        value = static_cast<quint8>(value * 10 + (c - '0'));
    }
    return value;
}

// The whole number, or -1 when the text does not start with a digit.
qint64 PositionFromDecimal(QByteArrayView text)
{
    qint64 value = -1;
    for (const char c : text) {
        if (c < '0' || c > '9' || value > 1'000'000)
            break;
        value = (value < 0 ? 0 : value * 10) + (c - '0');
    }
    return value;
}

QByteArrayView WithoutQuotes(QByteArrayView value)
{
    qsizetype start = 0;
    while (start < value.size() && value[start] == '"')
        ++start;
    const qsizetype end = value.indexOf('"', start);
    return value.sliced(start, (end < 0 ? value.size() : end) - start);
}

bool IsWhiteSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// The position of the first character of an attribute's value, found from the
// position of its name: past the name, the "=" and the opening quotes.
qint64 ValueStart(const QByteArray& image, qint64 namePosition, QByteArrayView name)
{
    qint64 p = namePosition + name.size();
    while (p < image.size() && IsWhiteSpace(image[p]))
        ++p;
    if (p >= image.size() || image[p] != '=')
        return -1;
    ++p;
    while (p < image.size() && IsWhiteSpace(image[p]))
        ++p;
    while (p < image.size() && image[p] == '"')
        ++p;
    return p;
}

// True when one of the element's own children has an attribute whose value
// starts at valueStart.
bool HasChildWithValueAt(const XmlNode* element, const QByteArray& text, qint64 valueStart)
{
    for (const XmlEntry& entry : element->entries) {
        if (entry.kind != XmlEntry::Element)
            continue;
        for (const XmlEntry& attribute : entry.element->entries) {
            if (attribute.kind == XmlEntry::Attribute
                && ValueStart(text, attribute.position, attribute.name) == valueStart)
                return true;
        }
    }
    return false;
}

// True when the first "AllDecision" of the text has its value starting at
// valueStart, that is, when a reopened document finds its progress there, and
// when that element is a child of "crossword" itself. Inside an element left
// open it would count as one more clue of "across" or "down" and change the
// puzzle the reopened document reads.
bool ProgressIsFoundAt(const QByteArray& text, qint64 valueStart)
{
    XmlError error;
    const std::unique_ptr<XmlDocument> root = ParseXml(text.constData(), &error);
    QByteArray value;
    QByteArray name;
    qint32 position = 0;
    if (!root || FirstAttribute(root.get(), "AllDecision", &value, &position, &name) != Present
        || ValueStart(text, position, name) != valueStart)
        return false;
    const XmlNode* crossword = FindElement(root.get(), QByteArray(kRootName), true);
    return crossword != nullptr && HasChildWithValueAt(crossword, text, valueStart);
}

// The position of the "<" of the root's end tag, which ends just before
// endOfDocument: the tag the XML reader took as the end of "crossword", in
// any case and with blanks before its ">" (the reader's tags hold no "<"
// inside). -1 when that tag names something else, such as "crosswords".
qint64 EndTagStart(const QByteArray& image, qint64 endOfDocument)
{
    if (endOfDocument < 1 || endOfDocument > image.size() || image[endOfDocument - 1] != '>')
        return -1;
    const qint64 at = image.lastIndexOf('<', endOfDocument - 1);
    if (at < 0 || image.mid(at, 2) != "</")
        return -1;
    const QByteArray name = image.mid(at + 2, endOfDocument - 1 - (at + 2)).trimmed();
    return name.compare(kRootName, Qt::CaseInsensitive) == 0 ? at : -1;
}

int CountChildElements(const XmlNode* node)
{
    if (node == nullptr)
        return 0;
    int count = 0;
    for (const XmlEntry& entry : node->entries) {
        if (entry.kind == XmlEntry::Element)
            ++count;
    }
    return count;
}

} // namespace

CPuzzleDocumentReader::CPuzzleDocumentReader(CPuzzleFile& file) : file_(file) {}

qint64 CPuzzleDocumentReader::AttributeValueStart(const QByteArray& text, qint64 namePosition, QByteArrayView name)
{
    return ValueStart(text, namePosition, name);
}

QByteArray CPuzzleDocumentReader::DecodePercent(QByteArrayView text)
{
    QByteArray decoded;
    decoded.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != '%' || i + 2 >= text.size()) {
            decoded.append(text[i]);
            continue;
        }
        const bool isQuote = text[i + 1] == '2' && text[i + 2] == '2';
        const bool isComma = text[i + 1] == '2' && (text[i + 2] == 'C' || text[i + 2] == 'c');
        decoded.append(isQuote ? '"' : isComma ? ',' : ' ');
        i += 2;
    }
    return decoded;
}

int CPuzzleDocumentReader::Read(PuzzleContent& content, bool readOnly)
{
    if (file_.GetLength() == 0)
        return 1;
    XmlError error;
    const std::unique_ptr<XmlDocument> root = ParseXml(file_.Data().constData(), &error);
    if (!root)
        return 1;
    int code = ReadSizeAndSolution(root.get(), content);
    if (code == 0)
        code = ReadClues(root.get(), content);
    if (code == 0)
        code = ReadEntries(root.get(), content, readOnly);
    if (code != 0)
        return code;
    content.CountLetters();
    return 0;
}

int CPuzzleDocumentReader::ReadSizeAndSolution(const XmlNode* root, PuzzleContent& content)
{
    QByteArray width;
    QByteArray height;
    QByteArray solution;
    if (FirstAttribute(root, "Width", &width) != Present || FirstAttribute(root, "Height", &height) != Present
        || FirstAttribute(root, "Title", &content.title) != Present
        || FirstAttribute(root, "Author", &content.author) != Present
        || FirstAttribute(root, "AllAnswer", &solution) != Present)
        return 1;
    content.width = ByteFromDecimal(width);
    content.height = ByteFromDecimal(height);
    const qsizetype cellCount = content.width * content.height;
    if (cellCount == 0 || solution.size() != cellCount)
        return 1;
    content.copyright = QByteArray();
    content.cells.assign(static_cast<size_t>(cellCount), PuzzleCell());
    for (qsizetype i = 0; i < cellCount; ++i) {
        const char c = solution[i];
        content.cells[static_cast<size_t>(i)].solution = c == '-' ? ' ' : UpperCaseLetter(c);
    }
    return 0;
}

int CPuzzleDocumentReader::ReadClues(const XmlNode* root, PuzzleContent& content)
{
    // A document without an "across" or "down" element has no clues that way.
    const int acrossCount = CountChildElements(FindElement(root, QByteArray("across"), true));
    const int downCount = CountChildElements(FindElement(root, QByteArray("down"), true));
    if (acrossCount + downCount > 255)
        return 1;
    content.acrossCount = static_cast<quint8>(acrossCount);
    content.downCount = static_cast<quint8>(downCount);
    content.clues.assign(static_cast<size_t>(acrossCount + downCount), PuzzleClue());
    for (int k = 1; k <= acrossCount + downCount; ++k) {
        const bool across = k <= acrossCount;
        const int number = across ? k : k - acrossCount;
        const QByteArray name = (across ? QByteArray("a") : QByteArray("d")) + QByteArray::number(number);
        const XmlNode* element = FindElement(root, name, true);
        if (element == nullptr)
            continue;
        const int code = ReadClue(element, k - 1, across, content);
        if (code != 0)
            return code;
    }
    return 0;
}

int CPuzzleDocumentReader::ReadClue(const XmlNode* element, int record, bool across, PuzzleContent& content)
{
    PuzzleClue& clue = content.clues[static_cast<size_t>(record)];
    qint64 start = -1;
    for (const XmlEntry& entry : element->entries) {
        if (entry.kind != XmlEntry::Attribute)
            continue;
        const QByteArrayView value = WithoutQuotes(entry.value);
        if (value.size() > kLongestValue)
            return 1;
        if (entry.name == "c")
            clue.text = DecodePercent(value);
        else if (entry.name == "n")
            start = PositionFromDecimal(value) - 1;
        else if (entry.name == "cn")
            clue.number = ByteFromDecimal(value);
    }
    clue.isAcross = across ? 1 : 0;
    if (start < 0)
        return 0;
    // A word that would start outside the grid makes the document invalid.
    const int width = content.width;
    const int height = content.height;
    if (start >= qint64(width) * height)
        return 1;
    int column = static_cast<int>(start % width);
    int row = static_cast<int>(start / width);
    while (column < width && row < height) {
        PuzzleCell& cell = content.cells[static_cast<size_t>(row * width + column)];
        if (cell.solution == ' ')
            break;
        if (across) {
            cell.acrossClue = record;
            ++column;
        } else {
            cell.downClue = record;
            ++row;
        }
    }
    return 0;
}

int CPuzzleDocumentReader::ReadEntries(const XmlNode* root, PuzzleContent& content, bool readOnly)
{
    QByteArray entries;
    QByteArray name;
    qint32 position = 0;
    const Found found = FirstAttribute(root, "AllDecision", &entries, &position, &name);
    const qsizetype cellCount = static_cast<qsizetype>(content.cells.size());
    if (found == AttributeMissing)
        return 1;
    if (found == Present) {
        // The stored entries are overwritten in place later, so they must be
        // exactly one character a cell and lie where the value is.
        const qint64 start = ValueStart(file_.Data(), position, name);
        if (entries.size() != cellCount || start < 0 || file_.Data().mid(start, cellCount) != entries)
            return 1;
        content.progressOffset = start;
        for (qsizetype i = 0; i < cellCount; ++i) {
            PuzzleCell& cell = content.cells[static_cast<size_t>(i)];
            if (cell.solution != ' ')
                cell.entry = UpperCaseLetter(entries[i]);
        }
        DocumentPencil::Read(root, file_.Data(), content);
        return 0;
    }
    if (readOnly)
        return 0;
    const XmlNode* crossword = FindElement(root, QByteArray(kRootName), true);
    if (crossword == nullptr)
        return 1;
    return InsertProgressElement(crossword->endPosition, content);
}

// Inserts the progress element right before the end tag of "crossword",
// which ends at endOfDocument; the entries start as spaces.
int CPuzzleDocumentReader::InsertProgressElement(qint64 endOfDocument, PuzzleContent& content)
{
    const qint64 at = EndTagStart(file_.Data(), endOfDocument);
    if (at < 0)
        return 1;
    const QByteArray element = QByteArray(kProgressStart) + QByteArray(content.cells.size(), ' ') + kProgressEnd;
    const QByteArray rest = file_.Data().mid(at);
    // An element left open before the end tag would enclose the new element,
    // and the search would never find it again: the progress would be lost.
    if (!ProgressIsFoundAt(file_.Data().left(at) + element + rest, at + kProgressStartLength))
        return 1;
    if (file_.Seek(at) != at)
        return 5;
    file_.Write(element.constData(), element.size());
    file_.Write(rest.constData(), rest.size());
    content.progressOffset = at + kProgressStartLength;
    return 0;
}
