#pragma once

#include <QString>

// The puzzle documents installed beside the program. On the first start after
// an installation they go into the user's puzzle folder: moved when the
// program folder can be written, copied when it cannot (a system-wide
// installation), so that every user gets them. A marker file outside the
// settings remembers which installation was already handled.
class ShippedPuzzles {
public:
    // Auto moves when the program folder can be written and copies otherwise.
    enum class Transfer { Auto, Move, Copy };

    // programFile is the installed program: its folder holds the shipped
    // documents, and its path and modification time identify the installation.
    ShippedPuzzles(const QString& programFile, const QString& puzzleFolder,
                   const QString& markerFile = DefaultMarkerFile());

    // $XDG_DATA_HOME/gridmoor/installation
    static QString DefaultMarkerFile();

    // True when the marker does not name this installation.
    bool IsFirstStart() const;
    // On the first start after an installation, moves or copies every "*.gmd"
    // of the program folder into the puzzle folder (never replacing a file
    // already there) and records the installation. Returns whether it ran.
    bool MigrateOnFirstStart(Transfer transfer = Transfer::Auto);

private:
    QString InstallationStamp() const;
    void TransferShippedFiles(Transfer transfer) const;
    void WriteMarker() const;

    QString programFile_;
    QString puzzleFolder_;
    QString markerFile_;
};
