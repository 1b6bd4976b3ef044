#include "ui/controls/context_menu_edit.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>

namespace {

void AddCommand(QMenu& menu, const QString& text, int command, bool enabled)
{
    QAction* action = menu.addAction(text);
    action->setData(command);
    action->setEnabled(enabled);
}

bool ClipboardHasText()
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data != nullptr && data->hasText();
}

} // namespace

CContextMenuEdit::CContextMenuEdit(QWidget* parent) : QLineEdit(parent)
{
}

std::unique_ptr<QMenu> CContextMenuEdit::BuildContextMenu()
{
    auto menu = std::make_unique<QMenu>(this);
    const qsizetype length = text().length();
    const qsizetype selected = selectedText().length();
    AddCommand(*menu, QStringLiteral("&Undo"), kCommandUndo, isUndoAvailable());
    menu->addSeparator();
    AddCommand(*menu, QStringLiteral("Cu&t"), kCommandCut, selected > 0);
    AddCommand(*menu, QStringLiteral("&Copy"), kCommandCopy, selected > 0);
    AddCommand(*menu, QStringLiteral("&Paste"), kCommandPaste, ClipboardHasText());
    AddCommand(*menu, QStringLiteral("C&lear"), kCommandClear, length > 0);
    menu->addSeparator();
    AddCommand(*menu, QStringLiteral("&Select All"), kCommandSelectAll, length > 0 && length != selected);
    return menu;
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
