#pragma once

#include "data/color_schemes.h"

#include <QDialog>

#include <array>

class CColorSwatch;
class QDialogButtonBox;
class QGroupBox;
class QLabel;
class QPushButton;

// "Customize Colors": one swatch per colour role with its label, framed by a
// group box, and "Reset To Default". OK stores the swatches' colours in the
// active scheme and saves the settings; Cancel stores nothing.
class CColorPrefDlg : public QDialog {
    Q_OBJECT

public:
    // The swatches end this many pixels inside the group box's right edge.
    static constexpr int kSwatchInset = 10;

    explicit CColorPrefDlg(QWidget* parent = nullptr);

    CColorSwatch* Swatch(int role) const { return swatches_.at(static_cast<std::size_t>(role)); }
    QLabel* RoleLabel(int role) const { return labels_.at(static_cast<std::size_t>(role)); }
    QGroupBox* Group() const { return group_; }
    QPushButton* ResetButton() const { return reset_; }

    // Shows the factory colours in the swatches; nothing is stored until OK.
    void ResetToDefault();
    void accept() override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void LayOut();
    void SetMinimumToContent();
    int RowPitch() const;

    std::array<CColorSwatch*, kColorRoleCount> swatches_{};
    std::array<QLabel*, kColorRoleCount> labels_{};
    QGroupBox* group_;
    QPushButton* reset_;
    QDialogButtonBox* softKeys_;
};
