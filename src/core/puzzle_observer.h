#pragma once

// Receives the model's state changes. The window layer turns them into the
// posted UM_PUZZLE_OPENED (to the main frame) and UM_PUZZLE_CLOSED (to the
// grid view) events; tests record them.
class PuzzleObserver {
public:
    virtual ~PuzzleObserver() = default;
    virtual void PuzzleOpened() = 0;
    virtual void PuzzleClosed() = 0;
    // The solver changed an entry of a puzzle whose file is read-only, for
    // the first time since it was opened: that progress cannot be saved.
    virtual void UnsavableEntryChanged() {}
};
