#pragma once

#include <QDate>
#include <QString>

// Where the program's files live. Folder paths end in "/"; the puzzle folder
// does not.

// Maximum path length the program works with, kept from its original platform
// so that long download names are cut the same way everywhere.
constexpr int kMaxPathLength = 260;

// The user's documents folder, ending in "/"; empty when it cannot be found.
QString GetDocumentsFolder();
// The documents folder followed by "XWords", without a final "/".
QString GetPuzzleFolder();
// The folder that holds the program and its shipped files, ending in "/".
QString GetProgramFolder();
// The path with one "/" at its end.
QString WithTrailingSlash(const QString& path);
// Creates a folder and every missing parent.
void EnsureFolder(const QString& path);
// Longest file name the file system takes, in bytes.
constexpr int kMaxFileNameBytes = 255;

// The path of a newly downloaded puzzle in the puzzle folder: the name with a
// "_Mon_dd_yyyy" date suffix and the ending, or with keepName the name as the
// server gave it, its ending made the one of the format that arrived. A copy
// number above 1 goes before the ending ("_2.puz"). A long name is cut at a
// character boundary so that the path keeps to the program's limit and the
// file name to the file system's; suffix, number and ending always stay.
QString MakeDownloadPath(const QString& name, bool keepName, const QDate& today = QDate::currentDate(),
                         const QString& ending = QStringLiteral(".puz"), int copy = 1);
