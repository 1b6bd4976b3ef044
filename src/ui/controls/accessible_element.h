#pragma once

#include <QAccessibleInterface>
#include <QPointer>
#include <QWidget>

// A part of a hand-painted widget that a screen reader sees as an object of
// its own (a square, a key, a list row). It belongs to the widget's
// accessible interface, which keeps it in an AccessibleChildCache, and
// answers every question from the widget, so it never goes stale. A part
// that acts when tapped offers the same as its press action.
class AccessibleElement : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    AccessibleElement(QWidget* owner, int index, QAccessible::Role role);

    // Tells a running screen reader about the owner's part at index (its
    // child index); nothing is made or sent while none runs.
    static void Announce(QWidget* owner, int index, QAccessible::Event type);

    // False once the widget is gone; a part that can vanish with the widget's
    // content says so too.
    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QRect rect() const override;
    QAccessible::Role role() const override { return role_; }
    void setText(QAccessible::Text, const QString&) override {}
    void* interface_cast(QAccessible::InterfaceType type) override;

    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

protected:
    QWidget* Owner() const { return owner_; }
    int Index() const { return index_; }
    // Where the part is drawn, in the widget's coordinates.
    virtual QRect LocalRect() const = 0;
    // Whether the part acts when tapped, and what a tap on it does.
    virtual bool IsPressable() const { return false; }
    virtual void Press() {}
    // Invisible and off screen while the widget is hidden or the part lies
    // outside its visible area.
    QAccessible::State VisibilityState() const;

private:
    QPointer<QWidget> owner_;
    int index_;
    QAccessible::Role role_;
};
