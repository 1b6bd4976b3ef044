#include "core/document_pencil.h"

#include "core/puzzle_content.h"
#include "core/puzzle_document_reader.h"
#include "core/puzzle_file.h"
#include "core/xml_reader.h"


namespace DocumentPencil {
namespace {

constexpr char kProgressElement[] = "AllDecision";

struct FoundAttribute {
    QByteArray value;
    qint64 valueStart = -1;
};

// The first attribute of the progress element with the name, after the
// entries (its first attribute); nothing found leaves valueStart at -1.
FoundAttribute FindAttribute(const XmlNode* root, const QByteArray& text, QByteArrayView wanted)
{
    FoundAttribute found;
    QByteArray name;
    qint32 position = 0;
    for (int number = 1;
         GetElementAttribute(root, QByteArrayView(kProgressElement), number, &position, &found.value, &name) == 0;
         ++number) {
        if (name == wanted) {
            found.valueStart = CPuzzleDocumentReader::AttributeValueStart(text, position, name);
            return found;
        }
    }
    return FoundAttribute();
}

QByteArray Marks(const PuzzleContent& content)
{
    QByteArray marks(qsizetype(content.cells.size()), kUnmarked);
    for (size_t i = 0; i < content.pencil.size(); ++i) {
        if (content.IsPencil(i))
            marks[qsizetype(i)] = kMarked;
    }
    return marks;
}

// Whether the text, read again, keeps its entries where they were and finds
// the marks at valueStart.
bool MarksAreFoundAt(const QByteArray& text, qint64 entriesStart, qint64 valueStart)
{
    XmlError error;
    const std::unique_ptr<XmlDocument> root = ParseXml(text.constData(), &error);
    QByteArray value;
    QByteArray name;
    qint32 position = 0;
    if (!root || GetElementAttribute(root.get(), QByteArrayView(kProgressElement), 0, &position, &value, &name) != 0
        || CPuzzleDocumentReader::AttributeValueStart(text, position, name) != entriesStart)
        return false;
    return FindAttribute(root.get(), text, kAttribute).valueStart == valueStart;
}

// The new attribute goes right after the closing quote of the entries.
bool InsertAttribute(CPuzzleFile& file, PuzzleContent& content, const QByteArray& marks)
{
    const qint64 at = content.progressOffset + qint64(content.cells.size()) + 1;
    const QByteArray& image = file.Data();
    if (content.progressOffset < 0 || at > image.size() || image[at - 1] != '"')
        return false;
    const QByteArray attribute = QByteArray(" ") + kAttribute + "=\"" + marks + '"';
    const qint64 valueStart = at + attribute.size() - marks.size() - 1;
    const QByteArray rest = image.mid(at);
    if (!MarksAreFoundAt(image.left(at) + attribute + rest, content.progressOffset, valueStart)
        || file.Seek(at) != at)
        return false;
    file.Write(attribute.constData(), attribute.size());
    file.Write(rest.constData(), rest.size());
    content.pencilOffset = valueStart;
    return true;
}

} // namespace

void Read(const XmlNode* root, const QByteArray& text, PuzzleContent& content)
{
    const FoundAttribute found = FindAttribute(root, text, kAttribute);
    if (found.valueStart < 0)
        return;
    const qsizetype cellCount = qsizetype(content.cells.size());
    if (found.value.size() != cellCount || text.mid(found.valueStart, cellCount) != found.value) {
        content.pencilOffset = kUnusable;
        return;
    }
    content.pencilOffset = found.valueStart;
    for (qsizetype i = 0; i < cellCount; ++i) {
        if (found.value[i] != kMarked || content.cells[size_t(i)].entry == ' ')
            continue;
        content.MarkPencil(size_t(i));
    }
}

bool Write(CPuzzleFile& file, PuzzleContent& content)
{
    if (content.pencilOffset == kUnusable)
        return false;
    const QByteArray marks = Marks(content);
    if (content.pencilOffset < 0)
        return !content.HasPencil() || InsertAttribute(file, content, marks);
    if (file.Seek(content.pencilOffset) != content.pencilOffset)
        return false;
    file.Write(marks.constData(), marks.size());
    return true;
}

} // namespace DocumentPencil
