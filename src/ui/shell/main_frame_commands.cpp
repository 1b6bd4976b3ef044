// The commands the main frame handles itself, after the grid view passed them on.
#include "ui/shell/main_frame.h"

#include "data/command_ids.h"
#include "data/settings.h"
#include "ui/controls/clue_view.h"
#include "ui/controls/keyboard_ctrl.h"
#include "ui/dialogs/about_dlg.h"
#include "ui/dialogs/clue_position_dlg.h"
#include "ui/dialogs/help_toolbar_dlg.h"
#include "ui/print/puzzle_printing.h"
#include "ui/shell/puzzle_sender.h"
#include "ui/view/grid_view.h"

#include <QToolBar>
#include <QToolButton>

bool CMainFrame::OnFrameCommand(int id)
{
    switch (id) {
    case ID_HELP:
        ShowHelp();
        break;
    case ID_APP_ABOUT:
        ShowAbout();
        break;
    case ID_CUSTOMIZE_LAYOUT:
        CustomizeLayout();
        break;
    case ID_CLUE_COPY:
        clueView_->CopyClue();
        break;
    case ID_CLUE_SELECT_ALL:
        clueView_->SelectAllClue();
        break;
    case ID_ACROSS_DOWN:
        ToggleAcrossDown();
        break;
    case ID_DELETE_PUZZLE:
        store_.OnDeletePuzzle();
        break;
    case ID_OPEN_PUZZLE:
        store_.OnOpenPuzzle();
        break;
    case ID_BEAM:
    case ID_SEND_EMAIL:
        SendPuzzle(id);
        break;
    case ID_REVEAL:
        ShowRevealMenu();
        break;
    case ID_PRINT:
        PuzzlePrinting::Print(this, puzzle_);
        break;
    case ID_EXPORT_PDF:
        PuzzlePrinting::ExportPdf(this, puzzle_);
        break;
    case ID_KEYBOARD:
        ToggleKeyboard();
        break;
    case ID_APP_EXIT:
        close();
        break;
    case ID_CHECK:
        // The button works while held, through the update pass; its click does nothing.
        break;
    default:
        return false;
    }
    return true;
}

void CMainFrame::ShowRevealMenu()
{
    if (!puzzle_.IsLoaded())
        return;
    // The pop-up opens above the button, its bottom edge one pixel over the command bar.
    const QPoint anchor = toolBar_->mapToGlobal(QPoint(RevealButtonX(), -1));
    revealMenu_->popup(QPoint(anchor.x(), anchor.y() - revealMenu_->sizeHint().height()));
}

void CMainFrame::CustomizeLayout()
{
    CCluePositionDlg dialog(g_settings->clueAtTop ? 1 : 0, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const bool placementChanged = (dialog.Placement() == 1) != g_settings->clueAtTop;
    const bool scrollbarsChanged = dialog.ShowScrollbars() != g_settings->showScrollbars;
    if (placementChanged) {
        g_settings->clueAtTop = !g_settings->clueAtTop;
        g_settings->SaveSettings();
    }
    if (scrollbarsChanged)
        g_settings->showScrollbars = !g_settings->showScrollbars;
    if (placementChanged || scrollbarsChanged) {
        RecalcPanes();
        gridView_->RecalcScrollNeeds();
    }
}

void CMainFrame::ToggleKeyboard()
{
    const bool show = keyboard_->isHidden();
    // The cursor may have moved under a hidden keyboard's place.
    if (show)
        PlaceUntouchedKeyboard();
    keyboard_->setVisible(show);
    g_settings->keyboardShown = show;
}

void CMainFrame::ToggleAcrossDown()
{
    if (puzzle_.IsLoaded())
        gridView_->SelectCell(puzzle_.GetCurrentCell(), CGridView::SelectTap);
}

void CMainFrame::SendPuzzle(int id)
{
    if (!puzzle_.IsLoaded())
        return;
    QString title, author, copyright;
    puzzle_.GetInfoText(title, author, copyright);
    SendPuzzleFile(id == ID_BEAM ? SendMethod::Beam : SendMethod::Email, g_settings->lastPuzzlePath,
                   title.simplified());
}

void CMainFrame::ShowAbout()
{
    CAboutDlg dialog(this);
    dialog.exec();
}

void CMainFrame::ShowHelp()
{
    CHelpToolBarDlg dialog(lowRes_ ? 16 : 32, this);
    dialog.exec();
}
