#pragma once

#include <QLabel>

// A label painted in colours of its own: white text on black until told otherwise.
class CColorStatic : public QLabel {
    Q_OBJECT

public:
    explicit CColorStatic(QWidget* parent = nullptr);

    // Colours are 0x00BBGGRR values.
    void SetTextColor(quint32 color);
    void SetBackColor(quint32 color);
    // Bold sets a bold weight (otherwise the weight stays); underline is set or cleared.
    void SetFontStyle(bool bold, bool underline);

    quint32 TextColor() const { return textColor_; }
    quint32 BackColor() const { return backColor_; }

private:
    void ApplyColors();

    quint32 textColor_;
    quint32 backColor_;
};
