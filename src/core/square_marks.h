#pragma once

#include "core/puzzle_content.h"

#include <QtGlobal>

#include <string_view>

// What the readers of formats beyond the binary one set on single squares
// alike: letters, look, circles and bars, kept in the content.
namespace SquareMarks {

// The square's style, making room for every square's style first.
CellStyle& StyleAt(PuzzleContent& content, int index);
void SetCircled(PuzzleContent& content, int index);
// "RRGGBB", with or without "#", as a shading colour; 0 for anything else.
quint32 ShadeFromText(std::string_view text);
// A bar between two squares belongs to both, whichever of them the file put
// it on; a bar on the grid's edge or beside a void square ends nothing and
// is drawn all the same.
void MirrorBars(PuzzleContent& content);
// SetLetters for a text of several letters.
void SetSeveralLetters(std::string_view text, char* letter, CellTexts& several, int index);
// The letters upper-cased: one letter is the square's letter, several are
// its whole text as well (a rebus). text is not empty. Most squares hold one
// letter, which needs no copy.
inline void SetLetters(std::string_view text, char* letter, CellTexts& several, int index)
{
    if (text.size() == 1)
        *letter = UpperCaseLetter(text[0]);
    else
        SetSeveralLetters(text, letter, several, index);
}
// Letters of a partial solution cannot be trusted to check with: every
// letter square but the given ones gets the unknown solution.
void ForgetSolution(PuzzleContent& content);

} // namespace SquareMarks
