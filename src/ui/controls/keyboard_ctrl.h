#pragma once

#include "data/keyboard_layout.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QWidget>

#include <array>

class KeyboardSink;

// A small floating letter keyboard over the frame's panes. A key acts once, when
// the pointer is released on the key where it went down; pressing in the free
// space between keys drags the keyboard, which never leaves its bounds. "^"
// switches between the large and the small size, "#" hides the keyboard.
//
// The keyboard keeps no settings itself: it reports its size choice, its
// position after a drag and its hiding through signals, which the frame stores.
class CKeyboardCtrl : public QWidget {
    Q_OBJECT

public:
    static constexpr QPoint kDefaultPosition{50, 180};
    using KeyHit = KeyboardLayout::KeyHit;

    CKeyboardCtrl();

    // Makes the keyboard a visible child of parent, 20 x 20 at savedPosition until
    // SetLarge gives it its real size.
    bool Create(QWidget* parent, const QPoint& savedPosition = kDefaultPosition);
    void SetSink(KeyboardSink* sink) { sink_ = sink; }

    void SetLarge(bool large);
    // Gives the window the size of the current keyboard, keeping its top-left,
    // redraws the picture and moves the keyboard back inside its bounds.
    void ApplySize();
    // Shifts the keyboard right, then left, then down, then up so that it lies
    // inside (0, 0, boundsWidth, boundsHeight) of the parent; moves it only when needed.
    void ClampToBounds();
    void SetBounds(const QSize& bounds) { bounds_ = bounds; }

    bool IsLarge() const { return large_; }
    bool IsInitialised() const { return initialised_; }
    bool IsDragging() const { return dragging_; }
    QSize Bounds() const { return bounds_; }
    // The top-left the keyboard was dragged to last (parent client coordinates).
    QPoint SavedPosition() const { return savedPosition_; }
    // The key under a point in client coordinates, from the current key rectangles.
    KeyHit KeyAt(const QPoint& point) const;
    // Whether the key at index is drawn pressed now.
    bool IsKeyShownPressed(int index) const;
    // Does what a tap on the key at index does (for a screen reader's press).
    void PressKey(int index);

signals:
    // The size now shown; the frame stores it as the keyboard-size choice.
    void SizeApplied(bool large);
    // The keyboard was dragged; topLeft is where it stands now.
    void PositionSaved(const QPoint& topLeft);
    // The "#" key hid the keyboard.
    void HiddenByKey();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    struct Key {
        QRect rect;
        char ch = 0;
    };

    void DragTo(const QPoint& point);
    void EndDrag();
    void PerformKey(char ch);

    KeyboardSink* sink_ = nullptr;
    bool dragging_ = false;
    bool large_ = false;
    bool initialised_ = false;
    bool keyDown_ = false;
    char pressedChar_ = 0;
    int pressedKey_ = -1;
    QPoint lastPoint_;
    QPoint anchor_;
    QSize bounds_;
    QPoint savedPosition_ = kDefaultPosition;
    std::array<Key, KeyboardLayout::kKeyCount> keys_{};
    QImage keyboardPicture_;
    QImage backBuffer_;
};
