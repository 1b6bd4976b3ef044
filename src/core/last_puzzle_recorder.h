#pragma once

#include <QString>

// Where the model records the path of each puzzle it opened successfully; the
// settings implement it (recording the path and saving the data file at once).
class LastPuzzleRecorder {
public:
    virtual ~LastPuzzleRecorder() = default;
    virtual void SetLastPuzzlePath(const QString& path) = 0;
};
