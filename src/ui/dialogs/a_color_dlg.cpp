#include "ui/dialogs/a_color_dlg.h"

#include "data/color_contrast.h"
#include "ui/controls/color_ref.h"
#include "ui/controls/color_static.h"
#include "ui/controls/color_swatch.h"
#include "ui/controls/control_palette.h"
#include "ui/controls/dpi_scaling.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

namespace {

struct ChannelLook {
    const char* text;
    quint32 textColor;
    int shift;
};

constexpr std::array<ChannelLook, 3> kChannels{{
    {"Red", 0x000000FF, 0},
    {"Green", 0x00007F00, 8},
    {"Blue", 0x00FF0000, 16},
}};

constexpr int kSliderWidth = 160;
constexpr int kPreviewSide = 56;

} // namespace

AColorDlg::AColorDlg(QWidget* parent) : QDialog(parent), preview_(new CColorSwatch(this))
{
    setWindowTitle(QStringLiteral("Color Selector"));
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout();
    for (std::size_t channel = 0; channel < kChannels.size(); ++channel) {
        auto* label = new CColorStatic(this);
        label->setText(QString::fromLatin1(kChannels[channel].text));
        label->SetBackColor(ReadableBackground(GetSystemColor(SystemColor::Window), kChannels[channel].textColor));
        label->SetTextColor(kChannels[channel].textColor);
        label->setMargin(2);
        auto* slider = new QSlider(Qt::Horizontal, this);
        slider->setRange(0, 255);
        slider->setMinimumWidth(ScaleByDpi(kSliderWidth));
        connect(slider, &QSlider::valueChanged, this, &AColorDlg::OnSliderMoved);
        // The label names the slider for a screen reader.
        label->setBuddy(slider);
        grid->addWidget(label, int(channel), 0);
        grid->addWidget(slider, int(channel), 1);
        labels_[channel] = label;
        sliders_[channel] = slider;
    }
    preview_->SetOpensSelector(false);
    preview_->setAccessibleName(QStringLiteral("New color"));
    preview_->setFixedSize(ScaleByDpi(kPreviewSide), ScaleByDpi(kPreviewSide));
    grid->addWidget(preview_, 0, 2, 3, 1, Qt::AlignCenter);
    grid->setColumnStretch(1, 1);
    layout->addLayout(grid);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void AColorDlg::SetSelectorColor(ColorRef color, bool redraw)
{
    if (color == color_)
        return;
    color_ = color;
    preview_->SetSwatchColor(color, redraw);
    for (std::size_t channel = 0; channel < kChannels.size(); ++channel) {
        const QSignalBlocker quiet(sliders_[channel]);
        sliders_[channel]->setValue(static_cast<int>((color >> kChannels[channel].shift) & 0xFF));
    }
}

void AColorDlg::SetCaption(const QString& caption)
{
    if (!caption.isEmpty())
        setWindowTitle(caption);
}

void AColorDlg::OnSliderMoved()
{
    ColorRef color = 0;
    for (std::size_t channel = 0; channel < kChannels.size(); ++channel)
        color |= static_cast<ColorRef>(sliders_[channel]->value() & 0xFF) << kChannels[channel].shift;
    SetSelectorColor(color, true);
}
