#include "ui/controls/accessible_child_cache.h"

#include <QAccessibleInterface>

AccessibleChildCache::~AccessibleChildCache()
{
    Clear();
}

QAccessibleInterface* AccessibleChildCache::Get(int index, const std::function<QAccessibleInterface*()>& make)
{
    const auto found = ids_.constFind(index);
    if (found != ids_.constEnd())
        return QAccessible::accessibleInterface(*found);
    QAccessibleInterface* child = make();
    ids_.insert(index, QAccessible::registerAccessibleInterface(child));
    return child;
}

int AccessibleChildCache::IndexOf(const QAccessibleInterface* child) const
{
    // Asking Qt for the id of an object it does not know would register it.
    for (auto it = ids_.constBegin(); it != ids_.constEnd(); ++it) {
        if (child != nullptr && QAccessible::accessibleInterface(it.value()) == child)
            return it.key();
    }
    return -1;
}

void AccessibleChildCache::Clear()
{
    for (const QAccessible::Id id : std::as_const(ids_))
        QAccessible::deleteAccessibleInterface(id);
    ids_.clear();
}
