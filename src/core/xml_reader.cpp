#include "core/xml_reader.h"

#include "core/xml_tokenizer.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <utility>
#include <vector>

namespace {

using Kind = XmlTokenizer::Kind;
using Token = XmlTokenizer::Token;

bool HasPrefixIgnoringCase(QByteArrayView text, QByteArrayView prefix)
{
    if (text.size() < prefix.size())
        return false;
    for (qsizetype i = 0; i < prefix.size(); ++i) {
        if (AsciiLower(text[i]) != AsciiLower(prefix[i]))
            return false;
    }
    return true;
}

bool NamesEqual(QByteArrayView a, QByteArrayView b, bool caseSensitive)
{
    if (caseSensitive)
        return a == b;
    return a.size() == b.size() && HasPrefixIgnoringCase(a, b);
}

// The HTML habit: a tag "belongs" to an open element when its name begins with
// the element's name, case ignored.
bool BeginsWithName(QByteArrayView tagName, QByteArrayView elementName)
{
    return HasPrefixIgnoringCase(tagName, elementName);
}

// A start or end tag read by an inner element that one of its ancestors must
// handle: a start tag that closes the inner element, or an end tag it does not match.
struct PendingTag {
    enum Type { None, Start, End };
    Type type = None;
    QByteArrayView name;     // in the source text
    qint32 position = 0;     // Start: of the name; End: of the "</"
    qint32 endPosition = 0;  // End: just after its ">"
};

// A generous guess at the arena a text needs, so that most documents fit in
// its first block. A huge text starts smaller and lets the arena grow, so
// that a text which fails early never asks for many times its size.
std::size_t ArenaSizeFor(std::size_t textLength)
{
    constexpr std::size_t kLargestFirstBlock = std::size_t(16) << 20;
    return std::min(4096 + textLength * 8, kLargestFirstBlock);
}

class XmlParser {
public:
    explicit XmlParser(const char* text)
        : m_tokens(text)
    {
    }

    std::unique_ptr<XmlDocument> Parse(XmlError* error);

private:
    enum class TagResult { Content, Ended, Stopped };

    void ReadElement(XmlNode& node, int depth);
    TagResult ReadStartTag(XmlNode& node);
    void ReadContent(XmlNode& node, int depth);
    bool ReadChildTag(XmlNode& node, const Token& tagStart, int depth);
    bool ReadEndTag(XmlNode& node, const Token& endTagStart);
    bool ReadVerbatim(const Token& opening);
    bool HandlePendingTags(XmlNode& node, int depth);
    void OpenChild(XmlNode& parent, QByteArrayView name, qint32 position, bool isDeclaration,
                   int depth);
    void AddTextRun(qint32 start, qint32 end);
    void AddAttribute(const Token& name, QByteArrayView value, bool isDeclaration);
    XmlEntry& AddEntry(XmlEntry::Kind kind, qint32 position);
    void BeginEntries();
    void EndEntries(XmlNode& node);
    QByteArrayView Source(const Token& token) const;
    QByteArrayView Copy(QByteArrayView bytes);
    Token NextToken();
    void Fail(int code, qint32 position);

