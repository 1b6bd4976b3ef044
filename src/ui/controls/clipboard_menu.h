#pragma once

#include <QtGlobal>

#include <memory>

class QMenu;
class QWidget;

// The clipboard menu of the edit fields, for the field's present state:
// "&Undo", separator, "Cu&t", "&Copy", "&Paste", "C&lear", separator,
// "&Select All", each action carrying its command id (CContextMenuEdit's
// Command) as data and disabled where it can't act.
namespace ClipboardMenu {

struct FieldState {
    bool undoAvailable = false;
    qsizetype length = 0;
    qsizetype selected = 0;
};

std::unique_ptr<QMenu> Build(QWidget* field, const FieldState& state);

} // namespace ClipboardMenu
