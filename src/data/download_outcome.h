#pragma once

#include <QString>

// How one link's download ended, as the result list of Download All shows it.
struct DownloadOutcome {
    enum class Kind {
        Saved,        // path: the new file
        AlreadyThere, // path: the file that already held the puzzle
        NotAPuzzle,
        Failed,       // message: the server's status text or the failure's message
        TimedOut,     // message: the time-out message
        Stopped,      // the run was stopped before this link's download ended
    };

    QString linkName;
    Kind kind = Kind::Stopped;
    QString path;
    QString message;

    bool HasPuzzle() const { return kind == Kind::Saved || kind == Kind::AlreadyThere; }
};

// The result column's text: "Saved as Mar05.puz", "Already there: Mar05.puz",
// "Not a puzzle", the server's error text, the first sentence of a failure's
// message, and so on.
QString OutcomeText(const DownloadOutcome& outcome);
