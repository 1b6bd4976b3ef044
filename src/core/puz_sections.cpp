#include "core/puz_sections.h"

#include "core/puz_checksums.h"

#include <cstring>

namespace {

quint16 Little16(QByteArrayView bytes, qsizetype at)
{
    return static_cast<quint16>(static_cast<quint8>(bytes[at]) | (static_cast<quint8>(bytes[at + 1]) << 8));
}

void AppendLittle16(QByteArray& bytes, quint16 value)
{
    bytes.append(static_cast<char>(value & 0xFF));
    bytes.append(static_cast<char>(value >> 8));
}

bool HasTitle(QByteArrayView bytes, const char* title)
{
    return bytes.size() >= CPuzSections::kTitleLength
        && std::memcmp(bytes.data(), title, CPuzSections::kTitleLength) == 0;
}

} // namespace

// The length of the whole section the bytes begin with (header, data and
// NUL), or 0 when they do not begin with one.
qsizetype CPuzSections::WholeSectionLength(QByteArrayView bytes)
{
    if (bytes.size() < kHeaderLength)
        return 0;
    const qsizetype whole = kHeaderLength + Little16(bytes, kTitleLength) + 1;
    if (whole > bytes.size() || bytes[whole - 1] != '\0')
        return 0;
    return whole;
}

void CPuzSections::Parse(QByteArrayView tail)
{
    sections_.clear();
    qsizetype at = 0;
    while (at < tail.size()) {
        const QByteArrayView rest = tail.sliced(at);
        const qsizetype whole = WholeSectionLength(rest);
        if (whole == 0)
            break;
        Section section;
        section.raw = rest.first(whole).toByteArray();
        const QByteArrayView data = rest.sliced(kHeaderLength, whole - kHeaderLength - 1);
        section.checksumMatches = CPuzChecksums::Sum(data, 0) == Little16(rest, 6);
        sections_.push_back(std::move(section));
        at += whole;
    }
    rest_ = tail.sliced(at).toByteArray();
}

const CPuzSections::Section* CPuzSections::Find(const char* title) const
{
    for (const Section& section : sections_) {
        if (HasTitle(section.raw, title))
            return &section;
    }
    return nullptr;
}

QByteArrayView CPuzSections::Data(const char* title) const
{
    const Section* section = Find(title);
    return section != nullptr && section->checksumMatches ? section->Data() : QByteArrayView();
}

bool CPuzSections::Contains(const char* title) const
{
    return Find(title) != nullptr;
}

QByteArray CPuzSections::Build(const char* title, const QByteArray& data)
{
    QByteArray raw(title, kTitleLength);
    AppendLittle16(raw, static_cast<quint16>(data.size()));
    AppendLittle16(raw, CPuzChecksums::Sum(data, 0));
    raw += data;
    raw.append('\0');
    return raw;
}

bool CPuzSections::Replace(const char* title, const QByteArray& data)
{
    if (data.size() > kLongestData)
        return false;
    const Section rebuilt{Build(title, data), true};
    for (Section& section : sections_) {
        if (HasTitle(section.raw, title)) {
            section = rebuilt;
            return true;
        }
    }
    sections_.push_back(rebuilt);
    return true;
}

QByteArray CPuzSections::Bytes() const
{
    QByteArray bytes;
    for (const Section& section : sections_)
        bytes += section.raw;
    return bytes + rest_;
}

bool CPuzSections::IsEmpty() const
{
    return sections_.empty() && rest_.isEmpty();
}
