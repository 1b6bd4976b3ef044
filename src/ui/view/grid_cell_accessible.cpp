#include "ui/view/grid_cell_accessible.h"

#include "core/puzzle.h"
#include "data/screen_reader_text.h"
#include "ui/view/grid_view.h"

CGridCellAccessible::CGridCellAccessible(CGridView* view, int cell)
    : AccessibleElement(view, cell, QAccessible::Cell)
{
}

CGridView* CGridCellAccessible::View() const
{
    return static_cast<CGridView*>(Owner());
}

bool CGridCellAccessible::isValid() const
{
    if (!AccessibleElement::isValid())
        return false;
    const CPuzzle& puzzle = *View()->Puzzle();
    return puzzle.IsLoaded() && Index() < puzzle.GetWidth() * puzzle.GetHeight();
}

void* CGridCellAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TableCellInterface)
        return static_cast<QAccessibleTableCellInterface*>(this);
    return AccessibleElement::interface_cast(type);
}

bool CGridCellAccessible::IsLetterSquare() const
{
    const CPuzzle& puzzle = *View()->Puzzle();
    return puzzle.GetCell(Index()).solution != ' ' && !puzzle.GetCellStyle(Index()).IsVoid();
}

QString CGridCellAccessible::text(QAccessible::Text type) const
{
    if (!isValid())
        return {};
    const CPuzzle& puzzle = *View()->Puzzle();
    switch (type) {
    case QAccessible::Name:
        return ScreenReaderText::SquareName(puzzle, Index(), View()->WrongLettersShown());
    case QAccessible::Description:
        return IsLetterSquare() ? ScreenReaderText::WordDescription(puzzle, ScreenReaderText::WordOfSquare(puzzle, Index()))
                                : QString();
    default:
        return {};
    }
}

QAccessible::State CGridCellAccessible::state() const
{
    QAccessible::State state = VisibilityState();
    if (!isValid())
        return state;
    if (IsLetterSquare()) {
        state.focusable = true;
        state.selectable = true;
    }
    const bool current = isSelected();
    state.selected = current;
    state.focused = current && View()->hasFocus();
    return state;
}

bool CGridCellAccessible::isSelected() const
{
    return isValid() && View()->Puzzle()->GetCurrentCell() == Index();
}

int CGridCellAccessible::columnIndex() const
{
    return isValid() ? Index() % qMax(1, int(View()->Puzzle()->GetWidth())) : -1;
}

int CGridCellAccessible::rowIndex() const
{
    return isValid() ? Index() / qMax(1, int(View()->Puzzle()->GetWidth())) : -1;
}

// As a tap: the cursor goes there, or turns when it is there already.
void CGridCellAccessible::Press()
{
    View()->setFocus();
    View()->SelectCell(Index(), CGridView::SelectTap);
}

QRect CGridCellAccessible::LocalRect() const
{
    return isValid() ? View()->CellOnScreen(Index()) : QRect();
}
