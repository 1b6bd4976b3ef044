#include "ui/download/url_list_selector.h"

#include "core/user_prompt.h"
#include "data/link_dialog_layout.h"
#include "data/settings.h"
#include "ui/controls/soft_key_bar.h"
#include "ui/download/dlg_url_corection.h"
#include "ui/download/full_screen_dialog.h"
#include "ui/download/progress_puzzle_download.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>

#include <utility>

namespace {

// The buttons' template widths and height, in dialog units.
constexpr int kDownloadWidth = 45;
constexpr int kNewWidth = 30;
constexpr int kEditWidth = 28;
constexpr int kDeleteWidth = 36;
constexpr int kButtonHeight = 14;

} // namespace

CURLListSelector::CURLListSelector(QWidget* parent)
    : QDialog(parent),
      list_(new QListWidget(this)),
      downloadButton_(MakeButton(QStringLiteral("Download"), &CURLListSelector::OnDownload)),
      newButton_(MakeButton(QStringLiteral("New"), &CURLListSelector::OnNew)),
      editButton_(MakeButton(QStringLiteral("Edit"), &CURLListSelector::OnEdit)),
      deleteButton_(MakeButton(QStringLiteral("Delete"), &CURLListSelector::OnDelete)),
      softKeys_(CreateSoftKeyBar(this, QStringLiteral("Done")))
{
    setWindowTitle(QStringLiteral("Download Puzzle"));
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(list_, &QListWidget::itemDoubleClicked, this, &CURLListSelector::OnDownload);
    // Enter and a double click download the selected link; "Done" and Escape
    // close the dialog without a puzzle to open.
    downloadButton_->setDefault(true);
    disconnect(softKeys_, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(softKeys_, &QDialogButtonBox::accepted, this, &QDialog::reject);
    FillList(SelectFirst);
    const QFontMetrics metrics = fontMetrics();
    const std::pair<QPushButton*, int> buttons[] = {
        {downloadButton_, kDownloadWidth}, {newButton_, kNewWidth}, {editButton_, kEditWidth}, {deleteButton_, kDeleteWidth}};
    for (const auto& [button, units] : buttons) {
        const QRect size = DialogUnitsToPixels(QRect(0, 0, units, kButtonHeight), metrics.averageCharWidth(), metrics.height());
        button->resize(qMax(size.width(), button->sizeHint().width()), qMax(size.height(), button->sizeHint().height()));
        totalButtonWidth_ += button->width();
    }
    list_->setFocus();
    SizeLikeMainWindow(this, parent);
}

QPushButton* CURLListSelector::MakeButton(const QString& text, void (CURLListSelector::*handler)())
{
    auto* button = new QPushButton(text, this);
    connect(button, &QPushButton::clicked, this, handler);
    return button;
}

void CURLListSelector::FillList(int mode)
{
    int previous = 1;
    if (list_->count() > 0) {
        previous = qMax(0, SelectedRow());
        list_->clear();
    }
    const CLinkList& links = g_settings->links;
    for (int i = 0; i < links.GetLinkCount(); ++i) {
        auto* item = new QListWidgetItem(links.GetLink(i).name, list_);
        item->setData(Qt::UserRole, i);
    }
    const int count = list_->count();
    if (count == 0)
        return;
    int row = 0;
    if (mode == SelectLast)
        row = count - 1;
    else if (mode == KeepSelection)
        row = previous < count ? previous : count - 1;
    list_->setCurrentRow(row);
}

int CURLListSelector::SelectedRow() const
{
    const QList<QListWidgetItem*> selected = list_->selectedItems();
    return selected.isEmpty() ? -1 : list_->row(selected.first());
}

void CURLListSelector::OnDownload()
{
    const int row = SelectedRow();
    if (row < 0)
        return;
    CProgressPuzzleDownload progress(list_->item(row)->data(Qt::UserRole).toInt(), this);
    if (progress.exec() != QDialog::Accepted)
        return;
    downloadedPath_ = progress.ResultText();
    if (UserPrompt::Show(QStringLiteral("The puzzle has been successfully downloaded. Open?"),
                         QStringLiteral("Download Successful"), UserPrompt::Icon::Question,
                         UserPrompt::Buttons::YesNo)
        == UserPrompt::Answer::Yes)
        accept();
}

void CURLListSelector::OnNew()
{
    CDlgURLCorection editor(-1, this);
    if (editor.exec() == QDialog::Accepted)
        FillList(SelectLast);
}

void CURLListSelector::OnEdit()
{
    const int row = SelectedRow();
    if (row < 0) {
        OnNew();
        return;
    }
    CDlgURLCorection editor(list_->item(row)->data(Qt::UserRole).toInt(), this);
    if (editor.exec() == QDialog::Accepted)
        FillList(KeepSelection);
}

void CURLListSelector::OnDelete()
{
    const int row = SelectedRow();
    if (row < 0)
        return;
    if (UserPrompt::Show(QStringLiteral("Delete link?"), QStringLiteral("Delete link"), UserPrompt::Icon::Question,
                         UserPrompt::Buttons::YesNo)
        != UserPrompt::Answer::Yes)
        return;
    g_settings->links.RemoveLink(list_->item(row)->data(Qt::UserRole).toInt());
    FillList(KeepSelection);
    g_settings->SaveSettings();
}

void CURLListSelector::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    LayOut();
}

void CURLListSelector::LayOut()
{
    const QRect client = PlaceSoftKeys(this, softKeys_);
    const QRect download(client.x(), downloadButton_->y(), downloadButton_->width(), downloadButton_->height());
    const UrlListLayout layout = LayoutUrlList(client, download, newButton_->width(), editButton_->width(),
                                               deleteButton_->width(), totalButtonWidth_);
    list_->setGeometry(layout.list);
    downloadButton_->setGeometry(layout.download);
    newButton_->setGeometry(layout.newButton);
    editButton_->setGeometry(layout.edit);
    deleteButton_->setGeometry(layout.remove);
}
