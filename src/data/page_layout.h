#pragma once

#include <QRectF>
#include <QString>

#include <vector>

// One clue as printed: its number and its text (the enumeration already after it).
struct PageClue {
    QString number;
    QString text;
};

// A list of clues under its heading ("Across", "Down", or a list of its own).
struct PageClueList {
    QString heading;
    std::vector<PageClue> clues;
};

// What a printed puzzle is made of: the information texts, the grid's size in
// squares and the clue lists in the order they are printed.
struct PageContent {
    QString title;
    QString author;
    QString copyright;
    int columns = 0;
    int rows = 0;
    std::vector<PageClueList> lists;
};

// How tall the texts are when set in a given width; the printing code
// answers with its fonts, tests with simple rules. Heights include the space
// the text wants below it.
class PageTextMeasure {
public:
    virtual ~PageTextMeasure() = default;
    virtual qreal HeaderHeight(const PageContent& content, qreal width) const = 0;
    virtual qreal HeadingHeight(const QString& heading, qreal width) const = 0;
    virtual qreal ClueHeight(const PageClue& clue, qreal width) const = 0;
};

// A heading (clue -1) or a clue of list `list`, and where it is printed.
struct PlacedText {
    int list = 0;
    int clue = -1;
    QRectF rect;
};

// One sheet: the header and the grid (on the first page only; empty rectangles
// elsewhere) and the texts in their columns.
struct PrintedPage {
    QRectF header;
    QRectF grid;
    std::vector<PlacedText> texts;
};

// Distances of the layout, in the unit of the printable rectangle (points).
struct PageLayoutMetrics {
    qreal columnGap = 12;
    qreal minColumnWidth = 110;
    qreal sectionGap = 10;
    // A grid is not made smaller than squares of this side to fit the clues
    // on one page; more pages are printed instead.
    qreal minCellSide = 16;
    // The share of the page's height below the header the grid may take.
    qreal maxGridShare = 0.62;
};

// Lays the puzzle out on pages of the printable rectangle: the header at the
// top of the first page, the grid as large as lets every clue fit on that
// page at its top right (or across the whole width when there is room for a
// single column only), the clues in columns beside and below it. A clue is
// never split between columns, and a heading stays with its first clue.
// Further pages, clue columns only, follow when the clues do not fit.
std::vector<PrintedPage> LayOutPages(const PageContent& content, const QRectF& printable,
                                     const PageTextMeasure& measure, const PageLayoutMetrics& metrics = {});
