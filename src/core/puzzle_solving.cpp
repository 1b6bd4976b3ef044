// The model's part in solving beyond single letters: pencil marks, clearing
// words and the grid, the undo history and the numbers shown in the squares.
#include "core/puzzle.h"

#include "core/puzzle_words.h"

#include <numeric>

EntryState CPuzzle::EntryAt(int index) const
{
    return EntryState{EntryBytes(index), IsPencil(index)};
}

// A black square and a square with a given letter never take an entry, and an
// empty square is never pencil.
void CPuzzle::ChangeEntry(int index, EntryState state)
{
    if (!IsValidCell(index) || GetCell(index).solution == ' ' || IsGiven(index))
        return;
    if (state.letters == " ")
        state.letters.clear();
    state.pencil = state.pencil && !state.letters.isEmpty();
    const EntryState before = EntryAt(index);
    if (state == before)
        return;
    PutEntry(index, state);
    history_.Record(EntryChange{index, before, EntryAt(index)}, currentCell_, across_);
}

bool CPuzzle::IsPencil(int index) const
{
    return index >= 0 && content_.IsPencil(static_cast<size_t>(index));
}

// The flags are made only when the first square gets a pencil letter.
void CPuzzle::SetPencilFlag(int index, bool pencil)
{
    const size_t square = static_cast<size_t>(index);
    if (content_.IsPencil(square) == pencil)
        return;
    if (pencil)
        content_.MarkPencil(square);
    else
        content_.pencil[square] = 0;
    pencilChanged_ = true;
}

bool CPuzzle::ClearWord(int clue)
{
    return ClearCells(WordCells(*this, clue));
}

bool CPuzzle::ClearAllEntries()
{
    std::vector<int> cells(content_.cells.size());
    std::iota(cells.begin(), cells.end(), 0);
    return ClearCells(cells);
}

bool CPuzzle::ClearCells(const std::vector<int>& cells)
{
    history_.BeginGroup(currentCell_, across_);
    bool changed = false;
    for (const int cell : cells) {
        if (GetCell(cell).entry == ' ')
            continue;
        ChangeEntry(cell, EntryState());
        changed |= GetCell(cell).entry == ' ';
    }
    history_.EndGroup();
    return changed;
}

bool CPuzzle::CanUndo() const
{
    return history_.CanUndo();
}

bool CPuzzle::CanRedo() const
{
    return history_.CanRedo();
}

bool CPuzzle::Undo()
{
    const EntryStep* step = history_.Undo();
    if (step == nullptr)
        return false;
    for (auto change = step->changes.rbegin(); change != step->changes.rend(); ++change)
        PutEntry(change->cell, change->before);
    PlaceCursorAfter(*step);
    return true;
}

bool CPuzzle::Redo()
{
    const EntryStep* step = history_.Redo();
    if (step == nullptr)
        return false;
    for (const EntryChange& change : step->changes)
        PutEntry(change.cell, change.after);
    PlaceCursorAfter(*step);
    return true;
}

// The cursor goes where it stood when the step was made if that square
// changed, else to the first square that did, in the direction it had when a
// word runs that way there.
void CPuzzle::PlaceCursorAfter(const EntryStep& step)
{
    int target = step.changes.front().cell;
    for (const EntryChange& change : step.changes) {
        if (change.cell == step.cursor)
            target = step.cursor;
    }
    currentCell_ = target;
    const PuzzleCell& cell = GetCell(target);
    across_ = step.across;
    if ((across_ ? cell.acrossClue : cell.downClue) == -1)
        across_ = !across_;
}

// A file that numbers its squares itself (ipuz) is shown as it numbers them,
// labels such as letters included; otherwise the number of the word that
// starts in the square.
QString CPuzzle::GetCellLabel(int index) const
{
    if (!content_.labels.IsEmpty())
        return GetFileLabel(index);
    const int number = IsValidCell(index) ? WordNumberAt(index) : 0;
    return number > 0 ? QString::number(number) : QString();
}

// A word starts in a square whose neighbour before it (to the left, or
// above) is not bound to the same clue; the across word's number wins.
int CPuzzle::WordNumberAt(int index) const
{
    const PuzzleCell& cell = GetCell(index);
    const int width = GetWidth();
    const bool startsAcross =
        cell.acrossClue >= 0 && (index % width == 0 || GetCell(index - 1).acrossClue != cell.acrossClue);
    const bool startsDown = cell.downClue >= 0 && (index < width || GetCell(index - width).downClue != cell.downClue);
    const PuzzleClue* clue = GetClue(startsAcross ? cell.acrossClue : startsDown ? cell.downClue : -1);
    return clue != nullptr ? clue->number : 0;
}
