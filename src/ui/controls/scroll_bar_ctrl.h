#pragma once

#include "data/scroll_bar_layout.h"

#include <QImage>
#include <QPointer>
#include <QTimer>
#include <QWidget>

class CDrawSurface;

// The program's own drawn scroll bar: two arrows, a track and a thumb with a
// grip. Holding an arrow or the track steps at once, again after 350 ms and
// then every 80 ms; the thumb can be dragged. After every change the user
// makes, UM_SCROLL_CHANGED is sent to the owner (or the parent) with the
// control id as wParam, and UM_SCROLL_DONE follows it when the press ends.
class CScrollBarCtrl : public QWidget {
    Q_OBJECT

public:
    static constexpr int kInitialRepeatDelayMs = 350;
    static constexpr int kRepeatIntervalMs = 80;

    explicit CScrollBarCtrl(bool horizontal, QWidget* parent = nullptr);

    // Places the bar in parent at rect with the id its notifications carry.
    void Create(const QRect& rect, QWidget* parent, int controlId, bool visible);
    // The window that receives the notifications and the focus instead of the parent.
    void SetOwner(QWidget* owner);

    // Stores the values; a page wider than max - min hides the thumb and is
    // cut to max - min. pos is kept as given. With redraw the bar repaints at once.
    void SetScrollValues(int page, int line, int min, int max, int pos, bool redraw);
    // Stores pos as given (no notification) and repaints at once.
    void SetPosition(int pos);

    int Pos() const { return values_.pos; }
    int Min() const { return values_.min; }
    int Max() const { return values_.max; }
    int Page() const { return values_.page; }
    int Line() const { return values_.line; }
    bool HasThumb() const { return !values_.noThumb; }
    bool IsHorizontal() const { return horizontal_; }
    int ControlId() const { return controlId_; }
    bool IsPressed() const { return pressed_; }
    int PressedPart() const { return pressedPart_; }

    ScrollBarParts LayoutParts() const;
    int PartAt(QPoint point) const;
    // Moves pos back into the range.
    void ClampPos();

protected:
    // The repeat timer; a test replaces it to fire the ticks itself.
    virtual void StartRepeatTimer(int intervalMs);
    virtual void StopRepeatTimer();
    // One tick of the repeat timer: restarts it at the steady interval and steps.
    void OnRepeatTimer();

    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void StoreRange(int pos);
    void StartTimer(int intervalMs);
    void StopTimer();
    void Step();
    void EndPress(int part);
    void Redraw();
    void Notify(bool done);
    QWidget* NotifyTarget() const;
    int AxisCoordinate(QPoint point) const;
    bool IsActive() const;

    void PaintTracks(CDrawSurface& surface, const ScrollBarParts& parts) const;
    void PaintArrow(CDrawSurface& surface, const QRect& rect, int part) const;
    void PaintThumb(CDrawSurface& surface, const ScrollBarParts& parts) const;

    bool horizontal_;
    int controlId_ = 0;
    ScrollBarValues values_;
    bool pressed_ = false;
    int pressedPart_ = kPartNone;
    bool timerRunning_ = false;
    int dragAnchor_ = 0;
    int dragStartPos_ = 0;
    QPointer<QWidget> owner_;
    QTimer repeatTimer_;
    QImage backBuffer_;
};
