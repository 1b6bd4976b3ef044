#include "ui/controls/scroll_bar_ctrl.h"

#include "core/message_event.h"
#include "ui/controls/color_ref.h"
#include "ui/controls/control_palette.h"
#include "ui/controls/draw_surface.h"
#include "ui/controls/shape_drawing.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPolygon>

namespace {

constexpr int kGripMinThumbLength = 30;
constexpr int kGripInset = 5;
constexpr int kGripOffsets[] = {-6, -3, 0, 3};

QColor Palette(int index)
{
    return QColorFromRef(PaletteColor(index));
}

// The arrow's triangle around its centre: tip 2 pixels towards the arrow's
// direction, base 1 pixel behind and 3 pixels to each side.
QPolygon ArrowTriangle(QPoint centre, bool horizontal, bool forward)
{
    const int s = forward ? 1 : -1;
    const int cx = centre.x();
    const int cy = centre.y();
    if (horizontal)
        return QPolygon({QPoint(cx + 2 * s, cy), QPoint(cx - s, cy - 3), QPoint(cx - s, cy + 3)});
    return QPolygon({QPoint(cx, cy + 2 * s), QPoint(cx - 3, cy - s), QPoint(cx + 3, cy - s)});
}

} // namespace

CScrollBarCtrl::CScrollBarCtrl(bool horizontal, QWidget* parent) : QWidget(parent), horizontal_(horizontal)
{
    setCursor(Qt::ArrowCursor);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    connect(&repeatTimer_, &QTimer::timeout, this, &CScrollBarCtrl::OnRepeatTimer);
}

void CScrollBarCtrl::Create(const QRect& rect, QWidget* parent, int controlId, bool visible)
{
    setParent(parent);
    setGeometry(rect);
    controlId_ = controlId;
    setVisible(visible);
}

void CScrollBarCtrl::SetOwner(QWidget* owner)
{
    owner_ = owner;
}

void CScrollBarCtrl::SetScrollValues(int page, int line, int min, int max, int pos, bool redraw)
{
    values_.page = page;
    values_.line = line;
    values_.min = min;
    values_.max = max;
    StoreRange(pos);
    if (redraw)
        Redraw();
}

void CScrollBarCtrl::SetPosition(int pos)
{
    StoreRange(pos);
    Redraw();
}

void CScrollBarCtrl::StoreRange(int pos)
{
    values_.noThumb = values_.page > values_.max - values_.min;
    if (values_.noThumb)
        values_.page = values_.max - values_.min;
    values_.pos = pos;
}

ScrollBarParts CScrollBarCtrl::LayoutParts() const
{
    return ScrollBarLayout::LayoutParts(size(), horizontal_, values_);
}

int CScrollBarCtrl::PartAt(QPoint point) const
{
    return ScrollBarLayout::PartAt(LayoutParts(), point);
}

void CScrollBarCtrl::ClampPos()
{
    values_.pos = ScrollBarLayout::ClampPos(values_.pos, values_.page, values_.min, values_.max);
}

void CScrollBarCtrl::StartRepeatTimer(int intervalMs)
{
    repeatTimer_.start(intervalMs);
}

void CScrollBarCtrl::StopRepeatTimer()
{
    repeatTimer_.stop();
}

void CScrollBarCtrl::StartTimer(int intervalMs)
{
    timerRunning_ = true;
    StartRepeatTimer(intervalMs);
}

void CScrollBarCtrl::StopTimer()
{
    if (!timerRunning_)
        return;
    timerRunning_ = false;
    StopRepeatTimer();
}

void CScrollBarCtrl::OnRepeatTimer()
{
    if (!timerRunning_ || !IsActive())
        return;
    StopTimer();
    StartTimer(kRepeatIntervalMs);
    Step();
}

void CScrollBarCtrl::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    if (!values_.noThumb) {
        pressedPart_ = PartAt(event->position().toPoint());
        if (pressedPart_ == kPartNone)
            return;
        pressed_ = true;
        if (pressedPart_ == kPartThumb) {
            dragAnchor_ = AxisCoordinate(event->position().toPoint());
            dragStartPos_ = values_.pos;
        } else {
            StartTimer(kInitialRepeatDelayMs);
            Step();
        }
        Redraw();
    }
    if (QWidget* target = NotifyTarget())
        target->setFocus();
}

void CScrollBarCtrl::mouseMoveEvent(QMouseEvent* event)
{
    if (!pressed_ || pressedPart_ != kPartThumb)
        return;
    const int delta = AxisCoordinate(event->position().toPoint()) - dragAnchor_;
    const int newPos = ScrollBarLayout::DragPos(dragStartPos_, delta, horizontal_, values_, LayoutParts());
    const int oldPos = values_.pos;
    if (newPos == oldPos)
        return;
    values_.pos = newPos;
    ClampPos();
    if (values_.pos == oldPos)
        return;
    Redraw();
    Notify(false);
}

void CScrollBarCtrl::mouseReleaseEvent(QMouseEvent* event)
{
    StopTimer();
    if (pressed_)
        EndPress(PartAt(event->position().toPoint()));
}

