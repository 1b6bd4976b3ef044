#include "ui/download/url_edit.h"

#include "ui/controls/context_menu_edit.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QTextCursor>

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
    auto menu = std::make_unique<QMenu>(this);
    const qsizetype length = Text().length();
    const qsizetype selected = textCursor().selectedText().length();
    AddCommand(*menu, QStringLiteral("&Undo"), CContextMenuEdit::kCommandUndo, document()->isUndoAvailable());
    menu->addSeparator();
    AddCommand(*menu, QStringLiteral("Cu&t"), CContextMenuEdit::kCommandCut, selected > 0);
    AddCommand(*menu, QStringLiteral("&Copy"), CContextMenuEdit::kCommandCopy, selected > 0);
    AddCommand(*menu, QStringLiteral("&Paste"), CContextMenuEdit::kCommandPaste, ClipboardHasText());
    AddCommand(*menu, QStringLiteral("C&lear"), CContextMenuEdit::kCommandClear, length > 0);
    menu->addSeparator();
    AddCommand(*menu, QStringLiteral("&Select All"), CContextMenuEdit::kCommandSelectAll,
               length > 0 && length != selected);
    return menu;
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
