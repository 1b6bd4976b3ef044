#include "ui/controls/clipboard_menu.h"

#include "ui/controls/context_menu_edit.h"

#include <QClipboard>
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

namespace ClipboardMenu {

std::unique_ptr<QMenu> Build(QWidget* field, const FieldState& state)
{
    auto menu = std::make_unique<QMenu>(field);
    AddCommand(*menu, QStringLiteral("&Undo"), CContextMenuEdit::kCommandUndo, state.undoAvailable);
    menu->addSeparator();
    AddCommand(*menu, QStringLiteral("Cu&t"), CContextMenuEdit::kCommandCut, state.selected > 0);
    AddCommand(*menu, QStringLiteral("&Copy"), CContextMenuEdit::kCommandCopy, state.selected > 0);
    AddCommand(*menu, QStringLiteral("&Paste"), CContextMenuEdit::kCommandPaste, ClipboardHasText());
    AddCommand(*menu, QStringLiteral("C&lear"), CContextMenuEdit::kCommandClear, state.length > 0);
    menu->addSeparator();
    AddCommand(*menu, QStringLiteral("&Select All"), CContextMenuEdit::kCommandSelectAll,
               state.length > 0 && state.length != state.selected);
    return menu;
}

} // namespace ClipboardMenu
