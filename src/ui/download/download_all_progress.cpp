#include "ui/download/download_all_progress.h"

#include "ui/download/download_run.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace {

// Room for a link name of about 40 characters before it is cut with "...".
constexpr int kLinkTextChars = 48;

} // namespace

CDownloadAllProgress::CDownloadAllProgress(const QList<URLEntry>& links, const QString& openPuzzlePath, QWidget* parent)
    : QDialog(parent),
      run_(new CDownloadRun(links, openPuzzlePath, this)),
      linkLabel_(new QLabel(this)),
      bytesLabel_(new QLabel(this)),
      abortButton_(new QPushButton(QStringLiteral("Abort"), this))
{
    setWindowTitle(QStringLiteral("Downloading..."));
    setModal(true);
    auto* layout = new QGridLayout(this);
    linkLabel_->setFixedWidth(linkLabel_->fontMetrics().averageCharWidth() * kLinkTextChars);
    layout->addWidget(linkLabel_, 0, 0, 1, 3);
    layout->addWidget(new QLabel(QStringLiteral("Bytes downloaded:"), this), 1, 0);
    layout->addWidget(bytesLabel_, 1, 1);
    layout->setColumnStretch(2, 1);
    layout->addWidget(abortButton_, 2, 0, 1, 3, Qt::AlignRight);
    abortButton_->setDefault(true);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    connect(abortButton_, &QPushButton::clicked, run_, &CDownloadRun::Abort);
    connect(run_, &CDownloadRun::LinkStarted, this, &CDownloadAllProgress::OnLinkStarted);
    connect(run_, &CDownloadRun::BytesChanged, this, [this](qint64 total) { bytesLabel_->setText(QString::number(total)); });
    connect(run_, &CDownloadRun::Finished, this, [this] { done(Accepted); });
}

const QList<DownloadOutcome>& CDownloadAllProgress::Outcomes() const
{
    return run_->Outcomes();
}

QString CDownloadAllProgress::LinkText() const
{
    return linkText_;
}

QString CDownloadAllProgress::BytesText() const
{
    return bytesLabel_->text();
}

void CDownloadAllProgress::reject()
{
    run_->Abort();
}

void CDownloadAllProgress::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    QTimer::singleShot(0, run_, &CDownloadRun::Start);
}

void CDownloadAllProgress::OnLinkStarted(int index, int count, const QString& linkName)
{
    linkText_ = QStringLiteral("Downloading %1 of %2: %3").arg(index + 1).arg(count).arg(linkName);
    linkLabel_->setText(linkLabel_->fontMetrics().elidedText(linkText_, Qt::ElideRight, linkLabel_->width()));
    linkLabel_->setToolTip(linkText_);
    bytesLabel_->setText(QStringLiteral("0"));
}
