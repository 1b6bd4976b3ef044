#include "ui/controls/soft_key_bar.h"

#include <QAbstractButton>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLayout>
#include <QPushButton>

namespace {

constexpr char kKeyIdProperty[] = "softKeyId";

void AddKey(QDialogButtonBox* bar, int keyId, const QString& text, QDialogButtonBox::ButtonRole role)
{
    QPushButton* button = bar->addButton(text, role);
    button->setProperty(kKeyIdProperty, keyId);
}

} // namespace

QDialogButtonBox* CreateSoftKeyBar(QDialog* dialog, const QString& acceptText, const QString& rejectText)
{
    auto* bar = new QDialogButtonBox(dialog);
    AddKey(bar, kSoftKeyAccept, acceptText, QDialogButtonBox::AcceptRole);
    if (!rejectText.isEmpty())
        AddKey(bar, kSoftKeyReject, rejectText, QDialogButtonBox::RejectRole);
    QObject::connect(bar, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(bar, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    if (dialog->layout() != nullptr)
        dialog->layout()->addWidget(bar);
    return bar;
}

void SetSoftKeyText(QDialogButtonBox* bar, int keyId, const QString& text)
{
    if (bar == nullptr)
        return;
    for (QAbstractButton* button : bar->buttons()) {
        if (button->property(kKeyIdProperty).toInt() == keyId)
            button->setText(text);
    }
}
