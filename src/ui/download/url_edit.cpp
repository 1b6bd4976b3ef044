#include "ui/download/url_edit.h"

#include "ui/controls/clipboard_menu.h"
#include "ui/controls/context_menu_edit.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QTextCursor>

namespace {

QString WithoutLineBreaks(QString text)
{
    text.remove(u'\r');
    text.remove(u'\n');
    text.remove(QChar::ParagraphSeparator);
    text.remove(QChar::LineSeparator);
    return text;
}

} // namespace

CUrlEdit::CUrlEdit(QWidget* parent) : QPlainTextEdit(parent)
{
    setTabChangesFocus(true);
    setWordWrapMode(QTextOption::WrapAnywhere);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

QString CUrlEdit::Text() const
{
    return WithoutLineBreaks(toPlainText());
}

void CUrlEdit::SetText(const QString& text)
{
    setPlainText(WithoutLineBreaks(text));
}

std::unique_ptr<QMenu> CUrlEdit::BuildContextMenu()
{
    return ClipboardMenu::Build(this,
                                {document()->isUndoAvailable(), Text().length(), textCursor().selectedText().length()});
}

void CUrlEdit::ShowContextMenu(const QPoint& globalPos)
{
    if (menuShown_)
        return;
    menuShown_ = true;
    const std::unique_ptr<QMenu> menu = BuildContextMenu();
    if (const QAction* chosen = ExecMenu(*menu, globalPos))
        RunCommand(chosen->data().toInt());
}

void CUrlEdit::RunCommand(int command)
{
    switch (command) {
    case CContextMenuEdit::kCommandUndo:
        undo();
        break;
    case CContextMenuEdit::kCommandCut:
        cut();
        break;
    case CContextMenuEdit::kCommandCopy:
        copy();
        break;
    case CContextMenuEdit::kCommandPaste:
        paste();
        break;
    case CContextMenuEdit::kCommandClear:
        clear();
        break;
    case CContextMenuEdit::kCommandSelectAll:
        selectAll();
        break;
    default:
        break;
    }
}

QAction* CUrlEdit::ExecMenu(QMenu& menu, const QPoint& globalPos)
{
    return menu.exec(globalPos);
}

void CUrlEdit::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->ignore();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void CUrlEdit::mousePressEvent(QMouseEvent* event)
{
    menuShown_ = false;
    setFocus(Qt::MouseFocusReason);
    QPlainTextEdit::mousePressEvent(event);
}

void CUrlEdit::contextMenuEvent(QContextMenuEvent* event)
{
    ShowContextMenu(event->globalPos());
    event->accept();
}

void CUrlEdit::insertFromMimeData(const QMimeData* source)
{
    if (source != nullptr && source->hasText())
        insertPlainText(WithoutLineBreaks(source->text()));
}
