#pragma once

// Small helpers over the JSON library's parsed tree, shared by the parts of
// the ipuz reader. Only the reader's own sources include this header.

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

// The member's text when it is a string; a null array otherwise.
inline QByteArray StringMember(Element object, std::string_view key)
{
    std::string_view text;
    const std::optional<Element> value = Member(object, key);
    if (!value || value->get_string().get(text) != simdjson::SUCCESS)
        return QByteArray();
    return Bytes(text);
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

} // namespace IpuzJson
