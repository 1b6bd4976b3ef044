// Feeds arbitrary bytes to the XML reader and checks the tree it builds: every
// position lies inside the text, children point back at their parents,
// attributes come first, names and values end in a NUL, nesting stays within
// the limit, and the lookups on the tree agree with it.

#include "core/xml_reader.h"
#include "fuzz_check.h"

#include <QByteArray>
#include <QList>

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

bool IsWhiteSpace(char c)
{
    return c == 9 || c == 10 || c == 13 || c == 32;
}

QByteArray AsciiUpper(QByteArray text)
{
    for (char& c : text) {
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
    }
    return text;
}

// Every name and value the tree holds ends in a NUL right after its bytes.
void CheckTerminated(QByteArrayView bytes)
{
    FUZZ_CHECK(bytes.isNull() || bytes.data()[bytes.size()] == '\0');
    FUZZ_CHECK(bytes.isNull() || std::strlen(bytes.data()) == size_t(bytes.size()));
}

void CheckEntry(const XmlEntry& entry, qint32 length)
{
    FUZZ_CHECK(entry.position >= 0 && entry.position < length);
    CheckTerminated(entry.name);
    CheckTerminated(entry.value);
    switch (entry.kind) {
    case XmlEntry::Attribute:
        FUZZ_CHECK(!entry.name.isEmpty());
        FUZZ_CHECK(!entry.element);
        break;
    case XmlEntry::Text:
        FUZZ_CHECK(!entry.value.isEmpty());
        FUZZ_CHECK(!IsWhiteSpace(entry.value.back()));
        break;
    case XmlEntry::Verbatim:
        FUZZ_CHECK(entry.opening && entry.closing);
        break;
    case XmlEntry::Element:
        FUZZ_CHECK(entry.element);
        break;
    }
}

// Walks the tree depth-first (without recursion, so a broken depth limit shows
// as a failed check rather than as an overflow here), collecting element names.
void CheckTree(const XmlNode& root, qint32 length, QList<QByteArray>* names)
{
    struct Frame {
        const XmlNode* node;
        int depth;
    };
    QList<Frame> stack{{&root, 0}};
    while (!stack.isEmpty()) {
        const Frame frame = stack.takeLast();
        const XmlNode& node = *frame.node;
        FUZZ_CHECK(frame.depth <= XmlError::kMaxDepth);
        FUZZ_CHECK(node.endPosition >= 0 && node.endPosition <= length);
        FUZZ_CHECK(frame.depth == 0 ? node.name.isNull() : !node.name.isEmpty());
        CheckTerminated(node.name);
        bool pastAttributes = false;
        int index = 0;
        while (const XmlEntry* entry = NextEntry(&node, &index)) {
            CheckEntry(*entry, length);
            if (entry->kind == XmlEntry::Attribute)
                FUZZ_CHECK(!pastAttributes && frame.depth > 0);
            else
                pastAttributes = true;
            if (entry->kind == XmlEntry::Element) {
                FUZZ_CHECK(entry->element->parent == &node);
                if (names->size() < 8)
                    names->append(entry->element->name.toByteArray());
                stack.append({entry->element, frame.depth + 1});
            }
        }
        FUZZ_CHECK(index == int(node.entries.size()));
    }
}

void CheckLookups(const XmlNode* root, const QList<QByteArray>& names, qint32 length)
{
    for (const QByteArray& name : names) {
        const XmlNode* exact = FindElement(root, name, true);
        if (exact)
            FUZZ_CHECK(exact->name == name);
        const XmlNode* anyCase = FindElement(root, AsciiUpper(name), false);
        if (anyCase)
            FUZZ_CHECK(AsciiUpper(anyCase->name.toByteArray()) == AsciiUpper(name));
        for (int number = 0; number < 3; ++number) {
            qint32 position = -1;
            QByteArray value;
            QByteArray attributeName;
            const int result = GetElementAttribute(root, name, number, &position, &value,
                                                   &attributeName);
            FUZZ_CHECK(result == 0 || result == 1 || result == 3);
            FUZZ_CHECK((result == 1) == (exact == nullptr));
            if (result != 0)
                continue;
            FUZZ_CHECK(position >= 0 && position < length);
            FUZZ_CHECK(!value.contains('"'));
            FUZZ_CHECK(!attributeName.isEmpty());
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // QByteArray keeps a NUL after its bytes; the reader stops at the first NUL.
    const QByteArray text(reinterpret_cast<const char*>(data), qsizetype(size));
    const auto length = qint32(std::strlen(text.constData()));

    XmlError error;
    std::unique_ptr<XmlDocument> root = ParseXml(text.constData(), &error);
    FUZZ_CHECK(error.line >= 1 && error.column >= 1);
    FUZZ_CHECK(error.line <= text.left(length).count('\n') + 1);
    if (!root) {
        FUZZ_CHECK(error.code != XmlError::None);
        return 0;
    }
    FUZZ_CHECK(error.code == XmlError::None);

    QList<QByteArray> names;
    CheckTree(*root, length, &names);
    CheckLookups(root.get(), names, length);
    FreeXml(root);
    FUZZ_CHECK(!root);
    return 0;
}
