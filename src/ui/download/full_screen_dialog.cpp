#include "ui/download/full_screen_dialog.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QStyle>

namespace {

constexpr QSize kDefaultSize(480, 600);

} // namespace

void SizeLikeMainWindow(QDialog* dialog, QWidget* parent)
{
    dialog->resize(parent != nullptr ? parent->window()->size() : kDefaultSize);
}

namespace {

QMargins StyleMargins(const QDialog* dialog)
{
    const QStyle* style = dialog->style();
    return QMargins(style->pixelMetric(QStyle::PM_LayoutLeftMargin, nullptr, dialog),
                    style->pixelMetric(QStyle::PM_LayoutTopMargin, nullptr, dialog),
                    style->pixelMetric(QStyle::PM_LayoutRightMargin, nullptr, dialog),
                    style->pixelMetric(QStyle::PM_LayoutBottomMargin, nullptr, dialog));
}

int Spacing(const QDialog* dialog)
{
    const int spacing = dialog->style()->pixelMetric(QStyle::PM_LayoutVerticalSpacing, nullptr, dialog);
    return spacing >= 0 ? spacing : 6;
}

} // namespace

QRect PlaceSoftKeys(QDialog* dialog, QDialogButtonBox* bar)
{
    const QRect inside = dialog->rect().marginsRemoved(StyleMargins(dialog));
    const int barHeight = bar->sizeHint().height();
    bar->setGeometry(inside.x(), inside.bottom() + 1 - barHeight, inside.width(), barHeight);
    return QRect(inside.x(), inside.y(), inside.width(), qMax(0, inside.height() - barHeight - Spacing(dialog)));
}

QSize SoftKeyFrame(const QDialog* dialog, const QDialogButtonBox* bar)
{
    const QMargins margins = StyleMargins(dialog);
    return QSize(margins.left() + margins.right(),
                 margins.top() + margins.bottom() + bar->sizeHint().height() + Spacing(dialog));
}
