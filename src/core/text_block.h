#pragma once

#include <QByteArray>
#include <QByteArrayView>

// Short texts copied into blocks of storage they share: many texts cost one
// allocation together instead of one each, and a reference each to free.
// A block lives as long as any of its texts; a text that is changed is
// copied out first, as with any shared QByteArray.
class CTextBlock {
public:
    // The text as an array of its own bytes.
    QByteArray Add(QByteArrayView text);

private:
    static constexpr qsizetype kBlockSize = 4000;
    // Longer texts get their own storage, so a block is never mostly empty.
    static constexpr qsizetype kLongestShared = kBlockSize / 8;

    QByteArray block_;
    qsizetype used_ = 0;
};
