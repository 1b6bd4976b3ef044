#include "core/xml_tokenizer.h"

#include <array>
#include <cstring>

namespace {

// The bytes a text token never holds: the NUL, white space and "<", "=",
// ">". A "/" ends it only before ">", which the loop checks itself.
constexpr std::array<bool, 256> kTextStops = [] {
    std::array<bool, 256> stops {};
    for (const unsigned char c : {'\0', '\t', '\n', '\r', ' ', '<', '=', '>', '/'})
        stops[c] = true;
    return stops;
}();

// The second bytes, in lower case, that a verbatim opening can have: a tag
// whose second byte is none of them needs no comparison with the openings.
constexpr std::array<bool, 256> kVerbatimSecondBytes = [] {
    std::array<bool, 256> bytes {};
    for (const XmlVerbatimSection& section : kXmlVerbatimSections)
        bytes[static_cast<unsigned char>(AsciiLower(section.opening[1]))] = true;
    return bytes;
}();

// The quote that closes the one at text, or the NUL when there is none. Quoted
// values are short, so a plain loop beats a library search here.
const char* ClosingQuote(const char* text)
{
    const char quote = *text++;
    while (*text != quote && *text != '\0')
        ++text;
    return text;
}

} // namespace

bool StartsWithIgnoringCase(const char* text, const char* prefix)
{
    for (; *prefix != '\0'; ++text, ++prefix) {
        if (AsciiLower(*text) != AsciiLower(*prefix))
            return false;
    }
    return true;
}

XmlTokenizer::XmlTokenizer(const char* text)
    : m_text(text)
{
}

XmlTokenizer::Token XmlTokenizer::Next()
{
    while (IsXmlSpace(m_text[m_position]))
        ++m_position;
    Token token;
    token.start = m_position;
    const char* at = m_text + m_position;
    if (*at == '\0')
        return token;

    // Every verbatim opening begins with "<".
    token.section = *at == '<' ? MatchVerbatimOpening() : -1;
    if (token.section >= 0) {
        token.kind = Kind::Verbatim;
        token.length = qint32(std::strlen(kXmlVerbatimSections[token.section].opening));
    } else if (*at == '"' || *at == '\'') {
        const char* close = ClosingQuote(at);
        if (*close == '\0') {
            m_error = true;
            return token;
        }
        token.kind = Kind::Quoted;
        token.length = qint32(close - at) + 1;
    } else if (at[0] == '/' && at[1] == '>') {
        token.kind = Kind::EmptyEnd;
        token.length = 2;
    } else if (at[0] == '<' && (at[1] == '/' || at[1] == '?')) {
        token.kind = at[1] == '/' ? Kind::EndTagStart : Kind::DeclarationStart;
        token.length = 2;
    } else if (*at == '<' || *at == '=' || *at == '>') {
        token.kind = *at == '<' ? Kind::TagStart : *at == '=' ? Kind::Equals : Kind::TagEnd;
        token.length = 1;
    } else {
        token.kind = Kind::Text;
        token.length = TextTokenEnd(m_position) - m_position;
    }
    m_position += token.length;
    return token;
}

int XmlTokenizer::MatchVerbatimOpening() const
{
    if (!kVerbatimSecondBytes[static_cast<unsigned char>(AsciiLower(m_text[m_position + 1]))])
        return -1;
    int index = 0;
    for (const XmlVerbatimSection& section : kXmlVerbatimSections) {
        if (StartsWithIgnoringCase(m_text + m_position, section.opening))
            return index;
        ++index;
    }
    return -1;
}

qint32 XmlTokenizer::TextTokenEnd(qint32 from) const
{
    qint32 end = from;
    for (;; ++end) {
        const char c = m_text[end];
        if (kTextStops[static_cast<unsigned char>(c)] && (c != '/' || m_text[end + 1] == '>'))
            return end;
    }
}
