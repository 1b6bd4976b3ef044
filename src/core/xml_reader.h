#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <memory>
#include <vector>

// A small, tolerant reader of XML-like 8-bit text. It builds a tree whose
// entries keep document order and the byte position of each entry in the
// source, because the document reader needs those positions to find its
// progress area inside the file image. Entities are not decoded.

struct XmlNode;

struct XmlEntry {
    enum Kind { Attribute = 1, Element = 2, Text = 3, Verbatim = 4 };

    Kind kind = Text;
    qint32 position = 0;          // byte offset in the source text
    QByteArray name;              // Attribute: its name
    QByteArray value;             // Attribute: value with its quotes, null when absent;
                                  // Text: the text; Verbatim: the content
    const char* opening = nullptr; // Verbatim: the opening string of its kind
    const char* closing = nullptr; // Verbatim: the closing string of its kind
    std::unique_ptr<XmlNode> element; // Element: the child node
};

struct XmlNode {
    qint32 endPosition = 0;   // just after the matching end tag's ">", else 0
    QByteArray name;          // null for the root
    bool isDeclaration = false;
    std::vector<XmlEntry> entries;
    XmlNode* parent = nullptr;
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
// A null text reads as an empty one.
std::unique_ptr<XmlNode> ParseXml(const char* text, XmlError* error);
// The tree owns everything; FreeXml exists for callers that release early.
void FreeXml(std::unique_ptr<XmlNode>& node);
// Depth-first search in document order for the first element with that name.
// The search of a node stops at its first attribute entry, so the children of
// an element with attributes are never searched.
const XmlNode* FindElement(const XmlNode* start, const QByteArray& name, bool caseSensitive);
// The entry at index, advancing index; null past the end.
const XmlEntry* NextEntry(const XmlNode* node, int* index);
// 0 found, 1 no such element, 3 the element has fewer attributes.
int GetElementAttribute(const XmlNode* root, const QByteArray& elementName, int attributeNumber,
                        qint32* position, QByteArray* value, QByteArray* attributeName);
