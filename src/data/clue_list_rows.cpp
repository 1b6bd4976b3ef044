#include "data/clue_list_rows.h"

#include <algorithm>

ClueListRows::ClueListRows(const QList<int>& heights)
{
    for (const int height : heights)
        tops_.append(tops_.last() + std::max(height, 1));
}

int ClueListRows::RowAt(int contentY) const
{
    if (contentY < 0 || contentY >= ContentHeight())
        return -1;
    const auto after = std::upper_bound(tops_.cbegin(), tops_.cend(), contentY);
    return int(after - tops_.cbegin()) - 1;
}

int ClueListRows::TapRow(QSize client, QPoint point, int scroll) const
{
    const bool inside = point.x() >= kBorder && point.x() < client.width() - kBorder && point.y() >= kBorder
                        && point.y() < client.height() - kBorder;
    if (!inside)
        return kTapIgnored;
    return RowAt(point.y() - kBorder + scroll);
}

bool ClueListRows::NeedsScroll(int clientHeight) const
{
    return ContentHeight() > clientHeight - 2 * kBorder;
}
