#pragma once

#include "data/clue_list_items.h"

#include <QDialog>

class CClueListCtrl;
class CPuzzle;
class CToggleButton;
class QCheckBox;
class QDialogButtonBox;

// "All Clues": the across or the down clues of the open puzzle, or those of
// a further list that names its squares (such as "Diagonal"), chosen with one
// tab each, in a list where a tap on a clue ends the dialog with that clue,
// and "Highlight Solved" to show the clues whose words are filled in colour.
// "Done" ends it without a clue.
class CQuestionListsSelector : public QDialog {
    Q_OBJECT

public:
    // The tabs' top-left corner and the tab height, in pixels at 96 dpi.
    static constexpr int kTabMargin = 4;
    static constexpr int kTabHeight = 25;

    // acrossFirst and highlightSolved are the choices of the last opening
    // that ended with a clue. The list is a snapshot of the puzzle as it is now.
    CQuestionListsSelector(const CPuzzle* puzzle, bool acrossFirst, bool highlightSolved,
                           QWidget* parent = nullptr);

    // The chosen clue's index in the clue table; -1 while none was chosen
    // and for a clue of a further list.
    int Result() const { return result_; }
    // A chosen clue of a further list: the squares it names, and its line
    // for the clue view ("Diagonal 1. text"); empty otherwise.
    const QList<int>& ChosenSquares() const { return chosenSquares_; }
    const QString& ChosenLine() const { return chosenLine_; }
    bool ShowAcross() const { return section_ == 0; }
    int ShownSection() const { return section_; }
    bool HighlightSolved() const { return highlightSolved_; }

    // Shows a section: 0 across, 1 down, then the further lists.
    void SetSection(int section);

    const ClueListItems& Items() const { return items_; }
    CToggleButton* AcrossTab() const { return tabs_.at(0); }
    CToggleButton* DownTab() const { return tabs_.at(1); }
    // The tab of a section; every section has one.
    CToggleButton* Tab(int section) const { return tabs_.value(section); }
    CClueListCtrl* List() const { return list_; }
    QCheckBox* CheckBox() const { return checkBox_; }

protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void OnClueChosen();
    void OnHighlightClicked();
    void LayOut();

    ClueListItems items_;
    int result_ = -1;
    QList<int> chosenSquares_;
    QString chosenLine_;
    int section_;
    bool highlightSolved_;
    QList<CToggleButton*> tabs_;
    CClueListCtrl* list_;
    QCheckBox* checkBox_;
    QDialogButtonBox* softKeys_;
};
