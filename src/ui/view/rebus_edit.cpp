#include "ui/view/rebus_edit.h"

#include <QKeyEvent>
#include <QValidator>

#include <algorithm>

namespace {

// Upper-cases what is typed and accepts printable ASCII without blanks, the
// characters a rebus answer is written with.
class RebusValidator : public QValidator {
public:
    using QValidator::QValidator;

    State validate(QString& input, int&) const override
    {
        input = input.toUpper();
        const bool printable = std::all_of(input.cbegin(), input.cend(),
                                           [](QChar c) { return c.unicode() > 0x20 && c.unicode() < 0x7F; });
        return printable ? Acceptable : Invalid;
    }
};

// Room for a few letters even when the square is small.
constexpr int kVisibleLetters = 6;
constexpr int kPadding = 6;

} // namespace

CRebusEdit::CRebusEdit(QWidget* parent) : QLineEdit(parent)
{
    setMaxLength(kLongestEntry);
    setValidator(new RebusValidator(this));
    setAlignment(Qt::AlignCenter);
    hide();
}

void CRebusEdit::Open(const QRect& square, const QString& entry)
{
    const QFontMetrics metrics(font());
    const int width = std::max(square.width(), metrics.horizontalAdvance(QLatin1Char('W')) * kVisibleLetters + kPadding);
    const int height = std::max(square.height(), metrics.height() + kPadding);
    QRect place(0, 0, width, height);
    place.moveCenter(square.center());
    const QRect room = parentWidget() != nullptr ? parentWidget()->rect() : place;
    place.moveLeft(std::clamp(place.left(), room.left(), std::max(room.left(), room.right() - width + 1)));
    place.moveTop(std::clamp(place.top(), room.top(), std::max(room.top(), room.bottom() - height + 1)));
    setGeometry(place);
    setText(entry);
    selectAll();
    open_ = true;
    show();
    raise();
    setFocus();
}

void CRebusEdit::Cancel()
{
    Finish(false);
}

void CRebusEdit::Finish(bool keep)
{
    if (!open_)
        return;
    open_ = false;
    const QString letters = text();
    hide();
    if (keep)
        emit Committed(letters);
    emit Closed();
}

void CRebusEdit::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        Finish(true);
        return;
    case Qt::Key_Escape:
        Finish(false);
        return;
    default:
        QLineEdit::keyPressEvent(event);
    }
}

void CRebusEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    Finish(true);
}
