#include "core/xml_reader.h"

#include "core/byte_string_pool.h"
#include "core/xml_tokenizer.h"

#include <cstring>
#include <utility>

namespace {

using Kind = XmlTokenizer::Kind;
using Token = XmlTokenizer::Token;

bool NamesEqual(const QByteArray& a, const QByteArray& b, bool caseSensitive)
{
    if (caseSensitive)
        return a == b;
    return a.size() == b.size() && StartsWithIgnoringCase(a.constData(), b.constData());
}

// The HTML habit: a tag "belongs" to an open element when its name begins with
// the element's name, case ignored.
bool BeginsWithName(const QByteArray& tagName, const QByteArray& elementName)
{
    return StartsWithIgnoringCase(tagName.constData(), elementName.constData());
}

void DropTrailingQuestionMark(QByteArray& text)
{
    if (text.endsWith('?'))
        text.chop(1);
}

// A start or end tag read by an inner element that one of its ancestors must
// handle: a start tag that closes the inner element, or an end tag it does not match.
struct PendingTag {
    enum Type { None, Start, End };
    Type type = None;
    QByteArray name;
    qint32 position = 0;     // Start: of the name; End: of the "</"
    qint32 endPosition = 0;  // End: just after its ">"
};

class XmlParser {
public:
    explicit XmlParser(const char* text)
        : m_tokens(text)
    {
    }

    std::unique_ptr<XmlNode> Parse(XmlError* error);

private:
    enum class TagResult { Content, Ended, Stopped };

    void ReadElement(XmlNode& node, int depth);
    TagResult ReadStartTag(XmlNode& node);
    void ReadContent(XmlNode& node, int depth);
    bool ReadChildTag(XmlNode& node, const Token& tagStart, int depth);
    bool ReadEndTag(XmlNode& node, const Token& endTagStart);
    bool ReadVerbatim(XmlNode& node, const Token& opening);
    bool HandlePendingTags(XmlNode& node, int depth);
    void OpenChild(XmlNode& parent, const QByteArray& name, qint32 position, bool isDeclaration,
                   int depth);
    void AddTextRun(XmlNode& node, qint32 start, qint32 end);
    QByteArray Bytes(const Token& token);
    QByteArray Bytes(qint32 start, qint32 length);
    Token NextToken();
    void Fail(int code, qint32 position);

