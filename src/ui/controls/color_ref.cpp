#include "ui/controls/color_ref.h"

#include <algorithm>

namespace {

int Channel(quint32 color, int shift)
{
    return static_cast<int>((color >> shift) & 0xFF);
}

} // namespace

quint32 Brighten(quint32 color, int delta)
{
    const auto adjust = [delta](int channel) { return std::clamp(channel + delta, 0, 255); };
    return MakeColorRef(adjust(Channel(color, 0)), adjust(Channel(color, 8)), adjust(Channel(color, 16)));
}

QColor QColorFromRef(quint32 color)
{
    return QColor(Channel(color, 0), Channel(color, 8), Channel(color, 16));
}

quint32 ColorRefFromQColor(const QColor& color)
{
    return MakeColorRef(color.red(), color.green(), color.blue());
}
