#pragma once

#include "ui/controls/painted_parts_accessible.h"

class CKeyboardCtrl;

// The on-screen keyboard for a screen reader: a tool bar whose keys are
// buttons named after what they type or do; pressing one acts as a tap.
class CKeyboardAccessible : public CPaintedPartsAccessible {
public:
    explicit CKeyboardAccessible(CKeyboardCtrl* keyboard);

    QString text(QAccessible::Text type) const override;

protected:
    int PartCount() const override;
    QAccessibleInterface* MakePart(int index) const override;

private:
    CKeyboardCtrl* Keyboard() const;
};
