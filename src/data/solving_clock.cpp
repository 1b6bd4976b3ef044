#include "data/solving_clock.h"

#include <limits>

namespace {

constexpr qint64 kMsPerSecond = 1000;
constexpr int kSecondsPerHour = 3600;

QString TwoDigits(int value)
{
    return QString::number(value).rightJustified(2, QLatin1Char('0'));
}

} // namespace

void SolvingClock::Reset(int seconds)
{
    countedMs_ = qMax(0, seconds) * kMsPerSecond;
    running_ = false;
}

void SolvingClock::Update(bool run, qint64 nowMs)
{
    if (run == running_)
        return;
    if (running_)
        countedMs_ += qMax<qint64>(0, nowMs - startedMs_);
    startedMs_ = nowMs;
    running_ = run;
}

int SolvingClock::Seconds(qint64 nowMs) const
{
    const qint64 ms = countedMs_ + (running_ ? qMax<qint64>(0, nowMs - startedMs_) : 0);
    return static_cast<int>(qMin<qint64>(ms / kMsPerSecond, std::numeric_limits<int>::max()));
}

QString FormatSolvingTime(int seconds)
{
    seconds = qMax(0, seconds);
    const int hours = seconds / kSecondsPerHour;
    const int minutes = seconds / 60 % 60;
    const QString rest = TwoDigits(seconds % 60);
    if (hours > 0)
        return QStringLiteral("%1:%2:%3").arg(hours).arg(TwoDigits(minutes), rest);
    return QStringLiteral("%1:%2").arg(minutes).arg(rest);
}
