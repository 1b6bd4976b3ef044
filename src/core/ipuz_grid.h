#pragma once

#include "core/ipuz_json.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <string_view>

struct PuzzleContent;

// Reads the grid of an ipuz crossword into the content: the squares of
// "puzzle" (blocks, void squares, numbers and labels, given letters, styles
// with circles, shading and bars), the letters of "solution" and the solver's
// letters of "saved". The content's width and height are set before.
class CIpuzGrid {
public:
    CIpuzGrid(const IpuzJson::TopLevel& top, PuzzleContent& content);

    // False, with the reason for the user, when "puzzle" is missing or smaller
    // than the dimensions say. Squares beyond the dimensions are ignored.
    bool ReadPuzzle(QString* error);
    // A solution of another size, or one that leaves a letter square without
    // its letter, makes the puzzle one without a solution.
    void ReadSolution();
    // Saved letters of another size are ignored.
    void ReadSaved();

private:
    // Defined in line where they are used, once for every square.
    inline void ReadSquare(const simdjson::dom::element& square, int index);
    inline void ReadNumberedSquare(int index, int64_t number);
    inline bool ReadLabel(int index, std::string_view text);
    void ReadOtherSquare(const simdjson::dom::element& square, int index);
    void ApplyStyle(const simdjson::dom::element& style, int index, int depth);
    void ApplyGiven(int index, std::string_view letters);
    bool IsBlockText(std::string_view text) const { return IpuzJson::SameText(text, blockView_); }
    bool IsEmptyText(std::string_view text) const { return text.empty() || IpuzJson::SameText(text, emptyView_); }

    const IpuzJson::TopLevel& top_;
    std::optional<simdjson::dom::element> styles_;
    PuzzleContent& content_;
    QByteArray block_;
    QByteArray empty_;
    // The two texts as compared with every square's text.
    std::string_view blockView_;
    std::string_view emptyView_;
    // The numbers written as the two texts, so that a square given as a
    // number is compared without writing it out.
    std::optional<int64_t> blockNumber_;
    std::optional<int64_t> emptyNumber_;
};
