#include "ui/dialogs/clue_position_dlg.h"

#include "data/settings.h"
#include "ui/controls/placement_picker.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

CCluePositionDlg::CCluePositionDlg(int placement, QWidget* parent)
    : QDialog(parent),
      picker_(new CPlacementPicker(placement, g_settings->lowRes, this)),
      scrollbars_(new QCheckBox(QStringLiteral("Show scrollbars"), this))
{
    setWindowTitle(QStringLiteral("Customize Layout"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Clue view placement:"), this));
    layout->addWidget(picker_);
    scrollbars_->setChecked(g_settings->showScrollbars);
    layout->addWidget(scrollbars_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

int CCluePositionDlg::Placement() const
{
    return picker_->Selected();
}

bool CCluePositionDlg::ShowScrollbars() const
{
    return scrollbars_->isChecked();
}
