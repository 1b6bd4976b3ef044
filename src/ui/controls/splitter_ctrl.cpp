#include "ui/controls/splitter_ctrl.h"

#include "data/splitter_geometry.h"
#include "ui/controls/color_ref.h"

#include "core/message_event.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPainter>

namespace {

// The shared Brighten works on colour values; the bar is drawn with QColors.
QColor Brighten(const QColor& color, int n)
{
    return QColorFromRef(::Brighten(ColorRefFromQColor(color), n));
}

// A bar thinner than this across its length has no room for the groove.
constexpr int kMinimumGrooveThickness = 4;

} // namespace

CSplitterCtrl::CSplitterCtrl(bool flat)
    : flat_(flat)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
}

bool CSplitterCtrl::Create(QWidget* parent, const QRect& rect, bool vertical)
{
    if (parent == nullptr) {
        return false;
    }
    vertical_ = vertical;
    setParent(parent);
    setWindowTitle(QStringLiteral("Splitter control"));
    setCursor(vertical ? Qt::SizeHorCursor : Qt::SizeVerCursor);
    setGeometry(rect);
    show();
    return true;
}

void CSplitterCtrl::SetMinimums(int before, int after)
{
    minBefore_ = before;
    minAfter_ = after;
}

int CSplitterCtrl::CoordinateAlongDrag(const QMouseEvent* event) const
{
    const QPoint pos = event->position().toPoint();
    return vertical_ ? pos.x() : pos.y();
}

void CSplitterCtrl::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    dragging_ = true;
    anchor_ = CoordinateAlongDrag(event);
    if (parentWidget() != nullptr) {
        parentWidget()->setFocus();
    }
    update();
}

void CSplitterCtrl::mouseMoveEvent(QMouseEvent* event)
{
    if (!dragging_ || parentWidget() == nullptr) {
        return;
    }
    const int delta = CoordinateAlongDrag(event) - anchor_;
    if (delta == 0) {
        return;
    }
    // The anchor stays put: the bar follows the pointer, which keeps its place inside the bar.
    const QRect moved =
        SplitterGeometry::DraggedRect(geometry(), parentWidget()->size(), delta, vertical_, minBefore_, minAfter_);
    if (moved == geometry()) {
        return;
    }
    setGeometry(moved);
    MessageEvent notification(UM_SPLITTER_MOVED, reinterpret_cast<qintptr>(this), 0);
    QCoreApplication::sendEvent(parentWidget(), &notification);
}

void CSplitterCtrl::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        EndDrag();
    }
}

void CSplitterCtrl::hideEvent(QHideEvent* event)
{
    // A hidden bar no longer receives the release, so the drag ends here.
    EndDrag();
    QWidget::hideEvent(event);
}

void CSplitterCtrl::EndDrag()
{
    if (!dragging_) {
        return;
    }
    dragging_ = false;
    update();
}

void CSplitterCtrl::paintEvent(QPaintEvent* /*event*/)
{
    if (backBuffer_.size() != size()) {
        backBuffer_ = QImage(size(), QImage::Format_RGB32);
    }
    if (backBuffer_.isNull()) {
        return;
    }
    DrawBar(backBuffer_);
    QPainter painter(this);
    painter.drawImage(0, 0, backBuffer_);
}

void CSplitterCtrl::DrawBar(QImage& image) const
{
    const QColor face = palette().color(QPalette::Button);
    const QColor shadow = palette().color(QPalette::Dark);
    const QColor highlight = palette().color(QPalette::Light);
    const QColor fill = dragging_ ? Brighten(face, 30) : face;
    const QColor border = dragging_ ? Brighten(face, 35) : shadow;
    const QColor groove1 = dragging_ ? Brighten(shadow, -35) : Brighten(shadow, -50);
    const QColor groove2 = dragging_ ? highlight : Brighten(face, 50);

    QPainter painter(&image);
    QRect r = image.rect();
    if (!flat_) {
        painter.fillRect(r, border);
        r.adjust(1, 1, -1, -1);
    }
    painter.fillRect(r, fill);

    // Integer halves of left + right (exclusive), as the groove is centred on them.
    const int cx = (r.left() + r.left() + r.width()) / 2;
    const int cy = (r.top() + r.top() + r.height()) / 2;
    if (!vertical_ && r.height() >= kMinimumGrooveThickness) {
        const int len = r.width() / 10;
        painter.fillRect(cx - len, cy, 2 * len, 1, groove1);
        painter.fillRect(cx - len, cy - 1, 2 * len, 1, groove2);
    } else if (vertical_ && r.width() >= kMinimumGrooveThickness) {
        const int len = r.height() / 10;
        painter.fillRect(cx, cy - len, 1, 2 * len, groove1);
        painter.fillRect(cx - 1, cy - len, 1, 2 * len, groove2);
    }
}
