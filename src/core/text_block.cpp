#include "core/text_block.h"

#include "core/shared_slice.h"

#include <cstring>

QByteArray CTextBlock::Add(QByteArrayView text)
{
    const qsizetype length = text.size();
    if (length == 0 || length > kLongestShared)
        return text.toByteArray();
    if (block_.isEmpty() || used_ + length + 1 > block_.size()) {
        block_ = QByteArray(kBlockSize, Qt::Uninitialized);
        used_ = 0;
    }
    // Written past every text handed out so far, without detaching the
    // block from them: what they refer to does not change.
    char* at = block_.data_ptr().data() + used_;
    std::memcpy(at, text.data(), size_t(length));
    at[length] = '\0';
    const QByteArray part = SharedSlice(block_, used_, length);
    used_ += length + 1;
    return part;
}
