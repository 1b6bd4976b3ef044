#pragma once

#include "data/download_outcome.h"

#include <QDialog>
#include <QList>
#include <QString>

class QPushButton;
class QListWidget;
class QListWidgetItem;

// "Download Results": one row per link of a Download All run, in the links'
// order, with the link's name over what became of it. A double click or Return on a row with a
// puzzle (or Open) ends the dialog accepted with that puzzle's path; Done
// ends it rejected.
class CDownloadResultsDlg : public QDialog {
    Q_OBJECT

public:
    explicit CDownloadResultsDlg(const QList<DownloadOutcome>& outcomes, QWidget* parent = nullptr);

    QString ChosenPath() const { return chosenPath_; }
    QListWidget* List() const { return list_; }
    QPushButton* OpenButton() const { return openButton_; }

private:
    void AddRow(const DownloadOutcome& outcome);
    void OpenRow(QListWidgetItem* item);
    void UpdateOpenButton();

    QListWidget* list_;
    QPushButton* openButton_;
    QString chosenPath_;
};
