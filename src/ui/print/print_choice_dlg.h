#pragma once

#include "data/print_choice.h"

#include <QDialog>

class QButtonGroup;
class QCheckBox;

// Asks what the printed grid shows (blank, the solver's entries, the
// solution) and whether to save ink. For printing it offers Print and
// Preview, for a PDF Export.
class CPrintChoiceDlg : public QDialog {
    Q_OBJECT

public:
    enum class Purpose { Print, ExportPdf };

    CPrintChoiceDlg(Purpose purpose, const PrintChoice& initial, QWidget* parent);

    PrintChoice Choice() const;
    // Whether the dialog ended with Preview rather than Print.
    bool PreviewChosen() const { return preview_; }

private:
    QButtonGroup* letters_;
    QCheckBox* saveInk_;
    bool preview_ = false;
};
