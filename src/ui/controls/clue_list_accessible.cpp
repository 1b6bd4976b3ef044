#include "ui/controls/clue_list_accessible.h"

#include "data/screen_reader_text.h"
#include "ui/controls/accessible_element.h"
#include "ui/controls/clue_list_ctrl.h"

namespace {

class ClueRowAccessible : public AccessibleElement {
public:
    ClueRowAccessible(CClueListCtrl* list, int row) : AccessibleElement(list, row, QAccessible::ListItem) {}

    bool isValid() const override { return AccessibleElement::isValid() && Index() < List()->Rows().Count(); }

    QString text(QAccessible::Text type) const override
    {
        return type == QAccessible::Name && isValid() ? ScreenReaderText::ClueRowName(List()->Item(Index()))
                                                      : QString();
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = VisibilityState();
        state.selectable = true;
        state.focusable = true;
        state.selected = isValid() && List()->SelectedRow() == Index();
        state.focused = state.selected && List()->hasFocus();
        return state;
    }

protected:
    QRect LocalRect() const override { return isValid() ? List()->RowRect(Index()) : QRect(); }
    bool IsPressable() const override { return true; }
    void Press() override { List()->ChooseRow(Index()); }

private:
    CClueListCtrl* List() const { return static_cast<CClueListCtrl*>(Owner()); }
};

} // namespace

CClueListAccessible::CClueListAccessible(CClueListCtrl* list)
    : CPaintedPartsAccessible(list, QAccessible::List)
{
}

void CClueListAccessible::AnnounceNewRows(CClueListCtrl* list)
{
    if (!QAccessible::isActive())
        return;
    if (auto* self = dynamic_cast<CClueListAccessible*>(QAccessible::queryAccessibleInterface(list)))
        self->ForgetParts();
    QAccessibleEvent event(list, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}

CClueListCtrl* CClueListAccessible::List() const
{
    return static_cast<CClueListCtrl*>(widget());
}

QString CClueListAccessible::text(QAccessible::Text type) const
{
    if (type == QAccessible::Name)
        return List()->ShownTitle() + QStringLiteral(" clues");
    return CPaintedPartsAccessible::text(type);
}

int CClueListAccessible::PartCount() const
{
    return List()->Rows().Count();
}

QAccessibleInterface* CClueListAccessible::MakePart(int index) const
{
    return new ClueRowAccessible(List(), index);
}

QAccessibleInterface* CClueListAccessible::focusChild() const
{
    return child(List()->SelectedRow());
}
