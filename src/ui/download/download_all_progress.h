#pragma once

#include "data/download_outcome.h"
#include "data/link_list.h"

#include <QDialog>
#include <QList>

class CDownloadRun;
class QLabel;
class QPushButton;

// "Downloading...": one window for a whole run of links, with "Downloading
// 3 of 16: <link name>", the bytes of the link being fetched, and Abort,
// which stops the whole run. It shows no messages: each link's outcome goes
// into the run's result list. The run starts when the window is first shown
// and the window closes itself when the run is over.
class CDownloadAllProgress : public QDialog {
    Q_OBJECT

public:
    CDownloadAllProgress(const QList<URLEntry>& links, const QString& openPuzzlePath, QWidget* parent = nullptr);

    CDownloadRun* Run() const { return run_; }
    const QList<DownloadOutcome>& Outcomes() const;
    QString LinkText() const;
    QString BytesText() const;
    QPushButton* AbortButton() const { return abortButton_; }

    // Closing the window or Escape stops the run, which then ends the dialog.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void OnLinkStarted(int index, int count, const QString& linkName);

    CDownloadRun* run_;
    QLabel* linkLabel_;
    QLabel* bytesLabel_;
    QPushButton* abortButton_;
    QString linkText_;
};
