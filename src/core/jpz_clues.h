#pragma once

#include <QByteArray>

#include <string_view>
#include <unordered_map>
#include <vector>

class CJpzDocument;
struct PuzzleClue;
struct PuzzleContent;
namespace pugi {
class xml_node;
}

// Reads the words and clue lists of a jpz crossword. Each clue is bound to
// the squares of the word it names ("word"), as the file lists them (ranges
// such as x="1-5" y="3", or "cells" children); its enumeration ("format")
// follows its text. The lists titled Across and Down (or, when no list is
// titled so, the first two lists) bind their clues across and down; other
// lists are kept with their titles.
class CJpzClues {
public:
    CJpzClues(const CJpzDocument& document, PuzzleContent& content);

    void Read();

private:
    void ReadWords();
    void AddRange(pugi::xml_node range, std::vector<qint32>& squares);
    void ReadList(pugi::xml_node list, bool across);
    void ReadOtherList(pugi::xml_node list);
    PuzzleClue ReadClue(pugi::xml_node clue, std::string_view* word) const;
    void Bind(std::string_view word, bool across, qint32 clue);

    const CJpzDocument& document_;
    PuzzleContent& content_;
    // The squares of each word, by the word's id.
    std::unordered_map<std::string_view, std::vector<qint32>> words_;
    // What the words may still hold, and the clues still bind.
    size_t squaresLeft_ = 0;
    size_t bindingsLeft_ = 0;
};
