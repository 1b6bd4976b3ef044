#pragma once

#include <QString>

// Makes ".puz" and ".gmd" files open with this program on the desktop: a
// shared-mime-info package maps both patterns to "crossword/puz", a desktop
// entry runs the program with the file, and the user's mimeapps.list names
// that entry as the type's default. Only what is missing or differs is
// written (compared without regard to case, except the program's path, which
// names a file and so must match exactly); afterwards the desktop's caches are
// refreshed where their tools are installed. Failures are silent.
//
// programPath defaults to the running program. Returns the number of files
// written, which callers may ignore.
int RegisterFileTypes(const QString& programPath = QString());

// The names the association uses.
inline constexpr char kPuzzleContentType[] = "crossword/puz";
inline constexpr char kDesktopEntryName[] = "gridmoor.desktop";
