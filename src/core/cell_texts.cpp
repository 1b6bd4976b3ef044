#include "core/cell_texts.h"

#include <algorithm>

namespace {

// The first item whose square is not before cell.
template <typename Items>
auto FirstNotBefore(Items& items, qint32 cell)
{
    return std::lower_bound(items.begin(), items.end(), cell,
                            [](const CellTexts::Item& item, qint32 key) { return item.first < key; });
}

} // namespace

QByteArray CellTexts::At(qint32 cell) const
{
    const auto at = FirstNotBefore(items_, cell);
    return at != items_.end() && at->first == cell ? at->second : QByteArray();
}

bool CellTexts::Set(qint32 cell, const QByteArray& text)
{
    // Readers set the squares in order: each new one goes at the end.
    if (!text.isEmpty() && (items_.empty() || items_.back().first < cell)) {
        items_.emplace_back(cell, text);
        return true;
    }
    const auto at = FirstNotBefore(items_, cell);
    const bool present = at != items_.end() && at->first == cell;
    if (text.isEmpty()) {
        if (!present)
            return false;
        items_.erase(at);
        return true;
    }
    if (present) {
        if (at->second == text)
            return false;
        at->second = text;
        return true;
    }
    items_.insert(at, Item(cell, text));
    return true;
}
