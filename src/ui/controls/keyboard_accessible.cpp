#include "ui/controls/keyboard_accessible.h"

#include "data/keyboard_layout.h"
#include "data/screen_reader_text.h"
#include "ui/controls/accessible_element.h"
#include "ui/controls/keyboard_ctrl.h"

namespace {

class KeyAccessible : public AccessibleElement {
public:
    KeyAccessible(CKeyboardCtrl* keyboard, int key) : AccessibleElement(keyboard, key, QAccessible::Button) {}

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

protected:
    bool IsPressable() const override { return true; }
    void Press() override { Keyboard()->PressKey(Index()); }

    QRect LocalRect() const override
    {
        return isValid() ? KeyboardLayout::KeyRect(Index(), Keyboard()->IsLarge()) : QRect();
    }

private:
    CKeyboardCtrl* Keyboard() const { return static_cast<CKeyboardCtrl*>(Owner()); }
};

} // namespace

CKeyboardAccessible::CKeyboardAccessible(CKeyboardCtrl* keyboard)
    : CPaintedPartsAccessible(keyboard, QAccessible::ToolBar)
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

int CKeyboardAccessible::PartCount() const
{
    return Keyboard()->IsInitialised() ? KeyboardLayout::kKeyCount : 0;
}

QAccessibleInterface* CKeyboardAccessible::MakePart(int index) const
{
    return new KeyAccessible(Keyboard(), index);
}
