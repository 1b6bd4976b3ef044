#pragma once

#include <QByteArray>
#include <QList>

// One word of a test grid, found by the usual crossword numbering: cells row
// by row, a cell's across word before its down word, single letters unnumbered.
struct GridWord {
    int number = 0;
    bool across = true;
    int start = 0;   // cell index of the first letter
    int length = 0;
};

// The words of a grid given as rows of equal length; blackSquare marks the
// black squares.
QList<GridWord> FindGridWords(const QList<QByteArray>& rows, char blackSquare);

// Turns a pattern ("." black, anything else a letter) into a solution grid by
// writing the letters A to Z, in turn, into the letter cells.
QList<QByteArray> FillLetters(const QList<QByteArray>& pattern);
