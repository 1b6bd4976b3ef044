#include "ui/download/download_results_dlg.h"

#include "ui/download/full_screen_dialog.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QStyle>
#include <QListWidget>
#include <QVBoxLayout>

namespace {

constexpr int kPathRole = Qt::UserRole;

} // namespace

CDownloadResultsDlg::CDownloadResultsDlg(const QList<DownloadOutcome>& outcomes, QWidget* parent)
    : QDialog(parent), list_(new QListWidget(this)), openButton_(nullptr)
{
    setWindowTitle(QStringLiteral("Download Results"));
    auto* layout = new QVBoxLayout(this);
    // Two lines a row, the link's name over its result, so both stay readable on a narrow screen.
    list_->setTextElideMode(Qt::ElideMiddle);
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list_->setSpacing(2);
    layout->addWidget(list_);
    // No button is the default: Return on a row opens that row's puzzle, and nothing else.
    auto* bar = new QDialogButtonBox(this);
    openButton_ = bar->addButton(QStringLiteral("Open"), QDialogButtonBox::ActionRole);
    QPushButton* done = bar->addButton(QStringLiteral("Done"), QDialogButtonBox::RejectRole);
    openButton_->setAutoDefault(false);
    done->setAutoDefault(false);
    layout->addWidget(bar);
    connect(bar, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(openButton_, &QPushButton::clicked, this, [this] { OpenRow(list_->currentItem()); });
    connect(list_, &QListWidget::itemActivated, this, &CDownloadResultsDlg::OpenRow);
    connect(list_, &QListWidget::currentItemChanged, this, &CDownloadResultsDlg::UpdateOpenButton);

    for (const DownloadOutcome& outcome : outcomes)
        AddRow(outcome);
    // The first puzzle that arrived is where Return opens one.
    for (int i = 0; i < list_->count(); ++i) {
        if (!list_->item(i)->data(kPathRole).toString().isEmpty()) {
            list_->setCurrentRow(i);
            break;
        }
    }
    if (list_->currentItem() == nullptr && list_->count() > 0)
        list_->setCurrentRow(0);
    UpdateOpenButton();
    list_->setFocus();
    SizeLikeMainWindow(this, parent);
}

void CDownloadResultsDlg::AddRow(const DownloadOutcome& outcome)
{
    auto* item = new QListWidgetItem(outcome.linkName + u'\n' + OutcomeText(outcome), list_);
    const QStyle::StandardPixmap icon =
        outcome.HasPuzzle() ? QStyle::SP_DialogApplyButton : QStyle::SP_MessageBoxWarning;
    item->setIcon(style()->standardIcon(icon));
    item->setToolTip(outcome.HasPuzzle() ? outcome.path : outcome.message);
    if (outcome.HasPuzzle())
        item->setData(kPathRole, outcome.path);
}

void CDownloadResultsDlg::OpenRow(QListWidgetItem* item)
{
    const QString path = item != nullptr ? item->data(kPathRole).toString() : QString();
    if (path.isEmpty())
        return;
    chosenPath_ = path;
    accept();
}

void CDownloadResultsDlg::UpdateOpenButton()
{
    const QListWidgetItem* item = list_->currentItem();
    openButton_->setEnabled(item != nullptr && !item->data(kPathRole).toString().isEmpty());
}
