#pragma once

#include <QDialog>

class CPlacementPicker;
class QCheckBox;

// "Customize Layout": where the clue view sits (two pictures to tap) and
// whether the grid view shows scroll bars. The caller reads the choice after OK.
class CCluePositionDlg : public QDialog {
    Q_OBJECT

public:
    // placement: 1 = clue view above the grid, 0 = below. The scroll-bar box
    // starts from the settings.
    CCluePositionDlg(int placement, QWidget* parent = nullptr);

    int Placement() const;
    bool ShowScrollbars() const;
    CPlacementPicker* Picker() const { return picker_; }
    QCheckBox* ScrollbarsBox() const { return scrollbars_; }

private:
    CPlacementPicker* picker_;
    QCheckBox* scrollbars_;
};
