#pragma once

#include "core/cell_style.h"
#include "core/cell_texts.h"
#include "core/puz_sections.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QtGlobal>

#include <algorithm>
#include <vector>

// Upper-cases an ASCII letter and leaves every other byte as it is; puzzle
// letters are compared byte for byte, so the process locale must not matter.
inline char UpperCaseLetter(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// The text with each of its ASCII letters upper-cased.
inline QByteArray UpperCaseLetters(QByteArray text)
{
    for (char& c : text)
        c = UpperCaseLetter(c);
    return text;
}

// The leading decimal digits of a clue's number as a number (blanks before
// them skipped); 0 for none. Digits past a million are not read.
inline qint32 LeadingClueNumber(QByteArrayView number)
{
    constexpr qint32 kLargest = 1'000'000;
    qsizetype at = 0;
    while (at < number.size() && number[at] == ' ')
        ++at;
    qint32 value = 0;
    for (; at < number.size() && number[at] >= '0' && number[at] <= '9' && value <= kLargest; ++at)
        value = value * 10 + (number[at] - '0');
    return value;
}

// The solution letter of a square whose answer the file does not give.
inline constexpr char kUnknownSolution = '?';

// One grid square. A space as solution marks a black square, a space as entry
// an empty cell.
struct PuzzleCell {
    qint32 acrossClue = -1;
    qint32 downClue = -1;
    char solution = ' ';
    char entry = ' ';

    // The word of the across or the down direction the square belongs to.
    qint32& WordOf(bool across) { return across ? acrossClue : downClue; }
    qint32 WordOf(bool across) const { return across ? acrossClue : downClue; }
};

// One clue. The text is the puzzle file's 8-bit bytes; a null QByteArray
// stands for an absent text. The enumeration (the answer's word lengths, such
// as "3,4") is kept apart; a reader that shows it has already put it after the
// text.
struct PuzzleClue {
    QByteArray text;
    qint32 number = 0;
    quint8 isAcross = 0;
    QByteArray enumeration;
};

// A list of clues that is neither across nor down (such as "Diagonal" or a
// hidden theme), kept with its own title. Its clues bind no squares of the
// grid's words: each keeps the letter squares it names itself, in the order
// the file gives them, and the number or label the file puts before it.
struct ClueList {
    QByteArray title;
    std::vector<PuzzleClue> clues;
    // By clue, beside clues; a reader that stores none leaves them empty.
    std::vector<QByteArray> labels;
    std::vector<std::vector<qint32>> squares;

    // Appends a clue with its label and the letter squares it names.
    void Add(PuzzleClue clue, QByteArray label, std::vector<qint32> named)
    {
        labels.resize(clues.size());
        squares.resize(clues.size());
        clues.push_back(std::move(clue));
        labels.push_back(std::move(label));
        squares.push_back(std::move(named));
    }

    QByteArray LabelOf(size_t clue) const { return clue < labels.size() ? labels[clue] : QByteArray(); }
    const std::vector<qint32>& SquaresOf(size_t clue) const
    {
        static const std::vector<qint32> none;
        return clue < squares.size() ? squares[clue] : none;
    }

    // A list is shown with the grid's clues when its clues name squares;
    // one that names none is only kept.
    bool NamesSquares() const
    {
        return std::any_of(squares.begin(), squares.end(), [](const auto& named) { return !named.empty(); });
    }
};

// The solver's time on a puzzle: seconds, and whether the clock was stopped.
struct SolvingTime {
    qint32 seconds = 0;
    bool stopped = false;

    bool operator==(const SolvingTime&) const = default;
};

// What a reader takes out of a puzzle file: the grid, the clue table, the
// information texts and the counters. The model keeps one of these for the
// open puzzle; a failed read leaves nothing behind because the model drops it.
struct PuzzleContent {
    std::vector<PuzzleCell> cells;
    std::vector<PuzzleClue> clues;
    QByteArray title;
    QByteArray author;
    QByteArray copyright;
    // Binary puzzle from version 1.3 on: the text after the clues.
    QByteArray notes;
    // Binary puzzle from version 2.0 on: the texts are UTF-8, else Windows-1252.
    bool utf8 = false;
    quint8 width = 0;
    quint8 height = 0;
    qint32 acrossCount = 0;
    qint32 downCount = 0;
    qint32 letterCount = 0;
    qint32 filledCount = 0;
    bool scrambled = false;
    // Binary puzzle: position of the marker "ACROSS&DOWN"; -1 when not found.
    qint64 headerOffset = -1;
    // Document: position of the first character of the stored entries.
    qint64 progressOffset = -1;

    // Binary puzzle extras; empty when the file has none. markup holds each
    // square's flag bits (0x80: circled); rebusAnswers the whole answer of the
    // squares that take several letters, rebusEntries the solver's
    // several-letter entries.
    std::vector<quint8> markup;
    CellTexts rebusAnswers;
    CellTexts rebusEntries;
    SolvingTime time;
    // Binary puzzle: whether the file had a readable timer, and the time it held.
    bool hasStoredTime = false;
    SolvingTime storedTime;
    // Binary puzzle: whether a NUL-terminated notes string follows the clues,
    // where the sections begin, and the sections themselves.
    bool hasNotesString = false;
    qint64 sectionsOffset = -1;
    CPuzSections sections;

    // What formats beyond the binary one add to a square: its look (void,
    // given letter, bars, shading; empty when no square has any) and the
    // number or label the file prints in it (empty when the file numbers
    // nothing itself).
    std::vector<CellStyle> styles;
    CellTexts labels;
    // False when the file comes without the letters of its solution: the
    // letter squares then hold kUnknownSolution, and nothing can be checked.
    bool hasSolution = true;
    // Clue lists other than across and down, and other information texts
    // (publisher, date, introduction) already joined into notes.
    std::vector<ClueList> otherLists;
    // ipuz: the text that marks a block square, written back in the saved grid.
    QByteArray blockText;
    // The squares whose entry was written in pencil (nonzero), by square;
    // empty while no square holds a pencil letter.
    std::vector<quint8> pencil;
    // Document: position of the first character of the stored pencil marks;
    // -1 while the document has none.
    qint64 pencilOffset = -1;

    // Whether the square holds a letter the file gives, or is no part of the
    // grid; false for every square while no square has a look of its own.
    bool IsGiven(size_t index) const { return index < styles.size() && styles[index].IsGiven(); }
    bool IsVoid(size_t index) const { return index < styles.size() && styles[index].IsVoid(); }
    // Whether the square's letter is pencilled.
    bool IsPencil(size_t index) const { return index < pencil.size() && pencil[index] != 0; }
    bool HasPencil() const
    {
        return std::any_of(pencil.begin(), pencil.end(), [](quint8 flag) { return flag != 0; });
    }
    // Marks the square's letter as pencilled; the marks are made on first use.
    void MarkPencil(size_t index)
    {
        if (pencil.empty())
            pencil.assign(cells.size(), 0);
        pencil[index] = 1;
    }

    // Sets letterCount and filledCount from the cells, for the filled and
    // solved tests.
    void CountLetters()
    {
        letterCount = 0;
        filledCount = 0;
        for (const PuzzleCell& cell : cells) {
            if (cell.solution != ' ')
                ++letterCount;
            if (cell.entry != ' ')
                ++filledCount;
        }
    }
};
