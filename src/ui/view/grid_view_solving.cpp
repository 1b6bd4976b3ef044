// The grid view's part in solving at a desk: the solver's options, undo and
// redo, clearing, and the keys that move between and within words.
#include "ui/view/grid_view.h"

#include "core/puzzle.h"
#include "core/puzzle_words.h"
#include "core/user_prompt.h"
#include "data/command_ids.h"
#include "data/solution_refusal.h"
#include "data/settings.h"
#include "ui/controls/clue_view.h"
#include "ui/view/grid_accessible.h"

namespace {

// Numbers fit in medium and large cells; small ones have no room for them.
constexpr int kSmallestNumberedCellSize = 1;

} // namespace

void CGridView::SetOptions(const SolvingOptions& options)
{
    options_ = options;
    update();
}

// An encrypted puzzle's stored solution is scrambled, and some files come
// without one: nothing can then be compared with it.
bool CGridView::IsCheckable() const
{
    return IsLoaded() && !SolutionRefusalFor(*puzzle_);
}

bool CGridView::WrongLettersShown() const
{
    return checkMode_ || CheckingAsYouType();
}

bool CGridView::CheckingAsYouType() const
{
    return options_.checkAsYouType && IsCheckable();
}

bool CGridView::NumbersShown() const
{
    return options_.numbersInSquares && g_settings->cellSize >= kSmallestNumberedCellSize;
}

bool CGridView::OnSolvingCommand(int id)
{
    switch (id) {
    case ID_EDIT_UNDO:
    case ID_EDIT_REDO:
        StepHistory(id == ID_EDIT_REDO);
        return true;
    case ID_CLEAR_WORD:
        ClearCurrentWord();
        return true;
    case ID_CLEAR_ALL_ENTRIES:
        ClearAllEntries();
        return true;
    case ID_NUMBERS_IN_SQUARES:
    case ID_PENCIL:
    case ID_CHECK_AS_YOU_TYPE:
    case ID_SKIP_FILLED_SQUARES:
        ToggleOption(id);
        return true;
    default:
        return false;
    }
}

// Checking as you type is refused for the open puzzle as the Check button
// is; without a puzzle it can be turned on for the next one.
void CGridView::ToggleOption(int id)
{
    SolvingOptions options = options_;
    switch (id) {
    case ID_NUMBERS_IN_SQUARES:
        options.numbersInSquares = !options.numbersInSquares;
        break;
    case ID_PENCIL:
        options.pencil = !options.pencil;
        break;
    case ID_CHECK_AS_YOU_TYPE:
        if (!options.checkAsYouType && IsLoaded() && RefuseIfScrambled())
            return;
        options.checkAsYouType = !options.checkAsYouType;
        break;
    default:
        options.skipFilledSquares = !options.skipFilledSquares;
        break;
    }
    SetOptions(options);
    emit OptionsChanged();
}

void CGridView::StepHistory(bool redo)
{
    if (!HasCursor())
        return;
    const int oldClue = puzzle_->GetCurrentClue();
    if (!(redo ? puzzle_->Redo() : puzzle_->Undo()))
        return;
    CGridAccessible::AnnounceSquare(this, puzzle_->GetCurrentCell());
    ShowCursorChange(oldClue, false);
}

// The clue line follows a cursor that the model or this view moved directly.
void CGridView::ShowCursorChange(int oldClue, bool word)
{
    hintMode_ = HintNone;
    const int clue = puzzle_->GetCurrentClue();
    const bool wasListed = !listedWord_.isEmpty();
    if (KeepsListedWord()) {
        if (clueView_ != nullptr)
            clueView_->SetClueText(listedLine_);
    } else if (clue != oldClue || wasListed) {
        ShowClue(clue);
    }
    EnsureVisible(word);
    update();
    emit CursorMoved();
}

void CGridView::ClearCurrentWord()
{
    if (!HasCursor())
        return;
    EndHint();
    // The word highlighted is the word cleared.
    const std::vector<int> cells = KeepsListedWord() ? std::vector<int>(listedWord_.begin(), listedWord_.end())
                                                     : WordCells(*puzzle_, puzzle_->GetCurrentClue());
    if (!puzzle_->ClearCells(cells))
        return;
    for (const int cell : cells)
        CGridAccessible::AnnounceSquare(this, cell);
    update();
}

void CGridView::ClearAllEntries()
{
    if (!HasCursor())
        return;
    const UserPrompt::Answer answer =
        UserPrompt::Show(QStringLiteral("Clear every letter of the puzzle?\nThis can be undone."),
                         QStringLiteral("Clear All Entries"), UserPrompt::Icon::Question, UserPrompt::Buttons::YesNo);
    if (answer != UserPrompt::Answer::Yes)
        return;
    EndHint();
    if (!puzzle_->ClearAllEntries())
        return;
    // Every square may have changed: a screen reader reads the grid afresh.
    CGridAccessible::AnnounceNewGrid(this);
    update();
}

bool CGridView::OnSolvingKey(int key)
{
    switch (key) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        GoToClue(NextClue(*puzzle_, puzzle_->GetCurrentClue(), key == Qt::Key_Tab));
        return true;
    case Qt::Key_Delete:
        puzzle_->SetCurrentEntry(' ');
        CGridAccessible::AnnounceSquare(this, puzzle_->GetCurrentCell());
        update();
        return true;
    case Qt::Key_Home:
    case Qt::Key_End:
        GoToWordEnd(key == Qt::Key_End);
        return true;
    default:
        return false;
    }
}

// The cursor goes to the first empty square of the clue's word, or to its
// first square when the word is full, in the clue's direction.
void CGridView::GoToClue(int clue)
{
    const int target = FirstEmptyOrStart(*puzzle_, clue);
    if (target < 0)
        return;
    const int oldClue = puzzle_->GetCurrentClue();
    puzzle_->SetCurrentCell(target);
    puzzle_->SetAcross(puzzle_->GetClue(clue)->isAcross != 0);
    ShowCursorChange(oldClue, true);
}

void CGridView::GoToWordEnd(bool last)
{
    const std::vector<int> cells = WordCells(*puzzle_, puzzle_->GetCurrentClue());
    if (!cells.empty())
        SelectCell(last ? cells.back() : cells.front(), SelectStep);
}

// With "Skip Filled Squares" the cursor passes over the filled squares of
// the word; when none of its later squares is empty, it moves on as usual.
// The chosen clue of a further list stays highlighted while the cursor is on
// one of its squares; false once the cursor has left them.
bool CGridView::KeepsListedWord()
{
    if (!listedWord_.contains(puzzle_->GetCurrentCell()))
        listedWord_.clear();
    return !listedWord_.isEmpty();
}

// In the word of a further list's clue the cursor follows its squares.
bool CGridView::NextSquareAfterEntry(int* next) const
{
    const qsizetype listed = listedWord_.indexOf(puzzle_->GetCurrentCell());
    if (listed >= 0 && listed + 1 < listedWord_.size()) {
        *next = listedWord_.at(listed + 1);
        return true;
    }
    if (options_.skipFilledSquares) {
        const int empty = NextEmptyAfter(*puzzle_, puzzle_->GetCurrentClue(), puzzle_->GetCurrentCell());
        if (empty >= 0) {
            *next = empty;
            return true;
        }
    }
    return puzzle_->FindNeighbour(CPuzzle::MoveNext, next);
}
