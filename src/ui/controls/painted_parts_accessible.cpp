#include "ui/controls/painted_parts_accessible.h"

CPaintedPartsAccessible::CPaintedPartsAccessible(QWidget* widget, QAccessible::Role role)
    : QAccessibleWidget(widget, role)
{
}

int CPaintedPartsAccessible::childCount() const
{
    return PartCount();
}

QAccessibleInterface* CPaintedPartsAccessible::child(int index) const
{
    if (index < 0 || index >= PartCount())
        return nullptr;
    return parts_.Get(index, [this, index] { return MakePart(index); });
}

int CPaintedPartsAccessible::indexOfChild(const QAccessibleInterface* child) const
{
    return parts_.IndexOf(child);
}

QAccessibleInterface* CPaintedPartsAccessible::childAt(int x, int y) const
{
    for (int index = 0; index < PartCount(); ++index) {
        QAccessibleInterface* part = child(index);
        if (part != nullptr && part->rect().contains(x, y))
            return part;
    }
    return nullptr;
}
