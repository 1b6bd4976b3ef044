#include "data/link_list.h"

#include "data/archive_reader.h"
#include "data/archive_writer.h"

#include <algorithm>

namespace {

struct PresetLink {
    const char* id;
    const char* name;
};

constexpr PresetLink kPresetLinks[] = {
    {"thinks_daily", "Thinks Daily Crossword"},
    {"nytimes", "The New York Times (Daily)"},
    {"chron", "Houston Chronicle (Daily)"},
    {"wpost_daily", "The Washington Post Daily"},
    {"wpost_sunday", "The Washington Post Sunday"},
    {"wpost_tv", "The Washington Post TV (Sunday)"},
    {"tennessean", "The Tennessean (Daily)"},
    {"usatoday", "USA TODAY Daily"},
    {"latimes", "L.A. Times Daily"},
    {"latimes_sun_cal", "L.A. Times Sunday Calendar"},
    {"latimes_sun_mag", "L.A. Times Magazine Puzzle (Sunday)"},
    {"jonesin", "Jonesin (Tuesday)"},
    {"tv", "T.V (Sunday)"},
    {"familytime", "Family Time (Sunday, Monday)"},
    {"canadiana", "Canadiana (Monday)"},
    {"netword", "Net Word (Sunday)"},
};

// The host comes from the build configuration (GRIDMOOR_DOWNLOAD_HOST).
constexpr char kPresetUrlPrefix[] = "http://" GRIDMOOR_DOWNLOAD_HOST "/download.php?c=xword&id=";

// Each entry is four strings of at least one byte each, so a count larger
// than a quarter of the remaining bytes cannot be right; reserving only that
// much keeps a damaged count from asking for a huge allocation.
constexpr qsizetype kSmallestEntrySize = 4;

} // namespace

const URLEntry& CLinkList::GetLink(int index) const
{
    static const URLEntry kNoEntry;
    return index >= 0 && index < GetLinkCount() ? entries_[size_t(index)] : kNoEntry;
}

void CLinkList::AppendLink(URLEntry entry)
{
    entries_.push_back(std::move(entry));
}

void CLinkList::ReplaceLink(int index, const QString& name, const QString& url, const QString& login,
                            const QString& password)
{
    if (index >= 0 && index < GetLinkCount())
        entries_[size_t(index)] = URLEntry{name, url, login, password};
}

void CLinkList::RemoveLink(int index)
{
    if (index >= 0 && index < GetLinkCount())
        entries_.erase(entries_.begin() + index);
}

void CLinkList::SerializeLinks(CArchiveWriter& archive) const
{
    archive.WriteInt32(qint32(entries_.size()));
    for (const URLEntry& entry : entries_) {
        archive.WriteString(entry.name);
        archive.WriteString(entry.url);
        archive.WriteString(entry.login);
        archive.WriteString(entry.password);
    }
}

void CLinkList::SerializeLinks(CArchiveReader& archive)
{
    qint32 count = 0;
    if (!archive.ReadInt32(count)) {
        entries_.clear();
        return;
    }
    if (count < 1)
        return;
    std::vector<URLEntry> entries;
    entries.reserve(size_t(std::min<qsizetype>(count, archive.Remaining() / kSmallestEntrySize)));
    for (qint32 i = 0; i < count; ++i) {
        URLEntry entry;
        if (!archive.ReadString(entry.name) || !archive.ReadString(entry.url)
            || !archive.ReadString(entry.login) || !archive.ReadString(entry.password)) {
            entries_.clear();
            return;
        }
        entries.push_back(std::move(entry));
    }
    entries_ = std::move(entries);
}

void CLinkList::AddPresetLinks()
{
    if (!entries_.empty())
        return;
    for (const PresetLink& preset : kPresetLinks) {
        AppendLink(URLEntry{QString::fromLatin1(preset.name),
                            QString::fromLatin1(kPresetUrlPrefix) + QString::fromLatin1(preset.id),
                            QString(), QString()});
    }
}
