#include "ui/controls/keyboard_accessible.h"

#include "data/keyboard_layout.h"
#include "data/screen_reader_text.h"
#include "ui/controls/accessible_element.h"
#include "ui/controls/keyboard_ctrl.h"

namespace {

class KeyAccessible : public AccessibleElement, public QAccessibleActionInterface {
public:
    KeyAccessible(CKeyboardCtrl* keyboard, int key) : AccessibleElement(keyboard, key, QAccessible::Button) {}

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
    }

    QString text(QAccessible::Text type) const override
    {
        return type == QAccessible::Name ? ScreenReaderText::KeyboardKeyName(KeyboardLayout::KeyChar(Index()))
                                         : QString();
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = VisibilityState();
        state.pressed = isValid() && Keyboard()->IsKeyShownPressed(Index());
        return state;
    }

    QStringList actionNames() const override { return {pressAction()}; }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

    void doAction(const QString& actionName) override
    {
        if (actionName == pressAction() && isValid())
            Keyboard()->PressKey(Index());
    }

protected:
    QRect LocalRect() const override
    {
        return isValid() ? KeyboardLayout::KeyRect(Index(), Keyboard()->IsLarge()) : QRect();
    }

private:
    CKeyboardCtrl* Keyboard() const { return static_cast<CKeyboardCtrl*>(Owner()); }
};

} // namespace

CKeyboardAccessible::CKeyboardAccessible(CKeyboardCtrl* keyboard)
    : QAccessibleWidget(keyboard, QAccessible::ToolBar)
{
}

CKeyboardCtrl* CKeyboardAccessible::Keyboard() const
{
    return static_cast<CKeyboardCtrl*>(widget());
}

QString CKeyboardAccessible::text(QAccessible::Text type) const
{
    return type == QAccessible::Name ? QStringLiteral("On-screen keyboard") : QAccessibleWidget::text(type);
}

int CKeyboardAccessible::childCount() const
{
    return Keyboard()->IsInitialised() ? KeyboardLayout::kKeyCount : 0;
}

QAccessibleInterface* CKeyboardAccessible::child(int index) const
{
    if (index < 0 || index >= childCount())
        return nullptr;
    return keys_.Get(index, [this, index] { return new KeyAccessible(Keyboard(), index); });
}

int CKeyboardAccessible::indexOfChild(const QAccessibleInterface* child) const
{
    return keys_.IndexOf(child);
}

QAccessibleInterface* CKeyboardAccessible::childAt(int x, int y) const
{
    return child(Keyboard()->KeyAt(Keyboard()->mapFromGlobal(QPoint(x, y))).index);
}