void CScrollBarCtrl::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange) {
        // A disabled bar gets no release any more, so the press ends here.
        if (!isEnabled() && pressed_) {
            StopTimer();
            EndPress(kPartNone);
        }
        Redraw();
    }
    QWidget::changeEvent(event);
}

void CScrollBarCtrl::hideEvent(QHideEvent* event)
{
    if (pressed_) {
        StopTimer();
        EndPress(kPartNone);
    }
    QWidget::hideEvent(event);
}

void CScrollBarCtrl::Step()
{
    if (!pressed_ || pressedPart_ == kPartNone || pressedPart_ == kPartThumb)
        return;
    const int oldPos = values_.pos;
    switch (pressedPart_) {
    case kPartArrow1:
        values_.pos -= values_.line;
        break;
    case kPartArrow2:
        values_.pos += values_.line;
        break;
    case kPartTrackBefore:
        values_.pos -= values_.page;
        break;
    default:
        values_.pos += values_.page;
        break;
    }
    if (values_.pos == oldPos)
        return;
    ClampPos();
    if (values_.pos == oldPos)
        return;
    Redraw();
    Notify(false);
}

void CScrollBarCtrl::EndPress(int part)
{
    pressedPart_ = part;
    pressed_ = false;
    Redraw();
    Notify(true);
}

void CScrollBarCtrl::Redraw()
{
    repaint();
}

void CScrollBarCtrl::Notify(bool done)
{
    const QPointer<QWidget> target = NotifyTarget();
    if (target == nullptr)
        return;
    MessageEvent changed(UM_SCROLL_CHANGED, controlId_);
    QCoreApplication::sendEvent(target, &changed);
    if (done && target != nullptr) {
        MessageEvent finished(UM_SCROLL_DONE, controlId_);
        QCoreApplication::sendEvent(target, &finished);
    }
}

QWidget* CScrollBarCtrl::NotifyTarget() const
{
    return owner_ != nullptr ? owner_.data() : parentWidget();
}

int CScrollBarCtrl::AxisCoordinate(QPoint point) const
{
    return horizontal_ ? point.x() : point.y();
}

bool CScrollBarCtrl::IsActive() const
{
    return isEnabled() && !values_.noThumb;
}

void CScrollBarCtrl::paintEvent(QPaintEvent*)
{
    CDrawSurface surface(this, true, &backBuffer_);
    const ScrollBarParts parts = LayoutParts();
    PaintTracks(surface, parts);
    PaintArrow(surface, parts[kPartArrow1], kPartArrow1);
    PaintArrow(surface, parts[kPartArrow2], kPartArrow2);
    PaintThumb(surface, parts);
}

void CScrollBarCtrl::PaintTracks(CDrawSurface& surface, const ScrollBarParts& parts) const
{
    surface.fillRect(rect(), Palette(kPaletteFace30));
    if (parts[kPartThumb].isEmpty())
        return;
    for (int track : {kPartTrackBefore, kPartTrackAfter}) {
        if (parts[track].isEmpty())
            continue;
        const bool held = pressed_ && pressedPart_ == track && IsActive();
        surface.fillRect(parts[track].adjusted(-1, 0, 1, 0), Palette(held ? kPaletteFace45 : kPaletteFace30));
    }
}

void CScrollBarCtrl::PaintArrow(CDrawSurface& surface, const QRect& rect, int part) const
{
    if (rect.isEmpty())
        return;
    FillFramed(surface, rect, Palette(kPaletteFace), Palette(kPaletteShadow));
    const QRect inside = rect.adjusted(1, 1, -1, -1);
    QPoint centre(inside.left() + inside.width() / 2, inside.top() + inside.height() / 2);
    if (pressed_ && pressedPart_ == part && IsActive())
        centre += QPoint(1, 1);
    const QColor color = Palette(IsActive() ? kPaletteBlack : kPaletteShadow);
    surface.setPen(QPen(color, 1));
    surface.setBrush(color);
    surface.drawPolygon(ArrowTriangle(centre, horizontal_, part == kPartArrow2));
}

void CScrollBarCtrl::PaintThumb(CDrawSurface& surface, const ScrollBarParts& parts) const
{
    const QRect& thumb = parts[kPartThumb];
    if (thumb.isEmpty())
        return;
    FillFramed(surface, thumb, Palette(kPaletteFace), Palette(kPaletteShadow));
    if (parts.thumbLength <= kGripMinThumbLength)
        return;
    const QRect inside = thumb.adjusted(1, 1, -1, -1);
    surface.setPen(surface.ToolPen(SurfacePen::Shadow));
    for (int offset : kGripOffsets) {
        if (horizontal_) {
            const int x = inside.left() + inside.width() / 2 + offset;
            surface.MoveLine(x, inside.top() + kGripInset, x, inside.bottom() + 1 - kGripInset);
        } else {
            const int y = inside.top() + inside.height() / 2 + offset;
            surface.MoveLine(inside.left() + kGripInset, y, inside.right() + 1 - kGripInset, y);
        }
    }
}
