#pragma once

#include <vector>

class CPuzzle;

// The words of the open puzzle as the solver moves between them. A word is
// the squares bound to its clue, which the reader sets, so words end wherever
// the puzzle says they do.

// The squares of the clue's word in grid order; empty for an unknown clue.
std::vector<int> WordCells(const CPuzzle& puzzle, int clue);

// The clue after (or before) the given one: the across clues, then the down
// clues, each in the order of the clue table, wrapping around at the end;
// clues without a square are passed over. From -1 forward it is the first
// clue, backward the last. -1 when no clue has a square.
int NextClue(const CPuzzle& puzzle, int clue, bool forward);

// The first empty square of the clue's word, or its first square when the
// word is full; -1 when the word has no square.
int FirstEmptyOrStart(const CPuzzle& puzzle, int clue);

// The first empty square of the clue's word after the given square; -1 when
// none follows it.
int NextEmptyAfter(const CPuzzle& puzzle, int clue, int cell);
