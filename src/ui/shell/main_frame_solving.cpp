// The main frame's part in solving at a desk: the Edit menu, the solver's
// options in the Customize menu and the status bar, and their states.
#include "ui/shell/main_frame.h"

#include "data/command_ids.h"
#include "data/settings.h"
#include "data/solving_options.h"
#include "ui/view/grid_view.h"

#include <QLabel>
#include <QMenu>
#include <QStatusBar>

void CMainFrame::AddEditMenu(QMenu* top)
{
    QMenu* edit = top->addMenu(QStringLiteral("Edit"));
    AddItem(edit, ID_EDIT_UNDO, QStringLiteral("Undo"));
    AddItem(edit, ID_EDIT_REDO, QStringLiteral("Redo"));
    edit->addSeparator();
    AddItem(edit, ID_CLEAR_WORD, QStringLiteral("Clear Word"));
    AddItem(edit, ID_CLEAR_ALL_ENTRIES, QStringLiteral("Clear All Entries..."));
    edit->addSeparator();
    AddItem(edit, ID_PENCIL, QStringLiteral("Pencil"));
}

void CMainFrame::AddSolvingOptions(QMenu* customize)
{
    customize->addSeparator();
    AddItem(customize, ID_NUMBERS_IN_SQUARES, QStringLiteral("Numbers in Squares"));
    AddItem(customize, ID_CHECK_AS_YOU_TYPE, QStringLiteral("Check as I Type"));
    AddItem(customize, ID_SKIP_FILLED_SQUARES, QStringLiteral("Skip Filled Squares"));
}

// The options come from the desktop settings and go back there whenever a
// command changes one.
void CMainFrame::ApplySolvingOptions()
{
    pencilLabel_ = new QLabel(QStringLiteral("Pencil"), this);
    statusBar()->addPermanentWidget(pencilLabel_);
    gridView_->SetOptions(LoadSolvingOptions());
    pencilLabel_->setVisible(gridView_->Options().pencil);
    connect(gridView_, &CGridView::OptionsChanged, this, &CMainFrame::OnSolvingOptionsChanged);
}

void CMainFrame::OnSolvingOptionsChanged()
{
    SaveSolvingOptions(gridView_->Options());
    pencilLabel_->setVisible(gridView_->Options().pencil);
}

CommandState CMainFrame::StateOf(int id) const
{
    const bool loaded = puzzle_.IsLoaded();
    SolvingCommandInput input{loaded, puzzle_.CanUndo(), puzzle_.CanRedo(), SolvingOptions()};
    if (gridView_ != nullptr)
        input.options = gridView_->Options();
    if (const std::optional<CommandState> state = SolvingCommandState(id, input))
        return *state;
    return CommandStateFor(id, loaded, g_settings->cellSize);
}
