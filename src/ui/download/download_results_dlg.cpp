#include "ui/download/download_results_dlg.h"

#include "ui/download/full_screen_dialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int kPathRole = Qt::UserRole;

} // namespace

CDownloadResultsDlg::CDownloadResultsDlg(const QList<DownloadOutcome>& outcomes, QWidget* parent)
    : QDialog(parent), list_(new QTreeWidget(this)), openButton_(nullptr)
{
    setWindowTitle(QStringLiteral("Download Results"));
    auto* layout = new QVBoxLayout(this);
    list_->setColumnCount(2);
    list_->setHeaderLabels({QStringLiteral("Link"), QStringLiteral("Result")});
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setAllColumnsShowFocus(true);
    list_->header()->setStretchLastSection(true);
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
    connect(list_, &QTreeWidget::itemActivated, this, &CDownloadResultsDlg::OpenRow);
    connect(list_, &QTreeWidget::currentItemChanged, this, &CDownloadResultsDlg::UpdateOpenButton);

    for (const DownloadOutcome& outcome : outcomes)
        AddRow(outcome);
    list_->resizeColumnToContents(0);
    // The first puzzle that arrived is where Return opens one.
    for (int i = 0; i < list_->topLevelItemCount(); ++i) {
        if (!list_->topLevelItem(i)->data(0, kPathRole).toString().isEmpty()) {
            list_->setCurrentItem(list_->topLevelItem(i));
            break;
        }
    }
    if (list_->currentItem() == nullptr && list_->topLevelItemCount() > 0)
        list_->setCurrentItem(list_->topLevelItem(0));
    UpdateOpenButton();
    list_->setFocus();
    SizeLikeMainWindow(this, parent);
}

void CDownloadResultsDlg::AddRow(const DownloadOutcome& outcome)
{
    auto* item = new QTreeWidgetItem(list_, {outcome.linkName, OutcomeText(outcome)});
    const QStyle::StandardPixmap icon =
        outcome.HasPuzzle() ? QStyle::SP_DialogApplyButton : QStyle::SP_MessageBoxWarning;
    item->setIcon(1, style()->standardIcon(icon));
    item->setToolTip(1, outcome.HasPuzzle() ? outcome.path : outcome.message);
    if (outcome.HasPuzzle())
        item->setData(0, kPathRole, outcome.path);
}

void CDownloadResultsDlg::OpenRow(QTreeWidgetItem* item)
{
    const QString path = item != nullptr ? item->data(0, kPathRole).toString() : QString();
    if (path.isEmpty())
        return;
    chosenPath_ = path;
    accept();
}

void CDownloadResultsDlg::UpdateOpenButton()
{
    const QTreeWidgetItem* item = list_->currentItem();
    openButton_->setEnabled(item != nullptr && !item->data(0, kPathRole).toString().isEmpty());
}
