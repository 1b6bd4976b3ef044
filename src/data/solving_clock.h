#pragma once

#include <QString>
#include <QtGlobal>

// The solver's clock: whole seconds on a puzzle, counted on from the time the
// file kept. The owner tells it every so often whether it should run and what
// the monotonic time is, so it keeps exact time across pauses and can be
// driven without a real clock.
class SolvingClock {
public:
    // A puzzle was opened with this many seconds; the clock stands still.
    void Reset(int seconds);
    // Starts or pauses the clock at nowMs.
    void Update(bool run, qint64 nowMs);
    int Seconds(qint64 nowMs) const;
    bool IsRunning() const { return running_; }

private:
    qint64 countedMs_ = 0;
    qint64 startedMs_ = 0;
    bool running_ = false;
};

// "0:42", "12:05", "1:02:03".
QString FormatSolvingTime(int seconds);
