#pragma once

// How the solver likes to work at a desk, kept in the desktop settings file
// across starts. The defaults keep the grid as it always behaved, except for
// the numbers in the squares, which every printed crossword shows.
struct SolvingOptions {
    // Each word's number in the top-left corner of its first square, at the
    // cell sizes where it fits.
    bool numbersInSquares = true;
    // Letters typed now are pencil letters.
    bool pencil = false;
    // Wrong letters are always shown in the wrong-letter colour.
    bool checkAsYouType = false;
    // After a letter the cursor goes to the next empty square of the word.
    bool skipFilledSquares = false;

    bool operator==(const SolvingOptions&) const = default;
};

// The stored options; defaults for what was never stored.
SolvingOptions LoadSolvingOptions();
void SaveSolvingOptions(const SolvingOptions& options);
