#include "core/ipuz_text.h"

#include "core/ipuz_reader.h"

#include <cstring>

namespace IpuzText {

namespace {

constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";
constexpr char kWrapper[] = "ipuz(";
constexpr char kFormatName[] = "ipuz.org";

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

qsizetype SkipSpace(QByteArrayView text, qsizetype at)
{
    while (at < text.size() && IsSpace(text[at]))
        ++at;
    return at;
}

// The position just after the string that starts with the quote at `at`;
// the text's end when the string is not closed.
qsizetype StringEnd(QByteArrayView text, qsizetype at)
{
    for (++at; at < text.size(); ++at) {
        if (text[at] == '\\')
            ++at;
        else if (text[at] == '"')
            return at + 1;
    }
    return text.size();
}

// The position just after the value that starts at `at`: a string, an object
// or array with everything nested in it, or a bare word or number.
qsizetype ValueEnd(QByteArrayView text, qsizetype at)
{
    if (at >= text.size())
        return text.size();
    if (text[at] == '"')
        return StringEnd(text, at);
    if (text[at] != '{' && text[at] != '[') {
        while (at < text.size() && !IsSpace(text[at]) && text[at] != ',' && text[at] != '}' && text[at] != ']')
            ++at;
        return at;
    }
    int depth = 0;
    while (at < text.size()) {
        const char c = text[at];
        if (c == '"') {
            at = StringEnd(text, at);
            continue;
        }
        if (c == '{' || c == '[')
            ++depth;
        else if ((c == '}' || c == ']') && --depth == 0)
            return at + 1;
        ++at;
    }
    return text.size();
}

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// A key's text between its quotes with the escapes a key of ours could be
// written with undone; any other escape is kept as written, so such a key
// simply matches none of ours.
QByteArray UnescapedKey(QByteArrayView raw)
{
    if (!raw.contains('\\'))
        return raw.toByteArray();
    QByteArray key;
    for (qsizetype i = 0; i < raw.size(); ++i) {
        if (raw[i] != '\\' || i + 1 >= raw.size()) {
            key += raw[i];
            continue;
        }
        const char c = raw[++i];
        if (c == 'u' && i + 4 < raw.size()) {
            int value = 0;
            bool valid = true;
            for (int k = 1; k <= 4; ++k) {
                const int digit = HexValue(raw[i + k]);
                valid = valid && digit >= 0;
                value = value * 16 + digit;
            }
            if (valid && value < 0x80) {
                key += char(value);
                i += 4;
                continue;
            }
        }
        key += c == '"' || c == '\\' || c == '/' ? QByteArray(1, c) : QByteArray("\\") + c;
    }
    return key;
}

} // namespace

bool LooksLikeIpuz(QByteArrayView text)
{
    const Span span = JsonSpan(text);
    if (span.begin >= span.end || text[span.begin] != '{')
        return false;
    const QByteArrayView json = text.sliced(span.begin, span.end - span.begin);
    // The program's own progress member counts too: it is written with the
    // saved letters, which may have held the only mention of the format.
    return json.indexOf(QByteArrayView(kFormatName)) >= 0
        || json.indexOf(QByteArrayView(CIpuzReader::kProgressMember)) >= 0;
}

Span JsonSpan(QByteArrayView text)
{
    qsizetype begin = text.startsWith(QByteArrayView(kByteOrderMark)) ? 3 : 0;
    begin = SkipSpace(text, begin);
    qsizetype end = text.size();
    if (!text.sliced(begin).startsWith(QByteArrayView(kWrapper)))
        return {begin, end};
    begin = SkipSpace(text, begin + qsizetype(std::strlen(kWrapper)));
    // The wrapper ends with ")" and perhaps ";", then white space.
    while (end > begin && IsSpace(text[end - 1]))
        --end;
    if (end > begin && text[end - 1] == ';')
        --end;
    while (end > begin && IsSpace(text[end - 1]))
        --end;
    if (end > begin && text[end - 1] == ')')
        --end;
    return {begin, end};
}

QByteArray WithoutTrailingCommas(QByteArrayView json)
{
    QByteArray result;
    result.reserve(json.size());
    for (qsizetype at = 0; at < json.size();) {
        const char c = json[at];
        if (c == '"') {
            const qsizetype end = StringEnd(json, at);
            result.append(json.sliced(at, end - at));
            at = end;
            continue;
        }
        if (c == ',') {
            const qsizetype next = SkipSpace(json, at + 1);
            if (next < json.size() && (json[next] == ']' || json[next] == '}')) {
                ++at;
                continue;
            }
        }
        result.append(c);
        ++at;
    }
    return result;
}

std::optional<Member> FindTopLevelMember(QByteArrayView json, QByteArrayView key)
{
    qsizetype at = SkipSpace(json, 0);
    if (at >= json.size() || json[at] != '{')
        return std::nullopt;
    ++at;
    for (;;) {
        at = SkipSpace(json, at);
        if (at < json.size() && json[at] == ',')
            at = SkipSpace(json, at + 1);
        if (at >= json.size() || json[at] != '"')
            return std::nullopt;
        const qsizetype keyBegin = at;
        const qsizetype keyEnd = StringEnd(json, at);
        at = SkipSpace(json, keyEnd);
        if (at >= json.size() || json[at] != ':')
            return std::nullopt;
        const qsizetype valueEnd = ValueEnd(json, SkipSpace(json, at + 1));
        if (keyEnd - keyBegin >= 2 && UnescapedKey(json.sliced(keyBegin + 1, keyEnd - keyBegin - 2)) == key)
            return Member{keyBegin, valueEnd};
        at = valueEnd;
    }
}

std::optional<qsizetype> NewMemberPosition(QByteArrayView json, bool* needsComma)
{
    const qsizetype begin = SkipSpace(json, 0);
    if (begin >= json.size() || json[begin] != '{')
        return std::nullopt;
    const qsizetype end = ValueEnd(json, begin);
    if (end <= begin || json[end - 1] != '}')
        return std::nullopt;
    qsizetype last = end - 2;
    while (last > begin && IsSpace(json[last]))
        --last;
    *needsComma = json[last] != '{' && json[last] != ',';
    return last + 1;
}

QByteArray Quoted(QByteArrayView utf8)
{
    static constexpr char kHex[] = "0123456789abcdef";
    QByteArray quoted;
    quoted.reserve(utf8.size() + 2);
    quoted += '"';
    for (const char c : utf8) {
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            quoted += "\\u00";
            quoted += kHex[(c >> 4) & 0xF];
            quoted += kHex[c & 0xF];
        } else {
            quoted += c;
        }
    }
    quoted += '"';
    return quoted;
}

} // namespace IpuzText
