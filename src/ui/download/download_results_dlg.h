#pragma once

#include "data/download_outcome.h"

#include <QDialog>
#include <QList>
#include <QString>

class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// "Download Results": one row per link of a Download All run, in the links'
// order, with what became of it. A double click or Return on a row with a
// puzzle (or Open) ends the dialog accepted with that puzzle's path; Done
// ends it rejected.
class CDownloadResultsDlg : public QDialog {
    Q_OBJECT

public:
    explicit CDownloadResultsDlg(const QList<DownloadOutcome>& outcomes, QWidget* parent = nullptr);

    QString ChosenPath() const { return chosenPath_; }
    QTreeWidget* List() const { return list_; }
    QPushButton* OpenButton() const { return openButton_; }

private:
    void AddRow(const DownloadOutcome& outcome);
    void OpenRow(QTreeWidgetItem* item);
    void UpdateOpenButton();

    QTreeWidget* list_;
    QPushButton* openButton_;
    QString chosenPath_;
};
