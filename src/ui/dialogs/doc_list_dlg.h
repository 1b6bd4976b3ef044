#pragma once

#include <QFileDialog>
#include <QString>

// The program's file-open dialog: shows a folder with the given filter and an
// "All Files" choice, preselects the current file and returns the full path
// the user picked.
class CDocListDlg : public QFileDialog {
    Q_OBJECT

public:
    // filter is a name filter such as "Puzzle (*.puz *.gmd)"; folder the full
    // path to start in; current the file to preselect, or empty for none.
    CDocListDlg(QWidget* parent, const QString& filter, const QString& folder, const QString& current);

    // The picked path once the dialog was accepted, else empty.
    QString Result() const;

    // Runs the dialog modally over parent; the picked path, or empty when
    // cancelled or nothing was picked.
    static QString PickFile(QWidget* parent, const QString& filter, const QString& folder,
                            const QString& current);
};
