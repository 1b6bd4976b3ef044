#include "ui/download/progress_puzzle_download.h"

#include "core/message_event.h"
#include "core/user_prompt.h"
#include "data/download_messages.h"
#include "data/link_dialog_layout.h"
#include "data/settings.h"
#include "ui/download/puzzle_transfer.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace {

// The dialog's template size, in dialog units.
constexpr int kTemplateWidth = 142;
constexpr int kTemplateHeight = 49;

URLEntry LinkAt(int index)
{
    return g_settings != nullptr ? g_settings->links.GetLink(index) : URLEntry();
}

} // namespace

CProgressPuzzleDownload::CProgressPuzzleDownload(int linkIndex, QWidget* parent)
    : CProgressPuzzleDownload(LinkAt(linkIndex), parent)
{
}

CProgressPuzzleDownload::CProgressPuzzleDownload(const URLEntry& link, QWidget* parent)
    : QDialog(parent),
      transfer_(new CPuzzleTransfer(link, OpenPuzzlePath(), this)),
      bytesLabel_(new QLabel(this)),
      abortButton_(new QPushButton(QStringLiteral("Abort"), this))
{
    setWindowTitle(QStringLiteral("Downloading..."));
    setModal(true);
    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Bytes downloaded:"), this), 0, 0);
    // Wide enough for the largest count a transfer can reach, so the text never jumps.
    bytesLabel_->setMinimumWidth(bytesLabel_->fontMetrics().horizontalAdvance(QStringLiteral("00000000")));
    layout->addWidget(bytesLabel_, 0, 1);
    layout->setColumnStretch(2, 1);
    layout->addWidget(abortButton_, 1, 0, 1, 3, Qt::AlignRight);
    abortButton_->setDefault(true);
    // Never smaller than its template, so the caption has room on any desktop.
    const QFontMetrics metrics = fontMetrics();
    const QSize templateSize = DialogUnitsToPixels(QRect(0, 0, kTemplateWidth, kTemplateHeight),
                                                   metrics.averageCharWidth(), metrics.height())
                                   .size();
    setFixedSize(layout->sizeHint().expandedTo(templateSize));
    connect(abortButton_, &QPushButton::clicked, transfer_, &CPuzzleTransfer::Abort);
    connect(transfer_, &CPuzzleTransfer::BytesWrittenChanged, this, &CProgressPuzzleDownload::OnBytesWritten);
    connect(transfer_, &CPuzzleTransfer::Finished, this, &CProgressPuzzleDownload::OnFinished);
}

QString CProgressPuzzleDownload::BytesText() const
{
    return bytesLabel_->text();
}

void CProgressPuzzleDownload::reject()
{
    transfer_->Abort();
}

// Showing and resizing post the start message; the transfer starts only once.
bool CProgressPuzzleDownload::event(QEvent* event)
{
    if (MessageEvent::IdOf(event) == UM_START_DOWNLOAD) {
        transfer_->Start();
        return true;
    }
    return QDialog::event(event);
}

void CProgressPuzzleDownload::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    PostStart();
}

void CProgressPuzzleDownload::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    PostStart();
}

void CProgressPuzzleDownload::PostStart()
{
    QCoreApplication::postEvent(this, new MessageEvent(UM_START_DOWNLOAD));
}

void CProgressPuzzleDownload::OnBytesWritten(qint64 total)
{
    bytesLabel_->setText(QString::number(total));
}

void CProgressPuzzleDownload::OnFinished(bool succeeded)
{
    resultText_ = succeeded ? transfer_->SavedPath() : transfer_->ErrorText();
    if (succeeded) {
        done(Accepted);
        return;
    }
    abortButton_->setEnabled(false);
    UserPrompt::Show(resultText_, DownloadErrorCaption(), UserPrompt::Icon::Error);
    done(Rejected);
}
