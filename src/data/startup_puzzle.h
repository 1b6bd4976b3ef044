#pragma once

#include <QString>

class CPuzzleStore;

// Opens the puzzle shown at start-up: the command line's file when
// considerCommandLine is set and it names an existing file (taken exactly as
// given, not trimmed), else the last puzzle, else the first puzzle found
// anywhere. With none, the puzzle folder is created and "No Puzzle" shown.
// Returns whether a puzzle was opened.
bool OpenStartupPuzzle(CPuzzleStore& store, const QString& lastPuzzlePath, const QString& commandLine,
                       bool considerCommandLine);