    XmlTokenizer m_tokens;
    XmlDocument* m_document = nullptr;
    // The entries of each open element, innermost last; each list moves into
    // the arena once its element is complete, so the arena holds no
    // half-grown lists. The lists are reused from element to element.
    std::vector<std::vector<XmlEntry>> m_openLists;
    std::size_t m_openCount = 0;
    PendingTag m_pending;
    bool m_stopped = false;
    int m_errorCode = XmlError::None;
    qint32 m_stopPosition = 0;
};

// A declaration's last name or value loses a "?" that ends it ("?>").
QByteArrayView WithoutTrailingQuestionMark(QByteArrayView text, bool isDeclaration)
{
    return isDeclaration && text.endsWith('?') ? text.chopped(1) : text;
}

void FillLineAndColumn(const char* text, qint32 position, XmlError* error)
{
    int line = 1;
    const char* lineStart = text;
    const char* end = text + position;
    while (const void* feed = std::memchr(lineStart, '\n', size_t(end - lineStart))) {
        ++line;
        lineStart = static_cast<const char*>(feed) + 1;
    }
    error->line = line;
    error->column = int(end - lineStart) + 1;
}

std::unique_ptr<XmlDocument> XmlParser::Parse(XmlError* error)
{
    auto document = std::make_unique<XmlDocument>(ArenaSizeFor(std::strlen(m_tokens.Text())));
    m_document = document.get();
    BeginEntries();
    ReadContent(*document, 0);
    EndEntries(*document);
    if (m_errorCode == XmlError::None)
        m_stopPosition = m_tokens.Position();
    if (error) {
        error->code = m_errorCode;
        FillLineAndColumn(m_tokens.Text(), m_stopPosition, error);
    }
    if (m_errorCode != XmlError::None)
        return nullptr;
    return document;
}

void XmlParser::ReadElement(XmlNode& node, int depth)
{
    if (ReadStartTag(node) == TagResult::Content)
        ReadContent(node, depth);
}

XmlParser::TagResult XmlParser::ReadStartTag(XmlNode& node)
{
    enum class State { ExpectName, HaveName, AfterEquals };
    State state = State::ExpectName;
    Token name;
    for (;;) {
        const Token token = NextToken();
        if (m_stopped)
            return TagResult::Stopped;
        switch (state) {
        case State::ExpectName:
            if (token.kind == Kind::Text) {
                name = token;
                state = State::HaveName;
                continue;
            }
            if (token.kind == Kind::TagEnd)
                return TagResult::Content;
            if (token.kind == Kind::EmptyEnd)
                return TagResult::Ended;
            break;
        case State::HaveName:
            if (token.kind == Kind::Text) {
                AddAttribute(name, QByteArrayView(), false);
                name = token;
                continue;
            }
            if (token.kind == Kind::Equals) {
                state = State::AfterEquals;
                continue;
            }
            if (token.kind == Kind::TagEnd || token.kind == Kind::EmptyEnd) {
                AddAttribute(name, QByteArrayView(), node.isDeclaration);
                return token.kind == Kind::TagEnd ? TagResult::Content : TagResult::Ended;
            }
            break;
        case State::AfterEquals:
            if (token.kind == Kind::Text || token.kind == Kind::Quoted) {
                const QByteArrayView value = WithoutTrailingQuestionMark(Source(token), node.isDeclaration);
                AddAttribute(name, Copy(value), false);
                state = State::ExpectName;
                continue;
            }
            if (token.kind == Kind::End) {
                m_stopped = true;
                return TagResult::Stopped;
            }
            break;
        }
        Fail(XmlError::Misplaced, token.start);
        return TagResult::Stopped;
    }
}

void XmlParser::ReadContent(XmlNode& node, int depth)
{
    qint32 textStart = -1;
    for (;;) {
        const Token token = NextToken();
        if (m_stopped)
            return;
        switch (token.kind) {
        case Kind::Text:
        case Kind::Quoted:
        case Kind::Equals:
            if (textStart < 0)
                textStart = token.start;
            continue;
        case Kind::TagStart:
        case Kind::DeclarationStart:
        case Kind::EndTagStart:
        case Kind::Verbatim:
            if (textStart >= 0)
                AddTextRun(textStart, token.start);
            textStart = -1;
            break;
        case Kind::TagEnd:
        case Kind::EmptyEnd:
            Fail(XmlError::Misplaced, token.start);
            return;
        case Kind::End:
            m_stopped = true;
            return;
        }
        bool goOn = false;
        if (token.kind == Kind::EndTagStart)
            goOn = ReadEndTag(node, token);
        else if (token.kind == Kind::Verbatim)
            goOn = ReadVerbatim(token);
        else
            goOn = ReadChildTag(node, token, depth);
        if (!goOn)
            return;
    }
}

// Reads the name after "<" or "<?"; false when the element ends or parsing stops.
bool XmlParser::ReadChildTag(XmlNode& node, const Token& tagStart, int depth)
{
    const Token nameToken = NextToken();
    if (m_stopped)
        return false;
    if (nameToken.kind != Kind::Text) {
        Fail(XmlError::NoName, nameToken.start);
        return false;
    }
    const QByteArrayView name = Source(nameToken);
    if (!node.name.isEmpty() && BeginsWithName(name, node.name)) {
        m_pending = {PendingTag::Start, name, nameToken.start, 0};
        return false;
    }
    OpenChild(node, name, nameToken.start, tagStart.kind == Kind::DeclarationStart, depth + 1);
    return HandlePendingTags(node, depth);
}

bool XmlParser::ReadEndTag(XmlNode& node, const Token& endTagStart)
{
    const Token nameToken = NextToken();
    if (m_stopped)
        return false;
    if (nameToken.kind != Kind::Text) {
        Fail(XmlError::BadEndTag, nameToken.start);
        return false;
    }
    const Token close = NextToken();
    if (m_stopped)
        return false;
    if (close.kind != Kind::TagEnd) {
        Fail(XmlError::BadEndTag, close.start);
        return false;
    }
    if (!node.parent) {
        Fail(XmlError::Unmatched, endTagStart.start);
        return false;
    }
    const QByteArrayView name = Source(nameToken);
    const qint32 after = close.start + close.length;
    if (BeginsWithName(name, node.name))
        node.endPosition = after;
    else
        m_pending = {PendingTag::End, name, endTagStart.start, after};
    return false;
}

bool XmlParser::ReadVerbatim(const Token& opening)
{
    const XmlVerbatimSection& section = kXmlVerbatimSections[opening.section];
    const char* contentStart = m_tokens.Text() + m_tokens.Position();
    const char* closing = std::strstr(contentStart, section.closing);
    if (!closing) {
        Fail(XmlError::Unmatched, opening.start);
        return false;
    }
    XmlEntry& entry = AddEntry(XmlEntry::Verbatim, opening.start);
    entry.value = Copy(QByteArrayView(contentStart, closing));
    entry.opening = section.opening;
    entry.closing = section.closing;
    m_tokens.MoveTo(qint32(closing - m_tokens.Text()) + qint32(std::strlen(section.closing)));
    return true;
}

// After a child returned: settles a tag it left pending. False when this
// element ends too or parsing stops.
bool XmlParser::HandlePendingTags(XmlNode& node, int depth)
{
    for (;;) {
        if (m_stopped)
            return false;
        if (m_pending.type == PendingTag::End) {
            if (!node.parent) {
                Fail(XmlError::Unmatched, m_pending.position);
            } else if (BeginsWithName(m_pending.name, node.name)) {
                node.endPosition = m_pending.endPosition;
                m_pending = {};
            }
            return false;
        }
        if (m_pending.type != PendingTag::Start)
            return true;
        if (!node.name.isEmpty() && BeginsWithName(m_pending.name, node.name))
            return false;
        const PendingTag sibling = std::exchange(m_pending, {});
        OpenChild(node, sibling.name, sibling.position, false, depth + 1);
    }
}

void XmlParser::OpenChild(XmlNode& parent, QByteArrayView name, qint32 position,
                          bool isDeclaration, int depth)
{
    if (depth > XmlError::kMaxDepth) {
        Fail(XmlError::TooDeep, position);
        return;
    }
    auto* child = new (m_document->arena.Allocate(sizeof(XmlNode), alignof(XmlNode))) XmlNode;
    child->name = Copy(name);
    child->isDeclaration = isDeclaration;
    child->parent = &parent;
    AddEntry(XmlEntry::Element, position).element = child;
    BeginEntries();
    ReadElement(*child, depth);
    EndEntries(*child);
}

void XmlParser::AddTextRun(qint32 start, qint32 end)
{
    const char* text = m_tokens.Text();
    while (end > start && IsXmlSpace(text[end - 1]))
        --end;
    AddEntry(XmlEntry::Text, start).value = Copy(QByteArrayView(text + start, end - start));
}

// An attribute named by the token; in a declaration, a name that ends the tag
// loses its "?" and is dropped when nothing else is left of it.
void XmlParser::AddAttribute(const Token& name, QByteArrayView value, bool isDeclaration)
{
    const QByteArrayView bytes = WithoutTrailingQuestionMark(Source(name), isDeclaration);
    if (bytes.isEmpty())
        return;
    XmlEntry& entry = AddEntry(XmlEntry::Attribute, name.start);
    entry.name = Copy(bytes);
    entry.value = value;
}

// A new entry at the end of the innermost open element's entries.
XmlEntry& XmlParser::AddEntry(XmlEntry::Kind kind, qint32 position)
{
    XmlEntry& entry = m_openLists[m_openCount - 1].emplace_back();
    entry.kind = kind;
    entry.position = position;
    return entry;
}

void XmlParser::BeginEntries()
{
    if (m_openCount == m_openLists.size())
        m_openLists.emplace_back();
    m_openLists[m_openCount++].clear();
}

// Moves the innermost open element's entries into the arena, as one array.
void XmlParser::EndEntries(XmlNode& node)
{
    const std::vector<XmlEntry>& list = m_openLists[--m_openCount];
    if (list.empty())
        return;
    auto* entries = static_cast<XmlEntry*>(
        m_document->arena.Allocate(list.size() * sizeof(XmlEntry), alignof(XmlEntry)));
    std::uninitialized_copy(list.begin(), list.end(), entries);
    node.entries = XmlEntryList(entries, list.size());
}

QByteArrayView XmlParser::Source(const Token& token) const
{
    return QByteArrayView(m_tokens.Text() + token.start, token.length);
}

// Names and texts are copied into the arena with a NUL after each, so that
// the tree stands on its own once the text is gone.
QByteArrayView XmlParser::Copy(QByteArrayView bytes)
{
    auto* copy = static_cast<char*>(m_document->arena.Allocate(size_t(bytes.size()) + 1, 1));
    std::memcpy(copy, bytes.data(), size_t(bytes.size()));
    copy[bytes.size()] = '\0';
    return QByteArrayView(copy, bytes.size());
}

Token XmlParser::NextToken()
{
    const Token token = m_tokens.Next();
    if (m_tokens.HasError())
        Fail(XmlError::OpenQuote, token.start);
    return token;
}

void XmlParser::Fail(int code, qint32 position)
{
    m_errorCode = code;
    m_stopPosition = position;
    m_stopped = true;
}

} // namespace

