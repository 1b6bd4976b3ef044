#include "data/all_clues_layout.h"

namespace {

// A rectangle from its edges, right and bottom outside it.
QRect FromEdges(int left, int top, int right, int bottom)
{
    return QRect(left, top, right - left, bottom - top);
}

} // namespace

AllCluesLayout LayoutAllClues(const QRect& client, QPoint tabOrigin, int tabHeight, const QRect& checkBox)
{
    const int right = client.x() + client.width();
    const int bottom = client.y() + client.height();
    const int left = tabOrigin.x();
    const int top = tabOrigin.y();
    const int half = client.width() / 2;
    AllCluesLayout layout;
    layout.checkBox = QRect(checkBox.x(), bottom - 1 - checkBox.height(), checkBox.width(), checkBox.height());
    layout.acrossTab = FromEdges(left, top, half, top + tabHeight);
    layout.downTab = FromEdges(half + 1, top, right - left, top + tabHeight);
    layout.list = FromEdges(left, top + tabHeight + 1, right - left, layout.checkBox.y() - 1);
    return layout;
}
