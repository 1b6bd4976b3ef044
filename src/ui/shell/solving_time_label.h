#pragma once

#include "data/solving_clock.h"

#include <QElapsedTimer>
#include <QLabel>

class CPuzzle;

// The solving time in the status bar. The clock runs while the program's
// window is active and the puzzle is open and not yet solved, and stops for
// good once it is solved; the time goes into the model, which writes it back
// into the puzzle file with the entries.
class CSolvingTimeLabel : public QLabel {
    Q_OBJECT

public:
    CSolvingTimeLabel(CPuzzle& puzzle, QWidget* parent = nullptr);

    // The puzzle was closed; the next one counts on from its own file's time.
    void PuzzleClosed();
    // Runs or pauses the clock, hands its time to the model and shows it.
    void Update(bool windowActive);
    bool IsRunning() const { return clock_.IsRunning(); }

private:
    CPuzzle& puzzle_;
    SolvingClock clock_;
    QElapsedTimer monotonic_;
    // The clock counts for the puzzle that is open now.
    bool counting_ = false;
};
