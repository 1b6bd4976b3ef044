#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QtGlobal>

#include <vector>

// The extra sections of a binary puzzle, after its strings: each is a 4-letter
// title, a 16-bit data length, a 16-bit checksum of the data, the data and a
// NUL. They are kept byte for byte; only the sections the program writes are
// rebuilt, each with its own checksum. Bytes that do not form a whole section
// (a length that runs past the end, a missing NUL) end the list and are kept
// as they are after it.
class CPuzSections {
public:
    static constexpr int kTitleLength = 4;
    static constexpr int kHeaderLength = 8;
    static constexpr qsizetype kLongestData = 0xFFFF;

    void Parse(QByteArrayView tail);

    // The data of the first section with the title whose checksum matches it;
    // null when there is none. It stays valid until the sections change.
    QByteArrayView Data(const char* title) const;
    bool Contains(const char* title) const;
    // Rebuilds the first section with the title around the new data, or adds
    // one after the last whole section. False, changing nothing, when the
    // data is too long for a section.
    bool Replace(const char* title, const QByteArray& data);

    // All sections and the bytes after them, as they now stand.
    QByteArray Bytes() const;
    bool IsEmpty() const;

    // The section's bytes around the data, checksum included.
    static QByteArray Build(const char* title, const QByteArray& data);

private:
    struct Section {
        QByteArray raw;
        bool checksumMatches = false;

        QByteArrayView Title() const { return QByteArrayView(raw.constData(), kTitleLength); }
        QByteArrayView Data() const { return QByteArrayView(raw).sliced(kHeaderLength, raw.size() - kHeaderLength - 1); }
    };

    static qsizetype WholeSectionLength(QByteArrayView bytes);
    const Section* Find(const char* title) const;

    std::vector<Section> sections_;
    QByteArray rest_;
};