    XmlTokenizer m_tokens;
    ByteStringPool m_strings;
    PendingTag m_pending;
    bool m_stopped = false;
    int m_errorCode = XmlError::None;
    qint32 m_stopPosition = 0;
};

// A new entry at the end of the node's entries. Most elements hold a few
// attributes, so the first entry makes room for four.
XmlEntry& AddEntry(XmlNode& node, XmlEntry::Kind kind, qint32 position)
{
    if (node.entries.empty())
        node.entries.reserve(4);
    XmlEntry& entry = node.entries.emplace_back();
    entry.kind = kind;
    entry.position = position;
    return entry;
}

void AddAttribute(XmlNode& node, QByteArray name, QByteArray value, qint32 position)
{
    XmlEntry& entry = AddEntry(node, XmlEntry::Attribute, position);
    entry.name = std::move(name);
    entry.value = std::move(value);
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

std::unique_ptr<XmlNode> XmlParser::Parse(XmlError* error)
{
    auto root = std::make_unique<XmlNode>();
    ReadContent(*root, 0);
    if (m_errorCode == XmlError::None)
        m_stopPosition = m_tokens.Position();
    if (error) {
        error->code = m_errorCode;
        FillLineAndColumn(m_tokens.Text(), m_stopPosition, error);
    }
    if (m_errorCode != XmlError::None)
        return nullptr;
    return root;
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
    QByteArray name;
    qint32 namePosition = 0;
    for (;;) {
        const Token token = NextToken();
        if (m_stopped)
            return TagResult::Stopped;
        switch (state) {
        case State::ExpectName:
            if (token.kind == Kind::Text) {
                name = Bytes(token);
                namePosition = token.start;
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
                AddAttribute(node, std::move(name), QByteArray(), namePosition);
                name = Bytes(token);
                namePosition = token.start;
                continue;
            }
            if (token.kind == Kind::Equals) {
                state = State::AfterEquals;
                continue;
            }
            if (token.kind == Kind::TagEnd || token.kind == Kind::EmptyEnd) {
                if (node.isDeclaration)
                    DropTrailingQuestionMark(name);
                if (!name.isEmpty())
                    AddAttribute(node, std::move(name), QByteArray(), namePosition);
                return token.kind == Kind::TagEnd ? TagResult::Content : TagResult::Ended;
            }
            break;
        case State::AfterEquals:
            if (token.kind == Kind::Text || token.kind == Kind::Quoted) {
                QByteArray value = Bytes(token);
                if (node.isDeclaration)
                    DropTrailingQuestionMark(value);
                AddAttribute(node, std::move(name), std::move(value), namePosition);
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
                AddTextRun(node, textStart, token.start);
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
            goOn = ReadVerbatim(node, token);
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
    const QByteArray name = Bytes(nameToken);
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
    const QByteArray name = Bytes(nameToken);
    const qint32 after = close.start + close.length;
    if (BeginsWithName(name, node.name))
        node.endPosition = after;
    else
        m_pending = {PendingTag::End, name, endTagStart.start, after};
    return false;
}

bool XmlParser::ReadVerbatim(XmlNode& node, const Token& opening)
{
    const XmlVerbatimSection& section = kXmlVerbatimSections[opening.section];
    const char* contentStart = m_tokens.Text() + m_tokens.Position();
    const char* closing = std::strstr(contentStart, section.closing);
    if (!closing) {
        Fail(XmlError::Unmatched, opening.start);
        return false;
    }
    XmlEntry& entry = AddEntry(node, XmlEntry::Verbatim, opening.start);
    entry.value = Bytes(qint32(contentStart - m_tokens.Text()), qint32(closing - contentStart));
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

void XmlParser::OpenChild(XmlNode& parent, const QByteArray& name, qint32 position,
                          bool isDeclaration, int depth)
{
    if (depth > XmlError::kMaxDepth) {
        Fail(XmlError::TooDeep, position);
        return;
    }
    auto child = std::make_unique<XmlNode>();
    child->name = name;
    child->isDeclaration = isDeclaration;
    child->parent = &parent;
    XmlNode& childRef = *child;
    AddEntry(parent, XmlEntry::Element, position).element = std::move(child);
    ReadElement(childRef, depth);
}

void XmlParser::AddTextRun(XmlNode& node, qint32 start, qint32 end)
{
    const char* text = m_tokens.Text();
    while (end > start && IsXmlSpace(text[end - 1]))
        --end;
    AddEntry(node, XmlEntry::Text, start).value = Bytes(start, end - start);
}

QByteArray XmlParser::Bytes(const Token& token)
{
    return Bytes(token.start, token.length);
}

// Names and texts share the pool's blocks: a document has thousands of them.
QByteArray XmlParser::Bytes(qint32 start, qint32 length)
{
    return m_strings.Copy(m_tokens.Text() + start, length);
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

std::unique_ptr<XmlNode> ParseXml(const char* text, XmlError* error)
{
    XmlParser parser(text ? text : "");
    return parser.Parse(error);
}

void FreeXml(std::unique_ptr<XmlNode>& node)
{
    node.reset();
}

const XmlNode* FindElement(const XmlNode* start, const QByteArray& name, bool caseSensitive)
{
    if (!start)
        return nullptr;
    if (!start->name.isEmpty() && NamesEqual(start->name, name, caseSensitive))
        return start;
    for (const XmlEntry& entry : start->entries) {
        if (entry.kind == XmlEntry::Attribute)
            return nullptr;
        if (entry.kind == XmlEntry::Element) {
            if (const XmlNode* hit = FindElement(entry.element.get(), name, caseSensitive))
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

int GetElementAttribute(const XmlNode* root, const QByteArray& elementName, int attributeNumber,
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
            *attributeName = entry.name;
        if (value) {
            qsizetype from = 0;
            while (from < entry.value.size() && entry.value[from] == '"')
                ++from;
            const qsizetype quote = entry.value.indexOf('"', from);
            *value = entry.value.mid(from, quote < 0 ? -1 : quote - from);
        }
        return 0;
    }
    return 3;
}
