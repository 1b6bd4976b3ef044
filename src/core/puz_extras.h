#pragma once

#include "core/puzzle_content.h"

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

// The sections of a binary puzzle that the program reads: the squares' flag
// bits ("GEXT", 0x80 for a circle, 0x08 for a letter written in pencil), the rebus squares ("GRBS" with its table
// "RTBL"), the solver's rebus entries ("RUSR") and the timer ("LTIM"). A
// section whose size does not fit the grid, or whose text does not parse, is
// left out as if the file did not have it.
namespace PuzExtras {

inline constexpr char kMarkup[] = "GEXT";
inline constexpr char kRebusGrid[] = "GRBS";
inline constexpr char kRebusTable[] = "RTBL";
inline constexpr char kUserRebus[] = "RUSR";
inline constexpr char kTimer[] = "LTIM";
inline constexpr quint8 kCircled = 0x80;
inline constexpr quint8 kPencil = 0x08;

// Fills markup, rebusAnswers, rebusEntries and the time of a content whose
// cells and sections were read; entries taken from the rebus entries update
// the filled count.
void Read(PuzzleContent& content);

// The squares' flag bits with the pencil bit of every square set from the
// content's pencil marks; the other bits as the file had them.
QByteArray MarkupData(const PuzzleContent& content);

// "seconds,state": state 1 when the clock is stopped, 0 while it runs.
std::optional<SolvingTime> ParseTime(QByteArrayView data);
QByteArray TimeData(const SolvingTime& time);
// One NUL-terminated string per cell: the solver's rebus entry, or nothing.
QByteArray UserRebusData(const PuzzleContent& content);

} // namespace PuzExtras
