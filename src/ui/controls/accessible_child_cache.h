#pragma once

#include <QAccessible>
#include <QHash>

#include <functional>

class QAccessibleInterface;

// The accessible objects of a widget's painted parts, made when a screen
// reader first asks for one and registered with Qt's accessibility cache,
// which hands out their ids. Nothing is made while no screen reader asks.
class AccessibleChildCache {
public:
    AccessibleChildCache() = default;
    AccessibleChildCache(const AccessibleChildCache&) = delete;
    AccessibleChildCache& operator=(const AccessibleChildCache&) = delete;
    ~AccessibleChildCache();

    // The part's object, made by make the first time.
    QAccessibleInterface* Get(int index, const std::function<QAccessibleInterface*()>& make);
    // The part's index, or -1 for an object not made here.
    int IndexOf(const QAccessibleInterface* child) const;
    // Forgets every part, when the parts themselves changed.
    void Clear();

private:
    QHash<int, QAccessible::Id> ids_;
};
