#include "data/all_clues_layout.h"

#include <algorithm>

namespace {

// A rectangle from its edges, right and bottom outside it.
QRect FromEdges(int left, int top, int right, int bottom)
{
    return QRect(left, top, right - left, bottom - top);
}

} // namespace

// The tabs split the width at equal steps; each split leaves a one-pixel gap.
AllCluesLayout LayoutAllClues(const QRect& client, QPoint tabOrigin, int tabHeight, const QRect& checkBox,
                              int tabCount)
{
    const int right = client.x() + client.width();
    const int bottom = client.y() + client.height();
    const int left = tabOrigin.x();
    const int top = tabOrigin.y();
    tabCount = std::max(tabCount, 2);
    AllCluesLayout layout;
    layout.checkBox = QRect(checkBox.x(), bottom - 1 - checkBox.height(), checkBox.width(), checkBox.height());
    for (int tab = 0; tab < tabCount; ++tab) {
        const int start = tab == 0 ? left : client.width() * tab / tabCount + 1;
        const int end = tab + 1 == tabCount ? right - left : client.width() * (tab + 1) / tabCount;
        layout.tabs.append(FromEdges(start, top, end, top + tabHeight));
    }
    layout.list = FromEdges(left, top + tabHeight + 1, right - left, layout.checkBox.y() - 1);
    return layout;
}
