#pragma once

#include <QtGlobal>

// The verbatim sections the reader copies without looking inside: the
// opening string is matched without regard to case, the closing one exactly.
struct XmlVerbatimSection {
    const char* opening;
    const char* closing;
};
inline constexpr XmlVerbatimSection kXmlVerbatimSections[] = {
    {"<![CDATA[", "]]>"},
    {"<PRE>", "</PRE>"},
    {"<Script>", "</Script>"},
    {"<!--", "-->"},
    {"<!DOCTYPE", ">"},
};

inline bool IsXmlSpace(char c)
{
    return c == '\t' || c == '\n' || c == '\r' || c == ' ';
}
constexpr char AsciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}
// True when text begins with the NUL-terminated prefix, ASCII case ignored.
// A shorter text fails at its NUL, so nothing past it is read.
bool StartsWithIgnoringCase(const char* text, const char* prefix);

// Splits NUL-terminated text into the reader's tokens. It never looks past the
// NUL; a quoted string without its closing quote sets error 5 and ends the text.
class XmlTokenizer {
public:
    enum class Kind {
        End, Verbatim, Quoted, EmptyEnd, EndTagStart, DeclarationStart, TagStart, Equals, TagEnd, Text
    };
    struct Token {
        Kind kind = Kind::End;
        qint32 start = 0;    // first byte of the token, after leading white space
        qint32 length = 0;
        int section = -1;    // Verbatim: index into kXmlVerbatimSections
    };

    explicit XmlTokenizer(const char* text);

    Token Next();
    bool HasError() const { return m_error; }
    const char* Text() const { return m_text; }
    qint32 Position() const { return m_position; }
    void MoveTo(qint32 position) { m_position = position; }

private:
    int MatchVerbatimOpening() const;
    qint32 TextTokenEnd(qint32 from) const;

    const char* m_text;
    qint32 m_position = 0;
    bool m_error = false;
};
