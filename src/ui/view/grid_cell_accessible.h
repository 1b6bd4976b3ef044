#pragma once

#include "ui/controls/accessible_element.h"

class CGridView;

// One square of the grid for a screen reader: its name says what is drawn
// in it, its description reads its word with the letters entered so far.
// Pressing it puts the cursor there, as a tap does.
class CGridCellAccessible : public AccessibleElement, public QAccessibleTableCellInterface {
public:
    CGridCellAccessible(CGridView* view, int cell);

    // QAccessibleInterface: valid while its square is in the open grid.
    bool isValid() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;
    QString text(QAccessible::Text type) const override;
    QAccessible::State state() const override;

    // QAccessibleTableCellInterface
    bool isSelected() const override;
    QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override;
    int rowIndex() const override;
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return parent(); }

protected:
    QRect LocalRect() const override;
    bool IsPressable() const override { return IsLetterSquare(); }
    void Press() override;

private:
    CGridView* View() const;
    bool IsLetterSquare() const;
};
