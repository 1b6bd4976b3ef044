#include "ui/download/download_run.h"

#include "ui/download/puzzle_transfer.h"

#include <utility>

CDownloadRun::CDownloadRun(QList<URLEntry> links, QString openPuzzlePath, QObject* parent)
    : QObject(parent),
      links_(std::move(links)),
      openPuzzlePath_(std::move(openPuzzlePath)),
      idleTimeout_(CPuzzleTransfer::kIdleTimeout)
{
}

void CDownloadRun::SetIdleTimeout(std::chrono::milliseconds timeout)
{
    idleTimeout_ = timeout;
}

void CDownloadRun::Start()
{
    if (started_)
        return;
    started_ = true;
    StartNext();
}

void CDownloadRun::Abort()
{
    if (finished_)
        return;
    aborted_ = true;
    if (transfer_ != nullptr)
        transfer_->Abort();
    else
        Finish();
}

void CDownloadRun::StartNext()
{
    const int index = int(outcomes_.size());
    if (aborted_ || index >= links_.size()) {
        Finish();
        return;
    }
    transfer_ = new CPuzzleTransfer(links_.at(index), openPuzzlePath_, this);
    transfer_->SetIdleTimeout(idleTimeout_);
    connect(transfer_, &CPuzzleTransfer::BytesWrittenChanged, this, &CDownloadRun::BytesChanged);
    connect(transfer_, &CPuzzleTransfer::Finished, this, &CDownloadRun::OnTransferFinished);
    emit LinkStarted(index, int(links_.size()), links_.at(index).name);
    transfer_->Start();
}

void CDownloadRun::OnTransferFinished()
{
    outcomes_.append(transfer_->Outcome());
    transfer_->deleteLater();
    transfer_ = nullptr;
    StartNext();
}

// Links the run never reached keep their place in the list, as stopped.
void CDownloadRun::Finish()
{
    if (finished_)
        return;
    for (qsizetype i = outcomes_.size(); i < links_.size(); ++i)
        outcomes_.append({links_.at(i).name, DownloadOutcome::Kind::Stopped, {}, {}});
    finished_ = true;
    emit Finished();
}
