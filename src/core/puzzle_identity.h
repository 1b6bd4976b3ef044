#pragma once

#include <QByteArray>

// What a puzzle file is apart from the solver's progress in it, so that a
// download can tell a puzzle it already has from a new one, and a file with
// progress from an untouched one.
struct PuzzleIdentity {
    bool readable = false;  // the bytes open as a puzzle
    bool hasProgress = false; // entries, or time spent on it
    QByteArray fingerprint; // grid, solution, clues and texts; equal for the same puzzle
};

// Reads a file's content (packed or plain) with the model's readers, without
// writing anything and without a message.
PuzzleIdentity IdentifyPuzzle(const QByteArray& fileContent);
