#pragma once

#include <QString>

// Makes ".puz", ".gmd" and ".ipuz" files open with this program on the
// desktop: a shared-mime-info package maps the first two patterns to
// "application/x-crossword" (with the former name "crossword/puz" as an
// alias) and ".ipuz" to "application/x-ipuz" (shared-mime-info has no type
// for it), a desktop entry runs the program with the file, and the user's
// mimeapps.list names that entry as both types' default. Only what is missing or differs is
// written (compared without regard to case, except the program's path, which
// names a file and so must match exactly); afterwards the desktop's caches are
// refreshed where their tools are installed. Failures are silent.
//
// programPath defaults to the running program. Returns the number of files
// written, which callers may ignore.
int RegisterFileTypes(const QString& programPath = QString());

// The texts of the shared-mime-info package and of the desktop entry that
// runs programPath; the installation places the same texts system-wide.
QString MimePackageText();
QString DesktopEntryText(const QString& programPath);

// The names the association uses.
inline constexpr char kPuzzleContentType[] = "application/x-crossword";
inline constexpr char kFormerContentType[] = "crossword/puz";
inline constexpr char kIpuzContentType[] = "application/x-ipuz";
inline constexpr char kDesktopEntryName[] = "gridmoor.desktop";
