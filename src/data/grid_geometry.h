#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class CPuzzle;

// A rectangle with exclusive right and bottom edges, the convention all of the
// grid's pixel arithmetic is written in.
struct GridRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    static GridRect FromSize(QSize size) { return {0, 0, size.width(), size.height()}; }
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    GridRect Inset(int n) const { return {left + n, top + n, right - n, bottom - n}; }
    bool Contains(QPoint p) const { return p.x() >= left && p.x() < right && p.y() >= top && p.y() < bottom; }
    bool Intersects(const GridRect& o) const
    {
        return left < o.right && o.left < right && top < o.bottom && o.top < bottom;
    }
    QRect ToQRect() const { return QRect(left, top, right - left, bottom - top); }
    bool operator==(const GridRect&) const = default;
};

// Where a grid that fits is centred (offX, offY) and how far a scrolled one is
// moved (hOffset = hPos - 1, vOffset = vPos - 1).
struct GridOrigin {
    int offX = 0;
    int offY = 0;
    int hOffset = -1;
    int vOffset = -1;
};

// Placement and range of one of the view's scroll bars.
struct ScrollBarPlan {
    GridRect rect;
    bool visible = false;
    int page = 0;
    int line = 1;
    int max = 0;
    int pos = 0;
};

// The window-free geometry of the grid view: pixel size, centring, scrolling
// needs, scroll bar ranges, cell rectangles and hit tests. The grid view keeps
// one and feeds it the cell side, the puzzle's size and the client size.
class GridGeometry {
public:
    // Cell side and letter height for the cell-size setting (0 Small, 1 Medium, 2 Large).
    static int CellSide(int cellSize);
    static int LetterHeight(int cellSize);

    void SetGrid(int columns, int rows, bool loaded);
    void SetCellSide(int side) { side_ = side; }
    void SetShowBars(bool show) { show_ = show; }
    void SetBarThickness(int thickness) { thickness_ = thickness; }

    int Columns() const { return columns_; }
    int Rows() const { return rows_; }
    int Side() const { return side_; }
    int Pitch() const { return side_ - 1; }
    bool ShowBars() const { return show_; }
    bool HScrollable() const { return hScrollable_; }
    bool VScrollable() const { return vScrollable_; }

    // Pixel size of the grid: neighbouring cells share their border line.
    QSize GetGridSize() const;
    // Decides which axes scroll for the given client size.
    void RecalcScrollNeeds(QSize client);
    // Where each bar goes and its range, keeping the current position unless
    // it lies past the end of the new range.
    ScrollBarPlan HorizontalBar(QSize client, int pos) const;
    ScrollBarPlan VerticalBar(QSize client, int pos) const;

    // Centring offsets and scroll offsets for the content rectangle r; with
    // inset, r is first shrunk by 1. When bars are shown, r loses their strips.
    GridOrigin GetGridOrigin(GridRect& r, bool inset, int hPos, int vPos) const;
    // The grid's outer rectangle in window coordinates for the content
    // rectangle and the origin GetGridOrigin gave for it.
    GridRect GridOnScreen(const GridRect& content, const GridOrigin& origin) const;
    // A cell's rectangle in grid coordinates, border lines included.
    GridRect CellRect(int index) const;
    // The cell a tap at the client point hits, or -1 outside the grid.
    int CellAt(QSize client, QPoint point, int hPos, int vPos) const;

    // The rectangle of a cell (index -1: the current cell) or, with word, of
    // the current cell's whole word; a scrollable axis is clipped to the bar's
    // range 0 .. max - 1.
    GridRect GetCellRect(const CPuzzle& puzzle, bool word, int index, int hMax, int vMax) const;
    // The scroll positions that show the current cell, or with word first the
    // current word and then the cell.
    QPoint EnsureVisible(const CPuzzle& puzzle, bool word, QSize client, QPoint pos, int hMax,
                         int vMax) const;

    // One axis of EnsureVisible: the position that brings [start, end) into the
    // visible span of the given length; alignStart puts start at the visible start.
    static int ScrollToShow(int pos, int visibleLength, int start, int end, bool alignStart);

private:
    int columns_ = 0;
    int rows_ = 0;
    bool loaded_ = false;
    int side_ = 25;
    bool show_ = false;
    int thickness_ = 13;
    bool hScrollable_ = false;
    bool vScrollable_ = false;
};
