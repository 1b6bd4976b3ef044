#pragma once

#include "ui/controls/accessible_child_cache.h"

#include <QAccessibleWidget>

class CClueListCtrl;

// An All Clues list for a screen reader: a list whose items are the rows of
// the shown list, each named by its clue (and "solved"); the selected row is
// the focused item, and pressing an item chooses it as a tap does.
class CClueListAccessible : public QAccessibleWidget {
public:
    explicit CClueListAccessible(CClueListCtrl* list);

    // The list shows other rows now (the other direction, new items).
    static void AnnounceNewRows(CClueListCtrl* list);

    QString text(QAccessible::Text type) const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;

private:
    CClueListCtrl* List() const;
    int RowCount() const;

    mutable AccessibleChildCache rows_;
};
