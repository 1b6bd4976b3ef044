#include "core/markup_text.h"

#include <QtGlobal>

#include <cstring>

namespace MarkupText {

namespace {

struct NamedEntity {
    const char* name;
    char32_t code;
};

constexpr NamedEntity kEntities[] = {
    {"amp", U'&'},      {"lt", U'<'},       {"gt", U'>'},       {"quot", U'"'},     {"apos", U'\''},
    {"nbsp", 0x00A0},   {"ndash", 0x2013},  {"mdash", 0x2014},  {"hellip", 0x2026}, {"lsquo", 0x2018},
    {"rsquo", 0x2019},  {"ldquo", 0x201C},  {"rdquo", 0x201D},  {"deg", 0x00B0},    {"eacute", 0x00E9},
    {"egrave", 0x00E8}, {"aacute", 0x00E1}, {"uuml", 0x00FC},   {"ouml", 0x00F6},   {"auml", 0x00E4},
    {"ntilde", 0x00F1}, {"ccedil", 0x00E7}, {"times", 0x00D7},  {"frac12", 0x00BD}, {"copy", 0x00A9},
};

// Tags whose end starts a new line of text.
constexpr const char* kBreakTags[] = {"br", "p", "/p", "div", "/div", "li"};

bool IsLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

void AppendUtf8(QByteArray& out, char32_t code)
{
    if (code < 0x80) {
        out += char(code);
    } else if (code < 0x800) {
        out += char(0xC0 | (code >> 6));
        out += char(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += char(0xE0 | (code >> 12));
        out += char(0x80 | ((code >> 6) & 0x3F));
        out += char(0x80 | (code & 0x3F));
    } else {
        out += char(0xF0 | (code >> 18));
        out += char(0x80 | ((code >> 12) & 0x3F));
        out += char(0x80 | ((code >> 6) & 0x3F));
        out += char(0x80 | (code & 0x3F));
    }
}

// The character of a numeric entity body such as "#233" or "#xE9"; 0 when
// the body is no valid one.
char32_t NumericEntity(QByteArrayView body)
{
    const bool hex = body.size() > 1 && (body[1] == 'x' || body[1] == 'X');
    bool ok = false;
    const uint code = body.sliced(hex ? 2 : 1).toUInt(&ok, hex ? 16 : 10);
    if (!ok || code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return 0;
    return char32_t(code);
}

// Decodes the entity at `at` (its "&") into out and returns the length used;
// 0 when there is no entity the program knows there.
qsizetype DecodeEntity(QByteArrayView text, qsizetype at, QByteArray& out)
{
    constexpr qsizetype kLongestEntity = 10;
    const QByteArrayView rest = text.sliced(at);
    const qsizetype semicolon = rest.first(qMin(rest.size(), kLongestEntity)).indexOf(';');
    if (semicolon < 2)
        return 0;
    const QByteArrayView body = text.sliced(at + 1, semicolon - 1);
    if (body[0] == '#') {
        const char32_t code = NumericEntity(body);
        if (code == 0)
            return 0;
        AppendUtf8(out, code);
        return semicolon + 1;
    }
    for (const NamedEntity& entity : kEntities) {
        if (body == QByteArrayView(entity.name)) {
            AppendUtf8(out, entity.code);
            return semicolon + 1;
        }
    }
    return 0;
}

bool IsBreakTag(QByteArrayView tag)
{
    qsizetype nameEnd = tag.startsWith('/') ? 1 : 0;
    while (nameEnd < tag.size() && IsLetter(tag[nameEnd]))
        ++nameEnd;
    const QByteArray name = tag.first(nameEnd).toByteArray().toLower();
    for (const char* breakTag : kBreakTags) {
        if (name == breakTag)
            return true;
    }
    return false;
}

// The length of the tag at `at` (its "<" to its ">"), or 0 when the "<"
// starts no tag.
qsizetype TagLength(QByteArrayView text, qsizetype at)
{
    if (at + 1 >= text.size())
        return 0;
    const char next = text[at + 1];
    if (!IsLetter(next) && next != '/' && next != '!')
        return 0;
    const qsizetype close = text.indexOf('>', at);
    return close < 0 ? 0 : close - at + 1;
}

} // namespace

bool HasMarkup(QByteArrayView text)
{
    // Asked of every clue: the C library's search is the quickest here.
    const size_t size = size_t(text.size());
    return size != 0
        && (std::memchr(text.data(), '<', size) != nullptr || std::memchr(text.data(), '&', size) != nullptr);
}

QByteArray Plain(QByteArrayView text, bool oneLine)
{
    if (!HasMarkup(text))
        return text.toByteArray();
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype at = 0; at < text.size();) {
        const char c = text[at];
        if (c == '<') {
            const qsizetype length = TagLength(text, at);
            if (length > 0) {
                if (IsBreakTag(text.sliced(at + 1, length - 2)))
                    out += oneLine ? ' ' : '\n';
                at += length;
                continue;
            }
        } else if (c == '&') {
            const qsizetype length = DecodeEntity(text, at, out);
            if (length > 0) {
                at += length;
                continue;
            }
        }
        out += c;
        ++at;
    }
    return oneLine ? out.simplified() : out.trimmed();
}

QByteArray JoinedNotes(std::initializer_list<NotePart> parts)
{
    QByteArray notes;
    for (const NotePart& part : parts) {
        if (part.text.isEmpty())
            continue;
        const bool labelled = part.label[0] != '\0';
        if (!notes.isEmpty())
            notes += labelled ? "\n" : "\n\n";
        notes += part.label + part.text;
    }
    return notes;
}

} // namespace MarkupText
