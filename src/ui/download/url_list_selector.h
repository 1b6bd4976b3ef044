#pragma once

#include <QDialog>
#include <QString>

class QDialogButtonBox;
class QListWidget;
class QPushButton;

// "Download Puzzle": the settings' link list by name, in list order, with
// Download, New, Edit and Delete, and "Download All" beside the "Done" soft
// key. Every change of the list is saved at once. After a successful download
// the user may open the puzzle, and after Download All pick one from the
// results: the dialog then ends accepted with that file's path. Download is
// the default button throughout, so Return downloads the selected link.
class CURLListSelector : public QDialog {
    Q_OBJECT

public:
    enum FillMode { SelectFirst = 0, SelectLast = 1, KeepSelection = 2 };

    explicit CURLListSelector(QWidget* parent = nullptr);

    // Rebuilds the rows from the link list and selects a row by mode.
    void FillList(int mode);
    QString DownloadedPath() const { return downloadedPath_; }

    QListWidget* List() const { return list_; }
    QPushButton* DownloadButton() const { return downloadButton_; }
    QPushButton* NewButton() const { return newButton_; }
    QPushButton* EditButton() const { return editButton_; }
    QPushButton* DeleteButton() const { return deleteButton_; }
    QPushButton* DownloadAllButton() const { return downloadAllButton_; }
    QDialogButtonBox* SoftKeys() const { return softKeys_; }

    void OnDownload();
    void OnNew();
    void OnEdit();
    void OnDelete();
    void OnDownloadAll();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    int SelectedRow() const;
    QPushButton* MakeButton(const QString& text, void (CURLListSelector::*handler)());
    void LayOut();
    void SetMinimumSizeForButtons();

    QListWidget* list_;
    QPushButton* downloadButton_;
    QPushButton* newButton_;
    QPushButton* editButton_;
    QPushButton* deleteButton_;
    QDialogButtonBox* softKeys_;
    QPushButton* downloadAllButton_;
    int totalButtonWidth_ = 0;
    QString downloadedPath_;
};
