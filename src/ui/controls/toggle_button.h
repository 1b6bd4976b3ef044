#pragma once

#include <QPushButton>

// A tab drawn by the program: a black frame around a field in the caption
// colour with its text in bold when it is the chosen tab, in the window colour
// with normal text when it is not. Pressing it does not change its look.
class CToggleButton : public QPushButton {
    Q_OBJECT

public:
    static constexpr int kSelectedTextHeight = 16;
    static constexpr int kTextHeight = 13;

    explicit CToggleButton(const QString& text, QWidget* parent = nullptr);

    // Changes the look and the font when the state changes; with redraw the
    // tab repaints at once.
    void SetSelectedLook(bool selected, bool redraw);
    bool IsSelectedLook() const { return selected_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool selected_ = false;
};
