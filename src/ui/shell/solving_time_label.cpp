#include "ui/shell/solving_time_label.h"

#include "core/puzzle.h"

CSolvingTimeLabel::CSolvingTimeLabel(CPuzzle& puzzle, QWidget* parent) : QLabel(parent), puzzle_(puzzle)
{
    monotonic_.start();
    setToolTip(QStringLiteral("Time spent solving this puzzle"));
}

void CSolvingTimeLabel::PuzzleClosed()
{
    counting_ = false;
    clock_.Reset(0);
}

void CSolvingTimeLabel::Update(bool windowActive)
{
    const qint64 now = monotonic_.elapsed();
    if (!puzzle_.IsLoaded()) {
        PuzzleClosed();
        clear();
        return;
    }
    if (!counting_) {
        clock_.Reset(puzzle_.GetSolvingSeconds());
        counting_ = true;
    }
    const bool solved = puzzle_.IsSolved();
    clock_.Update(windowActive && !solved, now);
    const int seconds = clock_.Seconds(now);
    puzzle_.SetSolvingSeconds(seconds);
    const QString time = FormatSolvingTime(seconds);
    setText(solved ? QStringLiteral("Solved in %1").arg(time) : QStringLiteral("Time: %1").arg(time));
}
