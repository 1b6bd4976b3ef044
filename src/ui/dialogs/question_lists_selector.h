#pragma once

#include "data/clue_list_items.h"

#include <QDialog>

class CClueListCtrl;
class CPuzzle;
class CToggleButton;
class QCheckBox;
class QDialogButtonBox;

// "All Clues": the across or the down clues of the open puzzle, chosen with
// two tabs, in a list where a tap on a clue ends the dialog with that clue,
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

    // The chosen clue's index in the clue table; -1 while none was chosen.
    int Result() const { return result_; }
    bool ShowAcross() const { return showAcross_; }
    bool HighlightSolved() const { return highlightSolved_; }

    // Shows the across (true) or the down list.
    void SetDirection(bool across);

    const ClueListItems& Items() const { return items_; }
    CToggleButton* AcrossTab() const { return acrossTab_; }
    CToggleButton* DownTab() const { return downTab_; }
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
    bool showAcross_;
    bool highlightSolved_;
    CToggleButton* acrossTab_;
    CToggleButton* downTab_;
    CClueListCtrl* list_;
    QCheckBox* checkBox_;
    QDialogButtonBox* softKeys_;
};
