#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <cstddef>
#include <deque>
#include <vector>

// What one square holds: its letters (empty for none, several for a rebus
// entry) and whether they were written in pencil.
struct EntryState {
    QByteArray letters;
    bool pencil = false;

    bool operator==(const EntryState&) const = default;
};

// One square's entry before and after a change.
struct EntryChange {
    qint32 cell = -1;
    EntryState before;
    EntryState after;
};

// One step the solver can undo: a single square's change, or all the squares
// a clearing command changed at once. cursor and across are where the cursor
// stood when the step was made.
struct EntryStep {
    std::vector<EntryChange> changes;
    qint32 cursor = -1;
    bool across = true;
};

// The undo and redo history of the entries of one open puzzle. Every change
// becomes a step of its own unless a group is open, which collects the
// changes made until it ends into one step. A new step drops the steps that
// were undone. The oldest steps go once the history holds kMostSteps.
class CEntryHistory {
public:
    static constexpr std::size_t kMostSteps = 10000;

    void Record(const EntryChange& change, int cursor, bool across);
    // A group that collects nothing leaves no step.
    void BeginGroup(int cursor, bool across);
    void EndGroup();

    bool CanUndo() const { return done_ > 0; }
    bool CanRedo() const { return done_ < steps_.size(); }
    // The step to take back or to make again, which then counts as undone or
    // done; null when there is none.
    const EntryStep* Undo();
    const EntryStep* Redo();

    void Clear();

private:
    void Push(EntryStep step);

    // A deque: the oldest step leaves from the front once the history is full.
    std::deque<EntryStep> steps_;
    std::size_t done_ = 0;
    bool grouping_ = false;
    EntryStep group_;
};
