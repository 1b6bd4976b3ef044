#include "ui/controls/clue_list_accessible.h"

#include "data/screen_reader_text.h"
#include "ui/controls/accessible_element.h"
#include "ui/controls/clue_list_ctrl.h"

namespace {

class ClueRowAccessible : public AccessibleElement, public QAccessibleActionInterface {
public:
    ClueRowAccessible(CClueListCtrl* list, int row) : AccessibleElement(list, row, QAccessible::ListItem) {}

    bool isValid() const override { return AccessibleElement::isValid() && Index() < List()->Rows().Count(); }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
    }

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

    QStringList actionNames() const override { return {pressAction()}; }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

    void doAction(const QString& actionName) override
    {
        if (actionName == pressAction() && isValid())
            List()->ChooseRow(Index());
    }

protected:
    QRect LocalRect() const override { return isValid() ? List()->RowRect(Index()) : QRect(); }

private:
    CClueListCtrl* List() const { return static_cast<CClueListCtrl*>(Owner()); }
};

} // namespace

CClueListAccessible::CClueListAccessible(CClueListCtrl* list)
    : QAccessibleWidget(list, QAccessible::List)
{
}

void CClueListAccessible::AnnounceNewRows(CClueListCtrl* list)
{
    if (!QAccessible::isActive())
        return;
    if (auto* self = dynamic_cast<CClueListAccessible*>(QAccessible::queryAccessibleInterface(list)))
        self->rows_.Clear();
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
        return List()->IsShowingAcross() ? QStringLiteral("Across clues") : QStringLiteral("Down clues");
    return QAccessibleWidget::text(type);
}

int CClueListAccessible::RowCount() const
{
    return List()->Rows().Count();
}

// The scroll bar stays out of the list: the keys scroll it with the selection.
int CClueListAccessible::childCount() const
{
    return RowCount();
}

QAccessibleInterface* CClueListAccessible::child(int index) const
{
    if (index < 0 || index >= RowCount())
        return nullptr;
    return rows_.Get(index, [this, index] { return new ClueRowAccessible(List(), index); });
}

int CClueListAccessible::indexOfChild(const QAccessibleInterface* child) const
{
    return rows_.IndexOf(child);
}

QAccessibleInterface* CClueListAccessible::childAt(int x, int y) const
{
    const QPoint local = List()->mapFromGlobal(QPoint(x, y));
    for (int row = 0; row < RowCount(); ++row) {
        if (List()->RowRect(row).contains(local))
            return child(row);
    }
    return nullptr;
}

QAccessibleInterface* CClueListAccessible::focusChild() const
{
    return child(List()->SelectedRow());
}
