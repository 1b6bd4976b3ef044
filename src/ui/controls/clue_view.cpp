#include "ui/controls/clue_view.h"

#include "ui/controls/grid_key_handler.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTextCursor>

CClueView::CClueView(QWidget* parent) : CColorEdit(parent)
{
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setContextMenuPolicy(Qt::NoContextMenu);
    setAcceptDrops(false);
    setAccessibleName(QStringLiteral("Current clue"));
}

void CClueView::SetKeyHandler(GridKeyHandler* handler)
{
    keyHandler_ = handler;
}

void CClueView::SetClueText(const QString& text)
{
    setPlainText(text);
}

void CClueView::SelectAllClue()
{
    setFocus();
    selectAll();
    ensureCursorVisible();
}

void CClueView::CopyClue()
{
    SelectAllClue();
    copy();
    QTextCursor cursor = textCursor();
    cursor.clearSelection();
    setTextCursor(cursor);
    ensureCursorVisible();
}

bool CClueView::event(QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo)) {
            event->ignore();
            return true;
        }
    }
    return CColorEdit::event(event);
}

void CClueView::keyPressEvent(QKeyEvent* event)
{
    if (keyHandler_ != nullptr) {
        keyHandler_->OnKeyDown(event->key());
        ForwardCharacters(event->text());
    }
    event->accept();
}

void CClueView::inputMethodEvent(QInputMethodEvent* event)
{
    if (keyHandler_ != nullptr)
        ForwardCharacters(event->commitString());
    event->accept();
}

// The middle button pastes the primary selection on X11; here it does nothing.
void CClueView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::MiddleButton) {
        event->accept();
        return;
    }
    CColorEdit::mousePressEvent(event);
}

void CClueView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::MiddleButton) {
        event->accept();
        return;
    }
    CColorEdit::mouseReleaseEvent(event);
}

bool CClueView::canInsertFromMimeData(const QMimeData* /*source*/) const
{
    return false;
}

void CClueView::insertFromMimeData(const QMimeData* /*source*/)
{
}

void CClueView::ForwardCharacters(const QString& text)
{
    for (QChar character : text)
        keyHandler_->OnChar(character);
}
