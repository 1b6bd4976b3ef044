#include "core/shared_slice.h"

QByteArray SharedSlice(const QByteArray& whole, qsizetype from, qsizetype length)
{
    Q_ASSERT(from >= 0 && length >= 0 && from + length <= whole.size());
    QByteArray part = whole;
    QByteArray::DataPointer& data = part.data_ptr();
    if (data.d_ptr() == nullptr || whole.constData()[from + length] != '\0')
        return QByteArray(whole.constData() + from, length);
    data.setBegin(data.data() + from);
    data.size = length;
    return part;
}
