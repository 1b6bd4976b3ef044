#include "core/byte_string_pool.h"

#include "core/shared_slice.h"

#include <cstring>

QByteArray ByteStringPool::Copy(const char* bytes, qsizetype length)
{
    if (length > kLongest)
        return QByteArray(bytes, length);
    if (length + 1 > kBlockSize - used_)
        StartBlock();
    char* at = blockBytes_ + used_;
    std::memcpy(at, bytes, size_t(length));
    at[length] = '\0';
    const QByteArray text = SharedSlice(block_, used_, length);
    used_ += length + 1;
    return text;
}

void ByteStringPool::StartBlock()
{
    block_ = QByteArray(kBlockSize, Qt::Uninitialized);
    blockBytes_ = block_.data();
    used_ = 0;
}
