#pragma once

#include "data/color_schemes.h"

#include <QAbstractButton>
#include <QPointer>

class QLabel;

// A button that shows one colour in a black frame. Pressing it (or Space or
// Enter while it has the focus) opens the Color Selector titled with the text
// of its label, and the colour chosen there becomes the swatch's.
class CColorSwatch : public QAbstractButton {
    Q_OBJECT

public:
    explicit CColorSwatch(QWidget* parent = nullptr);

    // With redraw the swatch repaints at once when the colour changed. A
    // screen reader reads the colour's parts as the description.
    void SetSwatchColor(ColorRef color, bool redraw);
    ColorRef SwatchColor() const { return color_; }

    // The label whose text names the colour (to a screen reader too); none
    // gives an untitled selector.
    void SetLabel(QLabel* label);
    // A swatch that only shows its colour (the selector's preview) opens nothing.
    void SetOpensSelector(bool opens);
    // Runs the Color Selector for this swatch.
    void ChooseColor();

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    ColorRef color_ = 0;
    QPointer<QLabel> label_;
    bool opensSelector_ = true;
};
