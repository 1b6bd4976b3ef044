#include "ui/controls/accessible_element.h"

#include <QWindow>

AccessibleElement::AccessibleElement(QWidget* owner, int index, QAccessible::Role role)
    : owner_(owner), index_(index), role_(role)
{
}

void AccessibleElement::Announce(QWidget* owner, int index, QAccessible::Event type)
{
    if (!QAccessible::isActive() || index < 0)
        return;
    QAccessibleEvent event(owner, type);
    event.setChild(index);
    QAccessible::updateAccessibility(&event);
}

bool AccessibleElement::isValid() const
{
    return !owner_.isNull();
}

QWindow* AccessibleElement::window() const
{
    return owner_ != nullptr ? owner_->window()->windowHandle() : nullptr;
}

QAccessibleInterface* AccessibleElement::parent() const
{
    return owner_ != nullptr ? QAccessible::queryAccessibleInterface(owner_) : nullptr;
}

QRect AccessibleElement::rect() const
{
    if (owner_ == nullptr)
        return {};
    const QRect local = LocalRect();
    return QRect(owner_->mapToGlobal(local.topLeft()), local.size());
}

void* AccessibleElement::interface_cast(QAccessible::InterfaceType type)
{
    return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
}

QStringList AccessibleElement::actionNames() const
{
    return isValid() && IsPressable() ? QStringList{pressAction()} : QStringList{};
}

void AccessibleElement::doAction(const QString& actionName)
{
    if (actionName == pressAction() && isValid() && IsPressable())
        Press();
}

QAccessible::State AccessibleElement::VisibilityState() const
{
    QAccessible::State state;
    if (owner_ == nullptr || !owner_->isVisible()) {
        state.invisible = true;
        state.offscreen = true;
    } else if (!owner_->visibleRegion().intersects(LocalRect())) {
        state.offscreen = true;
    }
    return state;
}
