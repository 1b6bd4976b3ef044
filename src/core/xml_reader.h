#pragma once

#include "core/xml_arena.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QtGlobal>

#include <cstddef>
#include <memory>

// A small, tolerant reader of XML-like 8-bit text. It builds a tree whose
// entries keep document order and the byte position of each entry in the
// source, because the document reader needs those positions to find its
// progress area inside the file image. Entities are not decoded.
//
// The whole tree (nodes, entry lists and the bytes of every name and value)
// lives in one arena owned by the returned document, so building it costs a
// handful of allocations and freeing it one. Names and values are views into
// that arena, each followed by a NUL; copy them (toByteArray) to keep them
// past the document.

struct XmlNode;

struct XmlEntry {
    enum Kind : quint8 { Attribute = 1, Element = 2, Text = 3, Verbatim = 4 };

    Kind kind = Text;
    qint32 position = 0;            // byte offset in the source text
    QByteArrayView name;            // Attribute: its name
    QByteArrayView value;           // Attribute: value with its quotes, null when absent;
                                    // Text: the text; Verbatim: the content
    const char* opening = nullptr;  // Verbatim: the opening string of its kind
    const char* closing = nullptr;  // Verbatim: the closing string of its kind
    XmlNode* element = nullptr;     // Element: the child node
};

// The entries of one node, in document order; stored in the document's arena.
class XmlEntryList {
public:
    XmlEntryList() = default;
    XmlEntryList(const XmlEntry* entries, std::size_t count)
        : entries_(entries)
        , count_(count)
    {
    }

    const XmlEntry* begin() const { return entries_; }
    const XmlEntry* end() const { return entries_ + count_; }
    std::size_t size() const { return count_; }
    bool empty() const { return count_ == 0; }
    const XmlEntry& operator[](std::size_t index) const { return entries_[index]; }
    const XmlEntry& at(std::size_t index) const
    {
        Q_ASSERT(index < count_);
        return entries_[index];
    }

private:
    const XmlEntry* entries_ = nullptr;
    std::size_t count_ = 0;
};

struct XmlNode {
    qint32 endPosition = 0;   // just after the matching end tag's ">", else 0
    bool isDeclaration = false;
    QByteArrayView name;      // null for the root
    XmlEntryList entries;
    XmlNode* parent = nullptr;
};

// The root node of a parsed text, owning the arena that holds the tree.
struct XmlDocument : XmlNode {
    explicit XmlDocument(std::size_t arenaSize)
        : arena(arenaSize)
    {
    }

    XmlArena arena;
};

struct XmlError {
    // TooDeep: an element nested more than kMaxDepth levels below the root.
    enum Code { None = 0, NoName = 3, BadEndTag = 4, OpenQuote = 5, Unmatched = 6, Misplaced = 7,
                TooDeep = 8 };
    static constexpr int kMaxDepth = 256;
    int code = None;
    int line = 0;    // from 1, of the first byte of the offending token (of the NUL on success)
    int column = 0;  // from 1
};

// Parses a NUL-terminated text; on an error returns null and fills the error.
// A null text reads as an empty one. The tree does not refer to the text.
std::unique_ptr<XmlDocument> ParseXml(const char* text, XmlError* error);
// The document owns everything; FreeXml exists for callers that release early.
void FreeXml(std::unique_ptr<XmlDocument>& document);
// Depth-first search in document order for the first element with that name.
// The search of a node stops at its first attribute entry, so the children of
// an element with attributes are never searched.
const XmlNode* FindElement(const XmlNode* start, QByteArrayView name, bool caseSensitive);
// The entry at index, advancing index; null past the end.
const XmlEntry* NextEntry(const XmlNode* node, int* index);
// 0 found, 1 no such element, 3 the element has fewer attributes.
int GetElementAttribute(const XmlNode* root, QByteArrayView elementName, int attributeNumber,
                        qint32* position, QByteArray* value, QByteArray* attributeName);
