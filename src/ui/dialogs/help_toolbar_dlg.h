#pragma once

#include <QDialog>

class CColorStatic;

// "Help": one row per toolbar button, its image and what it does, under the
// heading "Toolbar Commands", with an "OK" soft key.
class CHelpToolBarDlg : public QDialog {
    Q_OBJECT

public:
    // iconSize is the toolbar's image size (16 or 32).
    explicit CHelpToolBarDlg(int iconSize, QWidget* parent = nullptr);

    CColorStatic* Heading() const { return heading_; }

private:
    CColorStatic* heading_;
};
