#pragma once

#include <QLineEdit>

#include <memory>

class QMenu;
class QAction;

// A one-line edit field with a press-and-hold menu of clipboard commands.
// One press opens at most one menu: a second request before the next press is ignored.
class CContextMenuEdit : public QLineEdit {
    Q_OBJECT

public:
    enum Command : int {
        kCommandClear = 57632,
        kCommandCopy = 57634,
        kCommandCut = 57635,
        kCommandPaste = 57637,
        kCommandSelectAll = 57642,
        kCommandUndo = 57643,
    };

    explicit CContextMenuEdit(QWidget* parent = nullptr);

    // The clipboard menu (ClipboardMenu) for the field as it is now.
    std::unique_ptr<QMenu> BuildContextMenu();
    // Shows the menu at a global point unless one was shown since the last press.
    void ShowContextMenu(const QPoint& globalPos);
    void RunCommand(int command);

protected:
    // Runs the menu and returns the chosen action; a test answers it instead.
    virtual QAction* ExecMenu(QMenu& menu, const QPoint& globalPos);

    void mousePressEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    bool menuShown_ = false;
};
