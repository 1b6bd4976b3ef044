#include "ui/controls/keyboard_ctrl.h"

#include "ui/controls/keyboard_picture.h"
#include "ui/controls/keyboard_sink.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

namespace {

// The window's size between Create and the first ApplySize.
constexpr int kInitialSide = 20;

QSize ScreenSize()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->size() : QSize();
}

} // namespace

CKeyboardCtrl::CKeyboardCtrl()
    : bounds_(ScreenSize())
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
}

bool CKeyboardCtrl::Create(QWidget* parent, const QPoint& savedPosition)
{
    if (parent == nullptr) {
        return false;
    }
    savedPosition_ = savedPosition;
    setParent(parent);
    setWindowTitle(QStringLiteral("Keyboard control"));
    setCursor(Qt::ArrowCursor);
    setGeometry(QRect(savedPosition, QSize(kInitialSide, kInitialSide)));
    raise();
    show();
    return true;
}

CKeyboardCtrl::KeyHit CKeyboardCtrl::KeyAt(const QPoint& point) const
{
    if (!initialised_) {
        return {};
    }
    for (int i = 0; i < KeyboardLayout::kKeyCount; ++i) {
        const Key& key = keys_[static_cast<std::size_t>(i)];
        if (key.rect.contains(point)) {
            return {i, key.ch};
        }
    }
    return {};
}

void CKeyboardCtrl::SetLarge(bool large)
{
    large_ = large;
    ApplySize();
}

void CKeyboardCtrl::ApplySize()
{
    resize(KeyboardLayout::SizeFor(large_));
    for (int i = 0; i < KeyboardLayout::kKeyCount; ++i) {
        keys_[static_cast<std::size_t>(i)] = {KeyboardLayout::KeyRect(i, large_), KeyboardLayout::KeyChar(i)};
    }
    initialised_ = true;
    keyboardPicture_ = DrawKeyboardPicture(large_, palette());
    emit SizeApplied(large_);
    ClampToBounds();
}

void CKeyboardCtrl::ClampToBounds()
{
    const QRect clamped = KeyboardLayout::ClampedToBounds(geometry(), bounds_);
    if (clamped != geometry()) {
        move(clamped.topLeft());
    }
}

bool CKeyboardCtrl::IsKeyShownPressed(int index) const
{
    return keyDown_ && pressedKey_ >= 0 && index == pressedKey_
        && keys_[static_cast<std::size_t>(pressedKey_)].rect.contains(lastPoint_);
}

// Only the left button (and touch, which arrives as it) presses keys or
// drags; other buttons pass through as on the grid.
void CKeyboardCtrl::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    const QPoint point = event->position().toPoint();
    const KeyHit hit = KeyAt(point);
    if (hit.index < 0) {
        pressedKey_ = -1;
        dragging_ = true;
        anchor_ = point;
        if (parentWidget() != nullptr) {
            parentWidget()->setFocus();
        }
    } else {
        keyDown_ = true;
        lastPoint_ = point;
        pressedKey_ = hit.index;
        pressedChar_ = hit.ch;
    }
    update();
}

void CKeyboardCtrl::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    if (dragging_) {
        DragTo(point);
    } else if (pressedKey_ >= 0 && point != lastPoint_) {
        lastPoint_ = point;
        update();
    }
}

void CKeyboardCtrl::DragTo(const QPoint& point)
{
    const QPoint delta = point - anchor_;
    if (delta.isNull() || parentWidget() == nullptr) {
        return;
    }
    // The anchor stays put: the keyboard follows the pointer, which keeps its place on it.
    const QRect moved = geometry().translated(delta);
    if (moved != geometry()) {
        move(moved.topLeft());
        ClampToBounds();
    }
    savedPosition_ = pos();
    emit PositionSaved(savedPosition_);
}

void CKeyboardCtrl::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    if (pressedKey_ < 0) {
        EndDrag();
        return;
    }
    // A key acts once per press; a stray second release must not repeat it.
    if (!keyDown_) {
        return;
    }
    keyDown_ = false;
    if (KeyAt(event->position().toPoint()).index == pressedKey_) {
        PerformKey(pressedChar_);
    }
    update();
}

void CKeyboardCtrl::hideEvent(QHideEvent* event)
{
    // A hidden keyboard no longer receives the release, so a drag ends here.
    EndDrag();
    QWidget::hideEvent(event);
}

void CKeyboardCtrl::EndDrag()
{
    if (!dragging_) {
        return;
    }
    dragging_ = false;
    update();
}

void CKeyboardCtrl::PressKey(int index)
{
    if (initialised_ && index >= 0 && index < KeyboardLayout::kKeyCount)
        PerformKey(KeyboardLayout::KeyChar(index));
}

void CKeyboardCtrl::PerformKey(char ch)
{
    switch (ch) {
    case KeyboardLayout::kSwitchSizeChar:
        large_ = !large_;
        ApplySize();
        break;
    case KeyboardLayout::kHideChar:
        hide();
        emit HiddenByKey();
        break;
    case KeyboardLayout::kBackspaceChar:
        if (sink_ != nullptr) {
            sink_->OnKeyboardKeyDown(KeyboardSink::kBackspaceKeyCode);
        }
        break;
    default:
        if (sink_ != nullptr) {
            sink_->OnKeyboardChar(ch);
        }
        break;
    }
}

void CKeyboardCtrl::paintEvent(QPaintEvent* /*event*/)
{
    if (backBuffer_.size() != size()) {
        backBuffer_ = QImage(size(), QImage::Format_RGB32);
    }
    if (backBuffer_.isNull()) {
        return;
    }
    QPainter buffer(&backBuffer_);
    buffer.fillRect(backBuffer_.rect(), palette().color(QPalette::Button));
    buffer.drawImage(0, 0, keyboardPicture_);
    if (pressedKey_ >= 0 && IsKeyShownPressed(pressedKey_)) {
        buffer.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        buffer.fillRect(keys_[static_cast<std::size_t>(pressedKey_)].rect, Qt::white);
    }
    buffer.end();
    QPainter painter(this);
    painter.drawImage(0, 0, backBuffer_);
}
