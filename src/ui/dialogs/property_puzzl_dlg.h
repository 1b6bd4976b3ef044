#pragma once

#include <QDialog>

class CColorEdit;
class CPuzzle;

// "Puzzle Information": the open puzzle's title, author, copyright and file
// path in one read-only, scrollable text pane, with an "OK" soft key.
class CPropertyPuzzlDlg : public QDialog {
    Q_OBJECT

public:
    // The puzzle must outlive the dialog; the path shown is the one the
    // settings keep for the open puzzle.
    explicit CPropertyPuzzlDlg(const CPuzzle* puzzle, QWidget* parent = nullptr);

    CColorEdit* TextPane() const { return textPane_; }

private:
    CColorEdit* textPane_;
};
