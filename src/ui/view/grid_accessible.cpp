#include "ui/view/grid_accessible.h"

#include "core/puzzle.h"
#include "ui/view/grid_cell_accessible.h"
#include "ui/view/grid_view.h"

CGridAccessible::CGridAccessible(CGridView* view)
    : QAccessibleWidget(view, QAccessible::Table)
{
}

void CGridAccessible::AnnounceFocus(CGridView* view)
{
    if (!view->hasFocus())
        return;
    const int cell = view->Puzzle()->GetCurrentCell();
    // A new direction on the same square changes only the word it reads.
    AccessibleElement::Announce(view, cell, QAccessible::Focus);
    AccessibleElement::Announce(view, cell, QAccessible::DescriptionChanged);
}

void CGridAccessible::AnnounceSquare(CGridView* view, int cell)
{
    AccessibleElement::Announce(view, cell, QAccessible::NameChanged);
    AccessibleElement::Announce(view, cell, QAccessible::DescriptionChanged);
}

void CGridAccessible::AnnounceNewGrid(CGridView* view)
{
    if (!QAccessible::isActive())
        return;
    QAccessibleTableModelChangeEvent event(view, QAccessibleTableModelChangeEvent::ModelReset);
    QAccessible::updateAccessibility(&event);
    AnnounceFocus(view);
}

CGridView* CGridAccessible::View() const
{
    return static_cast<CGridView*>(widget());
}

void* CGridAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TableInterface)
        return static_cast<QAccessibleTableInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

QString CGridAccessible::text(QAccessible::Text type) const
{
    const CPuzzle& puzzle = *View()->Puzzle();
    switch (type) {
    case QAccessible::Name:
        return QStringLiteral("Crossword grid");
    case QAccessible::Description:
        if (!puzzle.IsLoaded())
            return QStringLiteral("No puzzle");
        return QStringLiteral("%1 columns, %2 rows").arg(puzzle.GetWidth()).arg(puzzle.GetHeight());
    default:
        return QAccessibleWidget::text(type);
    }
}

int CGridAccessible::CellCount() const
{
    const CPuzzle& puzzle = *View()->Puzzle();
    return puzzle.IsLoaded() ? puzzle.GetWidth() * puzzle.GetHeight() : 0;
}

// The squares made for another grid are dropped when the grid's size
// changes; a square answers from the model, so the same size keeps them.
QAccessibleInterface* CGridAccessible::Square(int cell) const
{
    if (cell < 0 || cell >= CellCount())
        return nullptr;
    const QSize size(rowCount(), columnCount());
    if (size != cachedSize_) {
        squares_.Clear();
        cachedSize_ = size;
    }
    return squares_.Get(cell, [this, cell] { return new CGridCellAccessible(View(), cell); });
}

int CGridAccessible::childCount() const
{
    return CellCount() + QAccessibleWidget::childCount();
}

QAccessibleInterface* CGridAccessible::child(int index) const
{
    const int cells = CellCount();
    return index < cells ? Square(index) : QAccessibleWidget::child(index - cells);
}

int CGridAccessible::indexOfChild(const QAccessibleInterface* child) const
{
    if (child == nullptr)
        return -1;
    if (child->role() == QAccessible::Cell && child->parent() == this) {
        const auto* cell = const_cast<QAccessibleInterface*>(child)->tableCellInterface();
        return cell->rowIndex() * columnCount() + cell->columnIndex();
    }
    const int index = QAccessibleWidget::indexOfChild(child);
    return index < 0 ? -1 : CellCount() + index;
}

QAccessibleInterface* CGridAccessible::childAt(int x, int y) const
{
    const QPoint local = View()->mapFromGlobal(QPoint(x, y));
    for (int i = 0; i < QAccessibleWidget::childCount(); ++i) {
        QAccessibleInterface* window = QAccessibleWidget::child(i);
        if (window != nullptr && !window->state().invisible && window->rect().contains(x, y))
            return window;
    }
    const int cell = View()->CellAtPoint(local);
    return cell >= 0 ? Square(cell) : nullptr;
}

QAccessibleInterface* CGridAccessible::focusChild() const
{
    if (QAccessibleInterface* window = QAccessibleWidget::focusChild())
        return window;
    return Square(View()->Puzzle()->GetCurrentCell());
}

QAccessibleInterface* CGridAccessible::cellAt(int row, int column) const
{
    if (row < 0 || column < 0 || row >= rowCount() || column >= columnCount())
        return nullptr;
    return Square(row * columnCount() + column);
}

int CGridAccessible::selectedCellCount() const
{
    return View()->Puzzle()->GetCurrentCell() >= 0 && CellCount() > 0 ? 1 : 0;
}

QList<QAccessibleInterface*> CGridAccessible::selectedCells() const
{
    QAccessibleInterface* current = Square(View()->Puzzle()->GetCurrentCell());
    return current != nullptr ? QList<QAccessibleInterface*>{current} : QList<QAccessibleInterface*>{};
}

QString CGridAccessible::columnDescription(int column) const
{
    return QStringLiteral("Column %1").arg(column + 1);
}

QString CGridAccessible::rowDescription(int row) const
{
    return QStringLiteral("Row %1").arg(row + 1);
}

int CGridAccessible::columnCount() const
{
    const CPuzzle& puzzle = *View()->Puzzle();
    return puzzle.IsLoaded() ? puzzle.GetWidth() : 0;
}

int CGridAccessible::rowCount() const
{
    const CPuzzle& puzzle = *View()->Puzzle();
    return puzzle.IsLoaded() ? puzzle.GetHeight() : 0;
}

void CGridAccessible::modelChange(QAccessibleTableModelChangeEvent* event)
{
    if (event->modelChangeType() == QAccessibleTableModelChangeEvent::ModelReset) {
        squares_.Clear();
        cachedSize_ = QSize();
    }
}
