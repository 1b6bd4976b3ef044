#pragma once

#include "data/link_list.h"

#include <QDialog>
#include <QString>

class CPuzzleTransfer;
class QLabel;
class QPushButton;

// "Downloading...": fetches one link into the puzzle folder while showing the
// bytes written so far, with Abort. Every failure is reported here in one
// message box; the dialog ends accepted, with the saved file's path as its
// result text, or rejected. The transfer starts when the dialog is first
// shown and runs on the dialog's event loop, so the windows keep painting.
class CProgressPuzzleDownload : public QDialog {
    Q_OBJECT

public:
    // The link at linkIndex of the settings' link list.
    explicit CProgressPuzzleDownload(int linkIndex, QWidget* parent = nullptr);
    CProgressPuzzleDownload(const URLEntry& link, QWidget* parent = nullptr);

    // The saved file's full path after success, else the message shown.
    QString ResultText() const { return resultText_; }
    // The count of bytes written, as shown.
    QString BytesText() const;
    CPuzzleTransfer* Transfer() const { return transfer_; }
    QPushButton* AbortButton() const { return abortButton_; }

    // Closing the window or Escape stops the transfer, which then ends the dialog.
    void reject() override;

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void PostStart();
    void OnBytesWritten(qint64 total);
    void OnFinished(bool succeeded);

    CPuzzleTransfer* transfer_;
    QLabel* bytesLabel_;
    QPushButton* abortButton_;
    QString resultText_;
};
