#pragma once

#include "data/download_outcome.h"
#include "data/link_list.h"

#include <QList>
#include <QObject>
#include <QString>

#include <chrono>

class CPuzzleTransfer;

// Downloads a list of links one after the other and keeps each link's
// outcome. A link that fails never stops the others; Abort stops the link
// being fetched and leaves the rest undone, each with the outcome "stopped".
class CDownloadRun : public QObject {
    Q_OBJECT

public:
    // openPuzzlePath is the puzzle open now, which no download replaces.
    CDownloadRun(QList<URLEntry> links, QString openPuzzlePath, QObject* parent = nullptr);

    // How long each transfer waits for the next byte; set before Start.
    void SetIdleTimeout(std::chrono::milliseconds timeout);
    void Start();
    void Abort();

    bool IsFinished() const { return finished_; }
    int LinkCount() const { return int(links_.size()); }
    // One outcome per link, in the links' order, once the run finished.
    const QList<DownloadOutcome>& Outcomes() const { return outcomes_; }

signals:
    // index counts from 0.
    void LinkStarted(int index, int count, const QString& linkName);
    void BytesChanged(qint64 total);
    void Finished();

private:
    void StartNext();
    void OnTransferFinished();
    void Finish();

    QList<URLEntry> links_;
    QString openPuzzlePath_;
    QList<DownloadOutcome> outcomes_;
    CPuzzleTransfer* transfer_ = nullptr;
    std::chrono::milliseconds idleTimeout_;
    bool started_ = false;
    bool aborted_ = false;
    bool finished_ = false;
};
