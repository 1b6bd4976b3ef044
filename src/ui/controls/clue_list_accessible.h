#pragma once

#include "ui/controls/painted_parts_accessible.h"

class CClueListCtrl;

// An All Clues list for a screen reader: a list whose items are the rows of
// the shown list, each named by its clue (and "solved"); the selected row is
// the focused item, and pressing an item chooses it as a tap does.
class CClueListAccessible : public CPaintedPartsAccessible {
public:
    explicit CClueListAccessible(CClueListCtrl* list);

    // The list shows other rows now (the other direction, new items).
    static void AnnounceNewRows(CClueListCtrl* list);

    QString text(QAccessible::Text type) const override;
    QAccessibleInterface* focusChild() const override;

protected:
    // The scroll bar stays out of the list: the keys scroll it with the selection.
    int PartCount() const override;
    QAccessibleInterface* MakePart(int index) const override;

private:
    CClueListCtrl* List() const;
};
