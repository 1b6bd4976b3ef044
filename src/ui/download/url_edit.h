#pragma once

#include <QPlainTextEdit>

#include <memory>

class QAction;
class QMenu;

// The link editor's address field: several lines tall, so a long address
// wraps and stays readable, but one line of text: Enter goes to the dialog
// and line breaks in pasted text are dropped. Press and hold opens the same
// clipboard menu as the other fields, at most once per press.
class CUrlEdit : public QPlainTextEdit {
    Q_OBJECT

public:
    explicit CUrlEdit(QWidget* parent = nullptr);

    QString Text() const;
    void SetText(const QString& text);

    // The clipboard menu (ClipboardMenu) for the field as it is now.
    std::unique_ptr<QMenu> BuildContextMenu();
    void ShowContextMenu(const QPoint& globalPos);
    void RunCommand(int command);

protected:
    // Runs the menu and returns the chosen action; a test answers it instead.
    virtual QAction* ExecMenu(QMenu& menu, const QPoint& globalPos);

    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    bool menuShown_ = false;
};
