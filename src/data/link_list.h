#pragma once

#include <QString>

#include <vector>

class CArchiveReader;
class CArchiveWriter;

// One puzzle source: a display name, the address of the puzzle file, and an
// optional login and password for the server (kept exactly as typed).
struct URLEntry {
    QString name;
    QString url;
    QString login;
    QString password;

    friend bool operator==(const URLEntry&, const URLEntry&) = default;
};

// The user's ordered list of puzzle sources; row i of the download list shows
// entry i. Entries may repeat. The list never saves itself: the caller saves
// the settings after a change.
class CLinkList {
public:
    int GetLinkCount() const { return int(entries_.size()); }
    // The entry at a 0-based index below the count; an empty entry otherwise.
    const URLEntry& GetLink(int index) const;
    void AppendLink(URLEntry entry);
    // Ignored for an index outside the list.
    void ReplaceLink(int index, const QString& name, const QString& url, const QString& login,
                     const QString& password);
    // Later entries move up by one; ignored for an index outside the list.
    void RemoveLink(int index);

    // Writes the count and each entry's name, url, login and password.
    void SerializeLinks(CArchiveWriter& archive) const;
    // Reads the section: a count below 1 leaves the list as it is; a section
    // cut short or otherwise damaged leaves the list empty.
    void SerializeLinks(CArchiveReader& archive);

    // Fills an empty list with the sixteen preset sources of the download server.
    void AddPresetLinks();

private:
    std::vector<URLEntry> entries_;
};
