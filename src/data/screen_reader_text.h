#pragma once

#include <QString>

class CPuzzle;
struct ClueListItem;

// What a screen reader says about the program's hand-drawn parts, apart
// from any window so that it can be checked without a display.
namespace ScreenReaderText {

// A square as a sighted solver sees it: its letters or "blank" (with
// "pencil", and "wrong" when wrong letters are shown), its number, "circled",
// "shaded", "given"; "black square" for a block and "no square" for a void.
QString SquareName(const CPuzzle& puzzle, int cell, bool showWrong);

// The word of a clue with its letters as they stand:
// "12 Across, Capital of Peru, 4 letters: L, blank, M, A".
QString WordDescription(const CPuzzle& puzzle, int clue);

// The clue whose word the square belongs to in the cursor's direction, or in
// the other one when it has no word that way; -1 for none.
int WordOfSquare(const CPuzzle& puzzle, int cell);

// A row of the All Clues lists: its clue text, then "solved" when its word
// was filled.
QString ClueRowName(const ClueListItem& item);

// An on-screen keyboard key by the character it produces: the letter, or
// "Backspace", "Change keyboard size", "Hide keyboard".
QString KeyboardKeyName(char key);

// A colour (0x00BBGGRR) by its parts: "red 255, green 128, blue 0".
QString ColorText(quint32 colorRef);

// A label's text as a name: without its mnemonic marker and closing colon.
QString NameFromLabel(const QString& label);

} // namespace ScreenReaderText
