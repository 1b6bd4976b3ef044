#include "ui/download/url_list_selector.h"

#include "core/user_prompt.h"
#include "data/link_dialog_layout.h"
#include "data/settings.h"
#include "ui/controls/soft_key_bar.h"
#include "ui/download/dlg_url_corection.h"
#include "ui/download/download_all_progress.h"
#include "ui/download/download_results_dlg.h"
#include "ui/download/full_screen_dialog.h"
#include "ui/download/progress_puzzle_download.h"
#include "ui/download/puzzle_transfer.h"

#include <QDialogButtonBox>
#include <QFileInfo>
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
// The least room between two buttons of the row, and rows the list keeps visible.
constexpr int kLeastGap = 4;
constexpr int kLeastListRows = 3;

bool OpenPuzzleAnswered(const QString& path, bool alreadyThere)
{
    const QString question = alreadyThere
        ? QStringLiteral("The puzzle is already in the puzzle folder as \"%1\". Open?").arg(QFileInfo(path).fileName())
        : QStringLiteral("The puzzle has been successfully downloaded. Open?");
    return UserPrompt::Show(question, QStringLiteral("Download Successful"), UserPrompt::Icon::Question,
                            UserPrompt::Buttons::YesNo)
        == UserPrompt::Answer::Yes;
}

} // namespace

CURLListSelector::CURLListSelector(QWidget* parent)
    : QDialog(parent),
      list_(new QListWidget(this)),
      downloadButton_(MakeButton(QStringLiteral("Download"), &CURLListSelector::OnDownload)),
      newButton_(MakeButton(QStringLiteral("New"), &CURLListSelector::OnNew)),
      editButton_(MakeButton(QStringLiteral("Edit"), &CURLListSelector::OnEdit)),
      deleteButton_(MakeButton(QStringLiteral("Delete"), &CURLListSelector::OnDelete)),
      softKeys_(CreateSoftKeyBar(this, QStringLiteral("Done"))),
      downloadAllButton_(softKeys_->addButton(QStringLiteral("Download All"), QDialogButtonBox::ActionRole))
{
    setWindowTitle(QStringLiteral("Download Puzzle"));
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setAccessibleName(QStringLiteral("Links"));
    connect(list_, &QListWidget::itemDoubleClicked, this, &CURLListSelector::OnDownload);
    // Enter and a double click download the selected link; "Done" and Escape
    // close the dialog without a puzzle to open.
    downloadButton_->setDefault(true);
    disconnect(softKeys_, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(softKeys_, &QDialogButtonBox::accepted, this, &QDialog::reject);
    connect(downloadAllButton_, &QPushButton::clicked, this, &CURLListSelector::OnDownloadAll);
    FillList(SelectFirst);
    const QFontMetrics metrics = fontMetrics();
    const std::pair<QPushButton*, int> buttons[] = {
        {downloadButton_, kDownloadWidth}, {newButton_, kNewWidth}, {editButton_, kEditWidth}, {deleteButton_, kDeleteWidth}};
    for (const auto& [button, units] : buttons) {
        const QRect size = DialogUnitsToPixels(QRect(0, 0, units, kButtonHeight), metrics.averageCharWidth(), metrics.height());
        button->resize(qMax(size.width(), button->sizeHint().width()), qMax(size.height(), button->sizeHint().height()));
        totalButtonWidth_ += button->width();
    }
    SetMinimumSizeForButtons();
    list_->setFocus();
    SizeLikeMainWindow(this, parent);
}

// Below this size the buttons would run into each other or out of the dialog.
void CURLListSelector::SetMinimumSizeForButtons()
{
    const int rowWidth = qMax(totalButtonWidth_ + 3 * kLeastGap, softKeys_->minimumSizeHint().width());
    const int listHeight = kLeastListRows * list_->fontMetrics().height() + 2 * list_->frameWidth();
    // The list and the buttons with the 3 pixels above and below each.
    setMinimumSize(QSize(rowWidth, 3 + listHeight + 3 + downloadButton_->height() + 3) + SoftKeyFrame(this, softKeys_));
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
    downloadAllButton_->setEnabled(count > 0);
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
    if (OpenPuzzleAnswered(downloadedPath_, progress.Transfer()->AlreadyThere()))
        accept();
}

// Every link in turn, then the list of results, from which a puzzle may be opened.
void CURLListSelector::OnDownloadAll()
{
    QList<URLEntry> links;
    for (int i = 0; i < g_settings->links.GetLinkCount(); ++i)
        links.append(g_settings->links.GetLink(i));
    if (links.isEmpty())
        return;
    CDownloadAllProgress progress(links, OpenPuzzlePath(), this);
    progress.exec();
    CDownloadResultsDlg results(progress.Outcomes(), this);
    if (results.exec() == QDialog::Accepted) {
        downloadedPath_ = results.ChosenPath();
        accept();
        return;
    }
    list_->setFocus();
}

void CURLListSelector::OnNew()
{
    CDlgURLCorection editor(-1, this);
    if (editor.exec() == QDialog::Accepted)
        FillList(SelectLast);
    // Back on the list, so Return downloads again rather than pressing New.
    list_->setFocus();
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
    list_->setFocus();
}

void CURLListSelector::OnDelete()
{
    const int row = SelectedRow();
    if (row < 0)
        return;
    const bool yes = UserPrompt::Show(QStringLiteral("Delete link?"), QStringLiteral("Delete link"),
                                      UserPrompt::Icon::Question, UserPrompt::Buttons::YesNo)
        == UserPrompt::Answer::Yes;
    if (yes) {
        g_settings->links.RemoveLink(list_->item(row)->data(Qt::UserRole).toInt());
        FillList(KeepSelection);
        g_settings->SaveSettings();
    }
    list_->setFocus();
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
