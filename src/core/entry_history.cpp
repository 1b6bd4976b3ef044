#include "core/entry_history.h"

void CEntryHistory::Record(const EntryChange& change, int cursor, bool across)
{
    if (grouping_) {
        group_.changes.push_back(change);
        return;
    }
    Push(EntryStep{{change}, cursor, across});
}

void CEntryHistory::BeginGroup(int cursor, bool across)
{
    grouping_ = true;
    group_ = EntryStep{{}, cursor, across};
}

void CEntryHistory::EndGroup()
{
    grouping_ = false;
    if (!group_.changes.empty())
        Push(std::move(group_));
    group_ = EntryStep();
}

void CEntryHistory::Push(EntryStep step)
{
    steps_.resize(done_);
    if (steps_.size() >= kMostSteps)
        steps_.pop_front();
    steps_.push_back(std::move(step));
    done_ = steps_.size();
}

const EntryStep* CEntryHistory::Undo()
{
    if (!CanUndo())
        return nullptr;
    return &steps_[--done_];
}

const EntryStep* CEntryHistory::Redo()
{
    if (!CanRedo())
        return nullptr;
    return &steps_[done_++];
}

void CEntryHistory::Clear()
{
    steps_.clear();
    done_ = 0;
    grouping_ = false;
    group_ = EntryStep();
}
