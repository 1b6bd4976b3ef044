#pragma once

#include "data/color_schemes.h"

#include <QDialog>

#include <array>

class CColorStatic;
class CColorSwatch;
class QSlider;

// "Color Selector": three sliders for red, green and blue with a preview of
// the colour they make. The caller reads Color after OK.
class AColorDlg : public QDialog {
    Q_OBJECT

public:
    enum Channel { Red = 0, Green = 1, Blue = 2 };

    explicit AColorDlg(QWidget* parent = nullptr);

    // Sets the colour, the preview and the sliders; with redraw the preview
    // repaints at once.
    void SetSelectorColor(ColorRef color, bool redraw);
    ColorRef Color() const { return color_; }
    // The title to show instead of "Color Selector"; empty keeps it.
    void SetCaption(const QString& caption);

    QSlider* Slider(int channel) const { return sliders_.at(static_cast<std::size_t>(channel)); }
    CColorStatic* Label(int channel) const { return labels_.at(static_cast<std::size_t>(channel)); }
    CColorSwatch* Preview() const { return preview_; }

private:
    void OnSliderMoved();

    ColorRef color_ = 0;
    std::array<QSlider*, 3> sliders_{};
    std::array<CColorStatic*, 3> labels_{};
    CColorSwatch* preview_;
};
