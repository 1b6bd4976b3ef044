#pragma once

#include <QString>

class CPuzzle;

// The labelled text of the Puzzle Information dialog, lines ending in CR LF:
// "Title: ", the title, "Author:", the author, "Copyright:", the copyright
// after a space, and "File:", each value on the line below its label and an
// empty line between them; an absent value shows as a single space. The
// labelled part keeps at most its first kMaxLabelledBytes bytes; the path
// follows it whole. A puzzle with notes gets them last, whole, under a line
// "Notes:" after an empty line.
constexpr int kMaxLabelledBytes = 1024;

QString PuzzleInfoText(const CPuzzle& puzzle, const QString& path);
