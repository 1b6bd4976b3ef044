#pragma once

#include "ui/controls/accessible_child_cache.h"

#include <QAccessibleWidget>

class CKeyboardCtrl;

// The on-screen keyboard for a screen reader: a tool bar whose keys are
// buttons named after what they type or do; pressing one acts as a tap.
class CKeyboardAccessible : public QAccessibleWidget {
public:
    explicit CKeyboardAccessible(CKeyboardCtrl* keyboard);

    QString text(QAccessible::Text type) const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;

private:
    CKeyboardCtrl* Keyboard() const;

    mutable AccessibleChildCache keys_;
};
