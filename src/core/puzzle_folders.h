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
// Creates a folder and every missing parent.
void EnsureFolder(const QString& path);
// The path of a newly downloaded puzzle in the puzzle folder: the name with a
// "_Mon_dd_yyyy" date suffix and ".puz", or the name unchanged with keepName.
QString MakeDownloadPath(const QString& name, bool keepName, const QDate& today = QDate::currentDate());
