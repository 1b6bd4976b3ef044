#pragma once

// Small helpers over the JSON library's parsed tree, shared by the parts of
// the ipuz reader. Only the reader's own sources include this header.

#include "core/ipuz_reader.h"

#include <simdjson.h>

#include <QByteArray>

#include <charconv>
#include <optional>
#include <string_view>

namespace IpuzJson {

using Element = simdjson::dom::element;

// The object's member of that name; none when the element is no object or
// has no such member.
inline std::optional<Element> Member(Element object, std::string_view key)
{
    Element value;
    if (!object.is_object() || object.get_object().at_key(key).get(value) != simdjson::SUCCESS)
        return std::nullopt;
    return value;
}

inline bool IsNull(const std::optional<Element>& element)
{
    return element && element->is_null();
}

// A string or a number as text; numbers are written into the buffer. Empty
// (and no text at all) for every other kind of value.
struct Scalar {
    std::string_view text;
    bool present = false;
};

inline Scalar ScalarText(Element element, char (&buffer)[24])
{
    // Grids are mostly strings and small numbers: those are told apart by
    // the element's type alone.
    const simdjson::dom::element_type type = element.type();
    if (type == simdjson::dom::element_type::STRING)
        return {element.get_string().value_unsafe(), true};
    if (type == simdjson::dom::element_type::INT64) {
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, element.get_int64().value_unsafe());
        return {std::string_view(buffer, size_t(result.ptr - buffer)), true};
    }
    std::string_view text;
    if (element.get_string().get(text) == simdjson::SUCCESS)
        return {text, true};
    int64_t number = 0;
    if (element.get_int64().get(number) == simdjson::SUCCESS) {
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, number);
        return {std::string_view(buffer, size_t(result.ptr - buffer)), true};
    }
    double real = 0;
    if (element.get_double().get(real) == simdjson::SUCCESS && real >= -1e15 && real <= 1e15) {
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, int64_t(real));
        return {std::string_view(buffer, size_t(result.ptr - buffer)), true};
    }
    return {};
}

inline QByteArray Bytes(std::string_view text)
{
    return QByteArray(text.data(), qsizetype(text.size()));
}

// Whether two short texts are equal, compared in place: the grid compares
// every square with the block and empty texts, which are mostly one byte.
inline bool SameText(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i] != b[i])
            return false;
    }
    return true;
}

// The texts "0" to "999", each ended by a NUL, in static storage.
struct NumberTexts {
    static constexpr int kCount = 1000;
    char text[kCount][4] = {};

    constexpr NumberTexts()
    {
        for (int n = 0; n < kCount; ++n) {
            int at = n >= 100 ? 2 : n >= 10 ? 1 : 0;
            for (int value = n; at >= 0; value /= 10, --at)
                text[n][at] = char('0' + value % 10);
        }
    }
};

inline constexpr NumberTexts kNumberTexts;

// The text as an array. Labels and enumerations are mostly small numbers:
// those refer to static storage, which costs no allocation to make, copy or
// free; any other text is copied.
inline QByteArray Text(std::string_view text)
{
    if (text.empty() || text.size() > 3 || (text.size() > 1 && text[0] == '0'))
        return Bytes(text);
    int value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return Bytes(text);
        value = value * 10 + (c - '0');
    }
    return QByteArray::fromRawData(kNumberTexts.text[value], qsizetype(text.size()));
}

// The number's decimal text, as Text gives it for that text.
inline QByteArray NumberBytes(int64_t number)
{
    if (number >= 0 && number < NumberTexts::kCount)
        return QByteArray::fromRawData(kNumberTexts.text[number], number >= 100 ? 3 : number >= 10 ? 2 : 1);
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, number);
    return QByteArray(buffer, qsizetype(result.ptr - buffer));
}

// The number ScalarText writes as exactly this text; none when no number is
// written so.
inline std::optional<int64_t> WrittenNumber(std::string_view text)
{
    int64_t number = 0;
    const char* end = text.data() + text.size();
    if (text.empty() || std::from_chars(text.data(), end, number).ptr != end)
        return std::nullopt;
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, number);
    if (std::string_view(buffer, size_t(result.ptr - buffer)) != text)
        return std::nullopt;
    return number;
}

// A whole number given as a number or as decimal text; fallback otherwise.
inline int64_t Whole(std::optional<Element> element, int64_t fallback)
{
    if (!element)
        return fallback;
    char buffer[24];
    const Scalar scalar = ScalarText(*element, buffer);
    int64_t value = 0;
    const char* end = scalar.text.data() + scalar.text.size();
    if (!scalar.present || std::from_chars(scalar.text.data(), end, value).ptr != end || scalar.text.empty())
        return fallback;
    return value;
}

// The top-level members the reader uses, found in one pass over the object
// instead of one search each. Where a key comes twice the first one counts.
class TopLevel {
public:
    enum Key {
        Kind, Dimensions, Puzzle, Solution, Saved, Clues, Block, Empty, Styles, ShowEnumerations,
        Title, Author, Copyright, Publisher, Editor, Date, Intro, Notes, Progress, KeyCount
    };

    explicit TopLevel(Element root)
    {
        static constexpr std::string_view kNames[KeyCount] = {
            "kind", "dimensions", "puzzle", "solution", "saved", "clues", "block", "empty", "styles",
            "showenumerations", "title", "author", "copyright", "publisher", "editor", "date", "intro", "notes",
            CIpuzReader::kProgressMember};
        simdjson::dom::object fields;
        if (root.get_object().get(fields) != simdjson::SUCCESS)
            return;
        for (const auto field : fields) {
            for (int key = 0; key < KeyCount; ++key) {
                if (!members_[key] && SameText(field.key, kNames[key])) {
                    members_[key] = field.value;
                    break;
                }
            }
        }
    }

    std::optional<Element> operator[](Key key) const { return members_[key]; }

private:
    std::optional<Element> members_[KeyCount];
};

} // namespace IpuzJson
