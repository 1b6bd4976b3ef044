#include "data/page_layout.h"

#include <algorithm>

namespace {

// Each step down tries squares this much smaller.
constexpr qreal kShrinkStep = 0.95;

struct FlowItem {
    int list = 0;
    int clue = -1;
    qreal height = 0;
};

// The texts in print order, each measured at the column width.
std::vector<FlowItem> MeasureItems(const PageContent& content, qreal width, const PageTextMeasure& measure)
{
    std::vector<FlowItem> items;
    for (int list = 0; list < int(content.lists.size()); ++list) {
        const PageClueList& clues = content.lists[std::size_t(list)];
        if (clues.clues.empty())
            continue;
        items.push_back({list, -1, measure.HeadingHeight(clues.heading, width)});
        for (int clue = 0; clue < int(clues.clues.size()); ++clue)
            items.push_back({list, clue, measure.ClueHeight(clues.clues[std::size_t(clue)], width)});
    }
    return items;
}

// Fills the columns in order from item `next` on; returns the first item left
// over. A heading moves on with its first clue; an item taller than a whole
// column is put alone at the top of one, so the flow always moves on.
std::size_t Flow(const std::vector<FlowItem>& items, std::size_t next, const std::vector<QRectF>& columns,
                 std::vector<PlacedText>* placed)
{
    for (const QRectF& column : columns) {
        qreal y = column.top();
        while (next < items.size()) {
            const std::size_t count = items[next].clue < 0 && next + 1 < items.size() ? 2 : 1;
            qreal needed = 0;
            for (std::size_t i = next; i < next + count; ++i)
                needed += items[i].height;
            if (y + needed > column.bottom() && y > column.top())
                break;
            for (const std::size_t end = next + count; next < end; ++next) {
                const FlowItem& item = items[next];
                if (placed != nullptr)
                    placed->push_back({item.list, item.clue, QRectF(column.left(), y, column.width(), item.height)});
                y += item.height;
            }
        }
    }
    return next;
}

struct Frame {
    QRectF printable;
    qreal bodyTop = 0;
    int columnCount = 1;
    qreal columnWidth = 0;
    qreal gap = 0;

    qreal ColumnLeft(int column) const { return printable.left() + column * (columnWidth + gap); }
    QRectF Column(int column, qreal top) const
    {
        return QRectF(ColumnLeft(column), top, columnWidth, std::max<qreal>(printable.bottom() - top, 0));
    }
};

// A grid of the given square side at the top right over the last `span`
// columns, and the first page's clue columns around it.
struct GridChoice {
    int span = 1;
    qreal side = 0;
};

QRectF GridRect(const Frame& frame, const PageContent& content, const GridChoice& choice)
{
    const qreal width = choice.side * content.columns;
    const qreal right = frame.printable.right();
    return QRectF(right - width, frame.bodyTop, width, choice.side * content.rows);
}

std::vector<QRectF> FirstPageColumns(const Frame& frame, const QRectF& grid, int span, qreal sectionGap)
{
    std::vector<QRectF> columns;
    const int besideGrid = frame.columnCount - span;
    for (int column = 0; column < frame.columnCount; ++column) {
        const qreal top = column < besideGrid ? frame.bodyTop : grid.bottom() + sectionGap;
        columns.push_back(frame.Column(column, top));
    }
    return columns;
}

// Every grid worth trying, largest squares first: for each span, the largest
// grid it holds, then smaller ones down to the smallest square allowed. A
// page with room for a single column has the grid above the clues.
std::vector<GridChoice> GridChoices(const Frame& frame, const PageContent& content, const PageLayoutMetrics& metrics)
{
    std::vector<GridChoice> choices;
    const qreal maxHeight = (frame.printable.bottom() - frame.bodyTop) * metrics.maxGridShare;
    const int widestSpan = frame.columnCount == 1 ? 1 : frame.columnCount - 1;
    for (int span = widestSpan; span >= 1; --span) {
        const qreal spanWidth = span * frame.columnWidth + (span - 1) * frame.gap;
        const qreal largest = std::min(spanWidth / content.columns, maxHeight / content.rows);
        if (largest <= 0) {
            choices.push_back({span, 0});
            continue;
        }
        const qreal smallest = std::min(largest, metrics.minCellSide);
        for (qreal side = largest; side >= smallest; side *= kShrinkStep)
            choices.push_back({span, side});
        if (choices.empty() || choices.back().side > smallest)
            choices.push_back({span, smallest});
    }
    std::stable_sort(choices.begin(), choices.end(),
                     [](const GridChoice& a, const GridChoice& b) { return a.side > b.side; });
    return choices;
}

} // namespace

std::vector<PrintedPage> LayOutPages(const PageContent& content, const QRectF& printable,
                                     const PageTextMeasure& measure, const PageLayoutMetrics& metrics)
{
    Frame frame;
    frame.printable = printable;
    frame.gap = metrics.columnGap;
    frame.columnCount = std::max(1, int((printable.width() + frame.gap) / (metrics.minColumnWidth + frame.gap)));
    frame.columnWidth = (printable.width() - (frame.columnCount - 1) * frame.gap) / frame.columnCount;
    PrintedPage first;
    const qreal headerHeight = measure.HeaderHeight(content, printable.width());
    first.header = QRectF(printable.left(), printable.top(), printable.width(), headerHeight);
    frame.bodyTop = printable.top() + headerHeight + (headerHeight > 0 ? metrics.sectionGap : 0);

    const std::vector<FlowItem> items = MeasureItems(content, frame.columnWidth, measure);
    std::vector<PrintedPage> pages;
    if (content.columns <= 0 || content.rows <= 0) {
        Flow(items, 0, FirstPageColumns(frame, QRectF(), 0, 0), &first.texts);
        pages.push_back(first);
        return pages;
    }
    const std::vector<GridChoice> choices = GridChoices(frame, content, metrics);
    GridChoice chosen = choices.front();
    for (const GridChoice& choice : choices) {
        const QRectF grid = GridRect(frame, content, choice);
        if (Flow(items, 0, FirstPageColumns(frame, grid, choice.span, metrics.sectionGap), nullptr) == items.size()) {
            chosen = choice;
            break;
        }
    }
    first.grid = GridRect(frame, content, chosen);
    std::size_t next =
        Flow(items, 0, FirstPageColumns(frame, first.grid, chosen.span, metrics.sectionGap), &first.texts);
    pages.push_back(first);
    while (next < items.size()) {
        std::vector<QRectF> columns;
        for (int column = 0; column < frame.columnCount; ++column)
            columns.push_back(frame.Column(column, printable.top()));
        PrintedPage page;
        next = Flow(items, next, columns, &page.texts);
        pages.push_back(page);
    }
    return pages;
}
