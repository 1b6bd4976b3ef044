#pragma once

#include "core/ipuz_json.h"
#include "core/text_block.h"
#include "core/word_runs.h"

#include <QByteArray>

#include <optional>
#include <string_view>
#include <vector>

struct PuzzleClue;
struct PuzzleContent;

// Reads the clue lists of an ipuz crossword and binds each across and down
// clue to its word. A clue is a text, a [number, text] pair or an object with
// "number", "clue", "enumeration" and "cells". A clue whose object names its
// cells gets exactly those (counted from 1 as the format says, or from 0
// when the file's positions fit the grid that way); else it gets the word
// whose first square carries its number (the file's own numbers, or the
// usual numbering when the file gives none); a clue without a number takes
// the next word in order. Lists other than across and down are kept with
// their titles, each clue with the squares its object names.
class CIpuzClues {
public:
    CIpuzClues(const IpuzJson::TopLevel& top, PuzzleContent& content);

    void Read();

private:
    // A clue's number as the file writes it, blanks around it dropped; a
    // number written as a JSON number is put into the buffer. Never copied,
    // as the text may point into the buffer.
    struct Number {
        Number() = default;
        Number(const Number&) = delete;
        Number& operator=(const Number&) = delete;
        char buffer[24];
        std::string_view text;
    };
    // What a clue gives besides its record: its number and the cells it names.
    struct Parts {
        Number number;
        std::optional<simdjson::dom::element> cells;
    };

    void ReadList(const simdjson::dom::element& list, bool across);
    void ReadOtherList(const simdjson::dom::element& list, std::string_view name);
    PuzzleClue ReadClue(const simdjson::dom::element& clue, Parts* parts);
    QByteArray ClueText(std::optional<simdjson::dom::element> text);
    void BindClue(const Parts& parts, bool across, qint32 index, PuzzleClue& record);
    bool BindCells(const simdjson::dom::element& cells, bool across, qint32 index);
    int RunStartingAt(std::string_view number, bool across) const;
    int CellOrigin();
    void IndexRuns();

    const IpuzJson::TopLevel& top_;
    PuzzleContent& content_;
    bool showEnumerations_ = false;
    CTextBlock texts_;
    std::vector<WordRun> runs_;
    // Per square: the runs that start there across and down (-1 for none).
    std::vector<qint32> acrossRunAt_;
    std::vector<qint32> downRunAt_;
    // The square that carries each number up to the square count (-1 for
    // none); numbers that are no such decimal are looked up one by one.
    std::vector<qint32> squareOfNumber_;
    bool fileNumbers_ = false;
    std::vector<qint32> usualNumbers_;
    simdjson::dom::object lists_;
    // Where the clues' cell positions count from: 0 or 1, -1 until needed.
    int cellOrigin_ = -1;
    // The next run a clue without a number takes.
    size_t nextRun_[2] = {0, 0};
};
