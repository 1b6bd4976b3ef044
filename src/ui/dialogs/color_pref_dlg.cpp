#include "ui/dialogs/color_pref_dlg.h"

#include "data/settings.h"
#include "ui/controls/color_swatch.h"
#include "ui/controls/dpi_scaling.h"
#include "ui/controls/soft_key_bar.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include <algorithm>

namespace {

constexpr int kMargin = 8;
constexpr int kRowGap = 4;

} // namespace

CColorPrefDlg::CColorPrefDlg(QWidget* parent)
    : QDialog(parent),
      group_(new QGroupBox(this)),
      reset_(new QPushButton(QStringLiteral("Reset To Default"), this)),
      softKeys_(CreateSoftKeyBar(this, QStringLiteral("OK"), QStringLiteral("Cancel")))
{
    setWindowTitle(QStringLiteral("Customize Colors"));
    for (int role = 0; role < kColorRoleCount; ++role) {
        auto* label = new QLabel(ColorRoleLabel(role), this);
        auto* swatch = new CColorSwatch(this);
        swatch->SetSwatchColor(g_settings->colorSchemes.GetColor(role), false);
        swatch->SetLabel(label);
        label->setBuddy(swatch);
        swatches_[static_cast<std::size_t>(role)] = swatch;
        labels_[static_cast<std::size_t>(role)] = label;
    }
    connect(reset_, &QPushButton::clicked, this, &CColorPrefDlg::ResetToDefault);
    // The keyboard goes through the colours first, then Reset and the soft keys.
    for (std::size_t role = 1; role < swatches_.size(); ++role)
        setTabOrder(swatches_[role - 1], swatches_[role]);
    setTabOrder(swatches_.back(), reset_);
    setTabOrder(reset_, softKeys_);
    swatches_.front()->setFocus();
    SetMinimumToContent();
    if (parent != nullptr)
        resize(parent->window()->size());
    LayOut();
}

void CColorPrefDlg::ResetToDefault()
{
    for (int role = 0; role < kColorRoleCount; ++role)
        Swatch(role)->SetSwatchColor(g_settings->colorSchemes.GetColor(role, CColorSchemes::kDefaultScheme), true);
}

void CColorPrefDlg::accept()
{
    for (int role = 0; role < kColorRoleCount; ++role)
        g_settings->colorSchemes.SetColor(role, Swatch(role)->SwatchColor());
    g_settings->SaveSettings();
    QDialog::accept();
}

void CColorPrefDlg::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    LayOut();
}

// Never so small that a label is cut or a control overlaps another.
void CColorPrefDlg::SetMinimumToContent()
{
    const int margin = ScaleByDpi(kMargin);
    int widestLabel = 0;
    for (const QLabel* label : labels_)
        widestLabel = std::max(widestLabel, label->sizeHint().width());
    const int width = 2 * margin + 3 * kSwatchInset + widestLabel + swatches_[0]->sizeHint().width();
    const int rows = RowPitch() * kColorRoleCount + 2 * margin;
    setMinimumSize(std::max(width, softKeys_->sizeHint().width() + 2 * margin),
                   rows + reset_->sizeHint().height() + softKeys_->sizeHint().height() + 4 * margin);
}

int CColorPrefDlg::RowPitch() const
{
    return swatches_[0]->sizeHint().height() + ScaleByDpi(kRowGap);
}

// The group box keeps equal margins left and right, so it follows the
// dialog's width, and the swatches stay kSwatchInset pixels inside its right
// edge with their labels at its left.
void CColorPrefDlg::LayOut()
{
    const int margin = ScaleByDpi(kMargin);
    const int keysHeight = softKeys_->sizeHint().height();
    softKeys_->setGeometry(margin, height() - margin - keysHeight, width() - 2 * margin, keysHeight);
    const int pitch = RowPitch();
    const QRect group(margin, margin, width() - 2 * margin, pitch * kColorRoleCount + 2 * margin);
    group_->setGeometry(group);
    const QSize swatch = swatches_[0]->sizeHint();
    const int swatchLeft = group.x() + group.width() - kSwatchInset - swatch.width();
    const int labelLeft = group.x() + kSwatchInset;
    for (int role = 0; role < kColorRoleCount; ++role) {
        const int top = group.y() + margin + role * pitch;
        Swatch(role)->setGeometry(swatchLeft, top, swatch.width(), swatch.height());
        RoleLabel(role)->setGeometry(labelLeft, top, swatchLeft - kSwatchInset - labelLeft, swatch.height());
    }
    const QSize resetSize = reset_->sizeHint();
    reset_->setGeometry(margin, group.y() + group.height() + margin, resetSize.width(), resetSize.height());
}
