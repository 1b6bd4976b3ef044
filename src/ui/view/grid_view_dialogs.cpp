// The grid view's commands that open a dialog on the puzzle.
#include "ui/view/grid_view.h"

#include "core/puzzle.h"
#include "ui/dialogs/color_pref_dlg.h"
#include "ui/dialogs/property_puzzl_dlg.h"
#include "ui/dialogs/question_lists_selector.h"

void CGridView::JumpToChosenClue()
{
    if (!IsLoaded())
        return;
    CQuestionListsSelector dialog(puzzle_, allCluesTab_ != 0, allCluesHighlight_ != 0, window());
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (!dialog.ChosenSquares().isEmpty()) {
        ApplyListedClueChoice(dialog.ChosenSquares(), dialog.ChosenLine(), dialog.HighlightSolved() ? 1 : 0);
        return;
    }
    ApplyAllCluesChoice(dialog.Result(), dialog.ShowAcross() ? 1 : 0, dialog.HighlightSolved() ? 1 : 0);
}

void CGridView::ShowPuzzleInfo()
{
    if (!IsLoaded())
        return;
    CPropertyPuzzlDlg dialog(puzzle_, window());
    dialog.exec();
}

void CGridView::CustomizeColors()
{
    CColorPrefDlg dialog(window());
    if (dialog.exec() == QDialog::Accepted && IsLoaded())
        update();
}