std::unique_ptr<XmlDocument> ParseXml(const char* text, XmlError* error)
{
    XmlParser parser(text ? text : "");
    return parser.Parse(error);
}

void FreeXml(std::unique_ptr<XmlDocument>& document)
{
    document.reset();
}

const XmlNode* FindElement(const XmlNode* start, QByteArrayView name, bool caseSensitive)
{
    if (!start)
        return nullptr;
    if (!start->name.isEmpty() && NamesEqual(start->name, name, caseSensitive))
        return start;
    for (const XmlEntry& entry : start->entries) {
        if (entry.kind == XmlEntry::Attribute)
            return nullptr;
        if (entry.kind == XmlEntry::Element) {
            if (const XmlNode* hit = FindElement(entry.element, name, caseSensitive))
                return hit;
        }
    }
    return nullptr;
}

const XmlEntry* NextEntry(const XmlNode* node, int* index)
{
    if (!node || !index || *index < 0 || size_t(*index) >= node->entries.size())
        return nullptr;
    return &node->entries[size_t((*index)++)];
}

int GetElementAttribute(const XmlNode* root, QByteArrayView elementName, int attributeNumber,
                        qint32* position, QByteArray* value, QByteArray* attributeName)
{
    const XmlNode* element = FindElement(root, elementName, true);
    if (!element)
        return 1;
    int number = 0;
    for (const XmlEntry& entry : element->entries) {
        if (entry.kind != XmlEntry::Attribute || number++ != attributeNumber)
            continue;
        if (position)
            *position = entry.position;
        if (attributeName)
            *attributeName = entry.name.toByteArray();
        if (value) {
            qsizetype from = 0;
            while (from < entry.value.size() && entry.value[from] == '"')
                ++from;
            const qsizetype quote = entry.value.indexOf('"', from);
            *value = entry.value.sliced(from, (quote < 0 ? entry.value.size() : quote) - from).toByteArray();
        }
        return 0;
    }
    return 3;
}
