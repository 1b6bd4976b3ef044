#include "core/jpz_clues.h"

#include "core/jpz_document.h"
#include "core/puzzle_content.h"

#include <QByteArrayView>

namespace {

struct Range {
    long long first = 0;
    long long last = -1;
};

// "3" or "1-5" (also counted down, "5-1"); an empty range for anything else.
Range ParseRange(std::string_view text)
{
    const size_t dash = text.find('-', 1);
    if (dash == std::string_view::npos) {
        const long long single = CJpzDocument::Number(text, -1);
        return single < 0 ? Range{} : Range{single, single};
    }
    const long long first = CJpzDocument::Number(text.substr(0, dash), -1);
    const long long last = CJpzDocument::Number(text.substr(dash + 1), -1);
    return first < 0 || last < 0 ? Range{} : Range{first, last};
}

// Calls visit for each position of the range that lies from 1 to size, in
// the range's order, while it returns true; false when it returned false.
template <typename Visit>
bool ForEachPosition(Range range, int size, Visit visit)
{
    if (range.last < 0)
        return true;
    const int step = range.first <= range.last ? 1 : -1;
    const long long low = std::max<long long>(1, std::min(range.first, range.last));
    const long long high = std::min<long long>(size, std::max(range.first, range.last));
    for (long long at = step > 0 ? low : high; at >= low && at <= high; at += step) {
        if (!visit(int(at)))
            return false;
    }
    return true;
}

bool IsTitled(const QByteArray& title, QByteArrayView name)
{
    return title.trimmed().compare(name, Qt::CaseInsensitive) == 0;
}

} // namespace

CJpzClues::CJpzClues(const CJpzDocument& document, PuzzleContent& content) : document_(document), content_(content) {}

void CJpzClues::Read()
{
    ReadWords();
    std::vector<pugi::xml_node> lists;
    std::vector<QByteArray> titles;
    for (pugi::xml_node node = document_.Crossword().first_child(); node; node = node.next_sibling()) {
        if (node.type() == pugi::node_element && CJpzDocument::IsNamed(node, "clues")) {
            lists.push_back(node);
            titles.push_back(CJpzDocument::Text(CJpzDocument::Child(node, "title"), true));
        }
    }
    int across = -1;
    int down = -1;
    for (size_t k = 0; k < lists.size(); ++k) {
        if (across < 0 && IsTitled(titles[k], "across"))
            across = int(k);
        else if (down < 0 && IsTitled(titles[k], "down"))
            down = int(k);
    }
    if (across < 0 && down < 0 && lists.size() >= 2) {
        across = 0;
        down = 1;
    }
    if (across >= 0)
        ReadList(lists[size_t(across)], true);
    content_.acrossCount = qint32(content_.clues.size());
    if (down >= 0)
        ReadList(lists[size_t(down)], false);
    content_.downCount = qint32(content_.clues.size()) - content_.acrossCount;
    for (size_t k = 0; k < lists.size(); ++k) {
        if (int(k) != across && int(k) != down)
            ReadOtherList(lists[k]);
    }
}

// A grid's words hold each square twice at most (across and down); the
// squares of all words together stay within a few times the grid, so a
// file of huge ranges cannot take the memory.
void CJpzClues::ReadWords()
{
    squaresLeft_ = 4 * content_.cells.size();
    bindingsLeft_ = squaresLeft_;
    for (pugi::xml_node word = document_.Crossword().first_child(); word; word = word.next_sibling()) {
        if (word.type() != pugi::node_element || !CJpzDocument::IsNamed(word, "word"))
            continue;
        const std::string_view id = word.attribute("id").value();
        if (words_.count(id) != 0)
            continue;
        std::vector<qint32>& squares = words_[id];
        AddRange(word, squares);
        for (pugi::xml_node cells = word.first_child(); cells; cells = cells.next_sibling()) {
            if (cells.type() == pugi::node_element && CJpzDocument::IsNamed(cells, "cells"))
                AddRange(cells, squares);
        }
    }
}

// The squares of the x and y ranges of an element.
void CJpzClues::AddRange(pugi::xml_node range, std::vector<qint32>& squares)
{
    const int width = content_.width;
    const Range columns = ParseRange(range.attribute("x").value());
    ForEachPosition(ParseRange(range.attribute("y").value()), content_.height, [&](int row) {
        return ForEachPosition(columns, width, [&](int column) {
            if (squaresLeft_ == 0)
                return false;
            --squaresLeft_;
            squares.push_back(qint32((row - 1) * width + column - 1));
            return true;
        });
    });
}

void CJpzClues::ReadList(pugi::xml_node list, bool across)
{
    for (pugi::xml_node clue = list.first_child(); clue; clue = clue.next_sibling()) {
        if (clue.type() != pugi::node_element || !CJpzDocument::IsNamed(clue, "clue"))
            continue;
        std::string_view word;
        PuzzleClue record = ReadClue(clue, &word);
        record.isAcross = across ? 1 : 0;
        const qint32 index = qint32(content_.clues.size());
        content_.clues.push_back(std::move(record));
        Bind(word, across, index);
    }
}

void CJpzClues::ReadOtherList(pugi::xml_node list)
{
    ClueList kept;
    kept.title = CJpzDocument::Text(CJpzDocument::Child(list, "title"), true);
    for (pugi::xml_node clue = list.first_child(); clue; clue = clue.next_sibling()) {
        std::string_view word;
        if (clue.type() == pugi::node_element && CJpzDocument::IsNamed(clue, "clue"))
            kept.clues.push_back(ReadClue(clue, &word));
    }
    content_.otherLists.push_back(std::move(kept));
}

PuzzleClue CJpzClues::ReadClue(pugi::xml_node clue, std::string_view* word) const
{
    PuzzleClue record;
    record.text = CJpzDocument::Text(clue, true);
    record.number = LeadingClueNumber(clue.attribute("number").value());
    record.enumeration = QByteArray(clue.attribute("format").value()).trimmed();
    if (!record.enumeration.isEmpty())
        record.text += " (" + record.enumeration + ")";
    *word = clue.attribute("word").value();
    return record;
}

// Only letter squares take the clue; a word that names none binds nothing.
// Many clues naming one huge word bind it only while the squares they bind
// together stay within the same few times the grid as the words.
void CJpzClues::Bind(std::string_view word, bool across, qint32 clue)
{
    const auto found = words_.find(word);
    if (found == words_.end() || found->second.size() > bindingsLeft_)
        return;
    bindingsLeft_ -= found->second.size();
    for (const qint32 square : found->second) {
        PuzzleCell& cell = content_.cells[size_t(square)];
        if (cell.solution != ' ')
            (across ? cell.acrossClue : cell.downClue) = clue;
    }
}
