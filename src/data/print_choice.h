#pragma once

// What a printed grid shows in its squares, and whether black squares are
// hatched to save ink.
enum class PrintedLetters { None, Entries, Solution };

struct PrintChoice {
    PrintedLetters letters = PrintedLetters::None;
    bool saveInk = false;
};

// The choice last made in the print and export dialogs, kept in the desktop
// settings; a blank grid in black for what was never stored.
PrintChoice LoadPrintChoice();
void SavePrintChoice(const PrintChoice& choice);
