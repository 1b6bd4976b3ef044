#include "ui/controls/toggle_button.h"

#include "ui/controls/dpi_scaling.h"
#include "ui/controls/shape_drawing.h"

#include <QPainter>

CToggleButton::CToggleButton(const QString& text, QWidget* parent) : QPushButton(text, parent)
{
    QFont look = font();
    look.setPixelSize(ScaleByDpi(kTextHeight));
    setFont(look);
}

void CToggleButton::SetSelectedLook(bool selected, bool redraw)
{
    if (selected == selected_)
        return;
    selected_ = selected;
    QFont look = font();
    look.setPixelSize(ScaleByDpi(selected ? kSelectedTextHeight : kTextHeight));
    look.setWeight(selected ? QFont::Bold : QFont::Normal);
    setFont(look);
    if (redraw)
        repaint();
}

// The field takes the caption or the window colour as the system gives them;
// the text takes the colour the palette pairs with that field, which is the
// window colour on the caption and black on the window under light palettes.
void CToggleButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QPalette& colors = palette();
    FrameRectWithBrush(painter, rect(), QBrush(Qt::black));
    const QRect field = rect().adjusted(2, 2, -2, -2);
    painter.fillRect(field, selected_ ? colors.color(QPalette::Active, QPalette::Highlight)
                                      : colors.color(QPalette::Active, QPalette::Base));
    painter.setPen(selected_ ? colors.color(QPalette::Active, QPalette::HighlightedText)
                             : colors.color(QPalette::Active, QPalette::Text));
    painter.setFont(font());
    // A title longer than the tab ends in an ellipsis rather than being cut.
    const QString shown = painter.fontMetrics().elidedText(text(), Qt::ElideRight, field.width() - 2);
    painter.drawText(rect(), Qt::AlignCenter | Qt::TextSingleLine, shown);
    if (hasFocus()) {
        painter.setPen(QPen(painter.pen().color(), 1, Qt::DotLine));
        painter.drawRect(field.adjusted(2, 2, -3, -3));
    }
}
