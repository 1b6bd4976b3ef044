#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

// The text around the JSON of an ipuz file and the few places in it the
// program needs without parsing: the JSONP wrapper "ipuz( ... )" and a UTF-8
// byte-order mark the format allows, the commas some tools leave before a
// closing bracket, and the top-level members the progress is spliced into.
// The JSON itself is always parsed by the JSON library; these functions only
// find positions in text that library accepted.
namespace IpuzText {

// Where the JSON value lies in a file's text: after a byte-order mark, white
// space and "ipuz(", up to the matching ")" of a wrapper.
struct Span {
    qsizetype begin = 0;
    qsizetype end = 0;
};

// An object member from the opening quote of its key to the end of its value.
struct Member {
    qsizetype begin = 0;
    qsizetype end = 0;
};

// Whether the text is JSON (or JSONP) that names the ipuz format or holds
// the progress this program writes into ipuz files.
bool LooksLikeIpuz(QByteArrayView text);
Span JsonSpan(QByteArrayView text);
// The text without the commas that directly precede a "]" or "}" (white
// space between allowed), outside strings.
QByteArray WithoutTrailingCommas(QByteArrayView json);

// The member of the top-level object with that key (compared after
// unescaping the key), searched in json, which begins with the object.
std::optional<Member> FindTopLevelMember(QByteArrayView json, QByteArrayView key);
// Where a new member of the top-level object goes: just after its last
// member (or its "{" when it has none), and whether a comma must come first.
std::optional<qsizetype> NewMemberPosition(QByteArrayView json, bool* needsComma);

// A JSON string literal holding the UTF-8 text.
QByteArray Quoted(QByteArrayView utf8);

} // namespace IpuzText
