#pragma once

#include <QPlainTextEdit>

// A multi-line edit control painted in colours of its own choosing once a
// background colour is set; until then it shows the system's colours.
class CColorEdit : public QPlainTextEdit {
    Q_OBJECT

public:
    explicit CColorEdit(QWidget* parent = nullptr);

    // Colours are 0x00BBGGRR values. The text colour (black at first) shows
    // together with the background colour.
    void SetTextColor(quint32 color);
    void SetBackgroundColor(quint32 color);

    quint32 TextColor() const { return textColor_; }
    bool HasBackgroundColor() const { return hasBackColor_; }
    quint32 BackgroundColor() const { return backColor_; }

private:
    void ApplyColors();

    quint32 textColor_ = 0;
    quint32 backColor_ = 0;
    bool hasBackColor_ = false;
};
