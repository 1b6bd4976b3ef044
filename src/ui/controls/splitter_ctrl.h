#pragma once

#include <QImage>
#include <QRect>
#include <QWidget>

// The thin bar between the clue view and the grid view. It moves itself while
// dragged, stays inside its parent's client area with a minimum distance on
// each side, and after every step that moved it sends UM_SPLITTER_MOVED to the
// parent (wParam: this object) so the parent can lay its panes out again.
class CSplitterCtrl : public QWidget {
    Q_OBJECT

public:
    static constexpr int kDefaultMinimum = 20;

    explicit CSplitterCtrl(bool flat);

    // Makes the bar a visible child of parent at rect. A vertical bar moves
    // left and right, a horizontal one up and down.
    bool Create(QWidget* parent, const QRect& rect, bool vertical);
    void SetMinimums(int before, int after);

    int MinBefore() const { return minBefore_; }
    int MinAfter() const { return minAfter_; }
    bool IsVertical() const { return vertical_; }
    bool IsFlat() const { return flat_; }
    bool IsDragging() const { return dragging_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    int CoordinateAlongDrag(const QMouseEvent* event) const;
    void EndDrag();
    void DrawBar(QImage& image) const;

    int minBefore_ = kDefaultMinimum;
    int minAfter_ = kDefaultMinimum;
    bool dragging_ = false;
    bool vertical_ = false;
    bool flat_;
    int anchor_ = 0;
    QImage backBuffer_;
};
