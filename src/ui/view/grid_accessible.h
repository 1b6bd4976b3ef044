#pragma once

#include "ui/controls/accessible_child_cache.h"

#include <QAccessibleWidget>
#include <QSize>

class CGridView;

// The grid as a screen reader sees it: a table of width x height squares,
// row by row, whose focused cell is the cursor's square. The squares come
// first among the children, so a square's child index is its cell index;
// the view's own child windows follow them.
class CGridAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit CGridAccessible(CGridView* view);

    // What the view tells a running screen reader: the cursor is on another
    // square (or the same square in the other direction), a square's letters
    // changed, the grid was replaced or all of it changed. Nothing is made or
    // sent while no screen reader runs.
    static void AnnounceFocus(CGridView* view);
    static void AnnounceSquare(CGridView* view, int cell);
    static void AnnounceNewGrid(CGridView* view);

    // QAccessibleInterface
    void* interface_cast(QAccessible::InterfaceType type) override;
    QString text(QAccessible::Text type) const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;

    // QAccessibleTableInterface
    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override;
    int selectedCellCount() const override;
    QList<QAccessibleInterface*> selectedCells() const override;
    QString columnDescription(int column) const override;
    QString rowDescription(int row) const override;
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int columnCount() const override;
    int rowCount() const override;
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent* event) override;

private:
    CGridView* View() const;
    int CellCount() const;
    QAccessibleInterface* Square(int cell) const;

    mutable AccessibleChildCache squares_;
    // The grid size the cached squares were made for.
    mutable QSize cachedSize_;
};
