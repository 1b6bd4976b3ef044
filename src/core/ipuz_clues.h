#pragma once

#include "core/word_runs.h"

#include <QByteArray>

#include <string_view>
#include <vector>

namespace simdjson::dom {
class element;
}

struct PuzzleClue;
struct PuzzleContent;

// Reads the clue lists of an ipuz crossword and binds each across and down
// clue to its word. A clue is a text, a [number, text] pair or an object with
// "number", "clue", "enumeration" and "cells". A clue whose object names its
// cells gets exactly those; else it gets the word whose first square carries
// its number (the file's own numbers, or the usual numbering when the file
// gives none); a clue without a number takes the next word in order. Lists
// other than across and down are kept with their titles, each clue with the
// squares its object names.
class CIpuzClues {
public:
    CIpuzClues(const simdjson::dom::element& root, PuzzleContent& content);

    void Read();

private:
    void ReadList(const simdjson::dom::element& list, bool across);
    void ReadOtherList(const simdjson::dom::element& list, std::string_view name);
    PuzzleClue ReadClue(const simdjson::dom::element& clue, QByteArray* number) const;
    void BindClue(const simdjson::dom::element& clue, const QByteArray& number, bool across, qint32 index,
                  PuzzleClue& record);
    bool BindCells(const simdjson::dom::element& clue, bool across, qint32 index);
    int RunStartingAt(const QByteArray& number, bool across) const;
    void IndexRuns();

    const simdjson::dom::element& root_;
    PuzzleContent& content_;
    bool showEnumerations_ = false;
    std::vector<WordRun> runs_;
    // Per square: the runs that start there across and down (-1 for none).
    std::vector<qint32> acrossRunAt_;
    std::vector<qint32> downRunAt_;
    // The square that carries each number up to the square count (-1 for
    // none); numbers that are no such decimal are looked up one by one.
    std::vector<qint32> squareOfNumber_;
    bool fileNumbers_ = false;
    std::vector<qint32> usualNumbers_;
    // The next run a clue without a number takes.
    size_t nextRun_[2] = {0, 0};
};
