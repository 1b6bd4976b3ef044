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

QRect PlaceSoftKeys(QDialog* dialog, QDialogButtonBox* bar)
{
    const QStyle* style = dialog->style();
    const int left = style->pixelMetric(QStyle::PM_LayoutLeftMargin, nullptr, dialog);
    const int top = style->pixelMetric(QStyle::PM_LayoutTopMargin, nullptr, dialog);
    const int right = style->pixelMetric(QStyle::PM_LayoutRightMargin, nullptr, dialog);
    const int bottom = style->pixelMetric(QStyle::PM_LayoutBottomMargin, nullptr, dialog);
    const int styleSpacing = style->pixelMetric(QStyle::PM_LayoutVerticalSpacing, nullptr, dialog);
    const int spacing = styleSpacing >= 0 ? styleSpacing : 6;
    const QRect inside = dialog->rect().adjusted(left, top, -right, -bottom);
    const int barHeight = bar->sizeHint().height();
    bar->setGeometry(inside.x(), inside.bottom() + 1 - barHeight, inside.width(), barHeight);
    return QRect(inside.x(), inside.y(), inside.width(), qMax(0, inside.height() - barHeight - spacing));
}
