#include "data/clue_list_rows.h"

#include <Qt>

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

int ClueListRows::RowAfterKey(int key, int row, int clientHeight) const
{
    const int last = Count() - 1;
    if (last < 0)
        return -1;
    const int page = std::max(clientHeight - 2 * kBorder, 1);
    const bool none = row < 0 || row > last;
    switch (key) {
    case Qt::Key_Home:
        return 0;
    case Qt::Key_End:
        return last;
    case Qt::Key_Down:
        return none ? 0 : std::min(row + 1, last);
    case Qt::Key_Up:
        return none ? last : std::max(row - 1, 0);
    case Qt::Key_PageDown:
        if (none)
            return 0;
        return RowAt(Top(row) + page) < 0 ? last : std::max(RowAt(Top(row) + page), std::min(row + 1, last));
    case Qt::Key_PageUp:
        if (none)
            return last;
        return RowAt(Top(row) - page) < 0 ? 0 : std::min(RowAt(Top(row) - page), std::max(row - 1, 0));
    default:
        return -1;
    }
}

int ClueListRows::ScrollToShow(int row, int scroll, int clientHeight) const
{
    if (row < 0 || row >= Count())
        return scroll;
    const int inner = clientHeight - 2 * kBorder;
    if (Top(row) < scroll || Height(row) > inner)
        return Top(row);
    if (Top(row) + Height(row) > scroll + inner)
        return Top(row) + Height(row) - inner;
    return scroll;
}
