#pragma once

#include "ui/controls/accessible_child_cache.h"

#include <QAccessibleWidget>

// A hand-painted widget whose accessible children are its painted parts
// (keys, rows), made when a screen reader first asks for one.
class CPaintedPartsAccessible : public QAccessibleWidget {
public:
    CPaintedPartsAccessible(QWidget* widget, QAccessible::Role role);

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;

protected:
    virtual int PartCount() const = 0;
    virtual QAccessibleInterface* MakePart(int index) const = 0;
    // The parts changed: the objects made for them are dropped.
    void ForgetParts() { parts_.Clear(); }

private:
    mutable AccessibleChildCache parts_;
};
