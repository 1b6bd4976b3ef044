#include "ui/controls/color_swatch.h"

#include "data/screen_reader_text.h"
#include "ui/controls/color_ref.h"
#include "ui/controls/dpi_scaling.h"
#include "ui/controls/shape_drawing.h"
#include "ui/dialogs/a_color_dlg.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

CColorSwatch::CColorSwatch(QWidget* parent) : QAbstractButton(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleDescription(ScreenReaderText::ColorText(color_));
}

void CColorSwatch::SetSwatchColor(ColorRef color, bool redraw)
{
    if (color == color_)
        return;
    color_ = color;
    setAccessibleDescription(ScreenReaderText::ColorText(color_));
    if (redraw)
        repaint();
}

void CColorSwatch::SetLabel(QLabel* label)
{
    label_ = label;
    setAccessibleName(label != nullptr ? ScreenReaderText::NameFromLabel(label->text()) : QString());
}

void CColorSwatch::SetOpensSelector(bool opens)
{
    opensSelector_ = opens;
    setFocusPolicy(opens ? Qt::StrongFocus : Qt::NoFocus);
}

QSize CColorSwatch::sizeHint() const
{
    return {ScaleByDpi(60), fontMetrics().height() + 8};
}

void CColorSwatch::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    FrameRectWithBrush(painter, rect(), QBrush(Qt::black));
    painter.fillRect(rect().adjusted(2, 2, -2, -2), QColorFromRef(color_));
    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
        painter.drawRect(rect().adjusted(1, 1, -1, -1));
    }
}

// The selector opens on the press itself; the button's own click is not used.
void CColorSwatch::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && opensSelector_)
        ChooseColor();
    event->accept();
}

void CColorSwatch::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
}

void CColorSwatch::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    if (opensSelector_ && (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter)) {
        ChooseColor();
        return;
    }
    QAbstractButton::keyPressEvent(event);
}

void CColorSwatch::ChooseColor()
{
    AColorDlg selector(window());
    selector.SetSelectorColor(color_, false);
    selector.SetCaption(label_ != nullptr ? label_->text() : QString());
    if (selector.exec() == QDialog::Accepted)
        SetSwatchColor(selector.Color(), true);
}
