#pragma once

#include <QImage>
#include <QRect>
#include <QWidget>

// Two pictures side by side, the clue band below the grid on the left and
// above it on the right; a tap on the other picture selects it and frames it.
// From the keyboard, Left and Right pick a picture and Space switches.
class CPlacementPicker : public QWidget {
    Q_OBJECT

public:
    // selected: 1 = clue view above the grid (right picture), 0 = below (left).
    explicit CPlacementPicker(int selected, bool lowRes, QWidget* parent = nullptr);

    int Selected() const { return selected_; }
    QRect LeftRect() const { return leftRect_; }
    QRect RightRect() const { return rightRect_; }
    // Splits the client area into the two halves inside its 1-pixel border.
    void ComputeHalves();

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void OnTap(const QPoint& point);
    void Select(int selected);
    void NameChoice();

    int selected_;
    QRect leftRect_;
    QRect rightRect_;
    QImage pictureTop_;
    QImage pictureBottom_;
    QImage backBuffer_;
};

// The picture of a grid with a band labelled "Clue" above or below it, side × side pixels.
QImage PlacementPicture(bool clueAtTop, int side);
