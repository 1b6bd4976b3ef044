#pragma once

#include <QByteArray>
#include <QtGlobal>

// Hands out short byte strings cut from a few shared blocks, so that building
// thousands of them costs one allocation per block instead of one per string.
// Each string is an ordinary QByteArray, NUL-terminated and implicitly shared
// with its block: it keeps the block alive after the pool is gone, and it
// copies itself out on its first change.
class ByteStringPool {
public:
    QByteArray Copy(const char* bytes, qsizetype length);

private:
    static constexpr qsizetype kBlockSize = 8192;
    // Longer strings get an allocation of their own rather than a new block.
    static constexpr qsizetype kLongest = kBlockSize / 8;

    void StartBlock();

    QByteArray block_;
    // The block's bytes, taken while the pool alone held it: they are
    // written only here, never through a string, which would copy itself.
    char* blockBytes_ = nullptr;
    qsizetype used_ = kBlockSize;
};
