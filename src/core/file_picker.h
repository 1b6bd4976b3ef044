#pragma once

#include <QString>

// Lets the user choose one file to open. The window layer implements it with
// the program's file chooser; tests answer with a fixed path.
class FilePicker {
public:
    virtual ~FilePicker() = default;
    // filter is a name filter such as "Puzzle (*.puz *.gmd)", folder the full
    // path of the folder to start in, current the file to preselect (may be
    // empty). Returns the chosen full path, or an empty string when cancelled.
    virtual QString PickFile(const QString& filter, const QString& folder, const QString& current) = 0;
};
