#include "ui/controls/context_menu_edit.h"

#include "ui/controls/clipboard_menu.h"

#include <QContextMenuEvent>
#include <QMenu>

CContextMenuEdit::CContextMenuEdit(QWidget* parent) : QLineEdit(parent)
{
}

std::unique_ptr<QMenu> CContextMenuEdit::BuildContextMenu()
{
    return ClipboardMenu::Build(this, {isUndoAvailable(), text().length(), selectedText().length()});
}

void CContextMenuEdit::ShowContextMenu(const QPoint& globalPos)
{
    if (menuShown_)
        return;
    menuShown_ = true;
    const std::unique_ptr<QMenu> menu = BuildContextMenu();
    if (const QAction* chosen = ExecMenu(*menu, globalPos))
        RunCommand(chosen->data().toInt());
}

void CContextMenuEdit::RunCommand(int command)
{
    switch (command) {
    case kCommandUndo:
        if (isUndoAvailable())
            undo();
        break;
    case kCommandCut:
        cut();
        break;
    case kCommandCopy:
        copy();
        break;
    case kCommandPaste:
        paste();
        break;
    case kCommandClear:
        setText(QString());
        break;
    case kCommandSelectAll:
        selectAll();
        break;
    default:
        break;
    }
}

QAction* CContextMenuEdit::ExecMenu(QMenu& menu, const QPoint& globalPos)
{
    return menu.exec(globalPos);
}

void CContextMenuEdit::mousePressEvent(QMouseEvent* event)
{
    menuShown_ = false;
    setFocus(Qt::MouseFocusReason);
    QLineEdit::mousePressEvent(event);
}

void CContextMenuEdit::contextMenuEvent(QContextMenuEvent* event)
{
    ShowContextMenu(event->globalPos());
    event->accept();
}
