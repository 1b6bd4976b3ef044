#include "data/grid_geometry.h"

#include "core/puzzle.h"

#include <algorithm>

namespace {
constexpr int kCellSides[] = {16, 25, 40};
constexpr int kLetterHeights[] = {16, 25, 45};

int SizeIndex(int cellSize)
{
    return std::clamp(cellSize, 0, 2);
}

// The position a bar keeps when its range changes: unchanged unless it lies
// past the last page, never below 0.
int KeepInRange(int pos, int extent, int length)
{
    if (pos > extent - length)
        pos = extent - length + 1;
    return std::max(pos, 0);
}
} // namespace

int GridGeometry::CellSide(int cellSize)
{
    return kCellSides[SizeIndex(cellSize)];
}

int GridGeometry::LetterHeight(int cellSize)
{
    return kLetterHeights[SizeIndex(cellSize)];
}

void GridGeometry::SetGrid(int columns, int rows, bool loaded)
{
    loaded_ = loaded && columns > 0 && rows > 0;
    columns_ = loaded_ ? columns : 0;
    rows_ = loaded_ ? rows : 0;
}

QSize GridGeometry::GetGridSize() const
{
    if (!loaded_)
        return QSize(0, 0);
    return QSize(Pitch() * columns_ + 1, Pitch() * rows_ + 1);
}

void GridGeometry::RecalcScrollNeeds(QSize client)
{
    if (!loaded_) {
        hScrollable_ = vScrollable_ = false;
        return;
    }
    const int usableWidth = client.width() - 2;
    const int usableHeight = client.height() - 2;
    const QSize grid = GetGridSize();
    hScrollable_ = usableWidth < grid.width() + 1;
    vScrollable_ = usableHeight < grid.height() + 1;
    if (!hScrollable_ && show_ && vScrollable_)
        hScrollable_ = usableWidth < grid.width() + thickness_ + 1;
    else if (!vScrollable_ && show_ && hScrollable_)
        vScrollable_ = usableHeight < grid.height() + thickness_ + 1;
}

ScrollBarPlan GridGeometry::HorizontalBar(QSize client, int pos) const
{
    const GridRect r = GridRect::FromSize(client).Inset(1);
    ScrollBarPlan plan;
    if (!hScrollable_)
        return plan;
    const int extent = GetGridSize().width() + (vScrollable_ && show_ ? thickness_ : 0) + 2;
    plan.rect = {r.left, r.bottom - thickness_, r.right - (vScrollable_ ? thickness_ : 0), r.bottom};
    plan.visible = show_;
    plan.page = std::min(extent, r.Width());
    plan.line = std::max(r.Width() / columns_ / 2, 1);
    plan.max = extent;
    plan.pos = KeepInRange(pos, extent, r.Width());
    return plan;
}

ScrollBarPlan GridGeometry::VerticalBar(QSize client, int pos) const
{
    const GridRect r = GridRect::FromSize(client).Inset(1);
    ScrollBarPlan plan;
    if (!vScrollable_)
        return plan;
    const int extent = GetGridSize().height() + (hScrollable_ && show_ ? thickness_ : 0) + 2;
    plan.rect = {r.right - thickness_, r.top, r.right, r.bottom - (hScrollable_ ? thickness_ : 0)};
    plan.visible = show_;
    plan.page = r.Height();
    plan.line = std::max(r.Height() / rows_ * 2, 1);
    plan.max = extent;
    plan.pos = KeepInRange(pos, extent, r.Height());
    return plan;
}

GridOrigin GridGeometry::GetGridOrigin(GridRect& r, bool inset, int hPos, int vPos) const
{
    if (inset)
        r = r.Inset(1);
    const int bh = hScrollable_ && show_ ? thickness_ + 1 : 0;
    const int bv = vScrollable_ && show_ ? thickness_ + 1 : 0;
    GridOrigin origin;
    origin.offY = vScrollable_ ? 0 : std::max((r.bottom - Pitch() * rows_ - r.top - bh) / 2, 0);
    origin.offX = hScrollable_ ? 0 : std::max((r.right - Pitch() * columns_ - r.left - bv) / 2, 0);
    if (show_) {
        r.bottom = r.bottom - bh + 1;
        r.right = r.right - bv + 1;
    }
    origin.hOffset = (hScrollable_ ? hPos : 0) - 1;
    origin.vOffset = (vScrollable_ ? vPos : 0) - 1;
    return origin;
}

GridRect GridGeometry::GridOnScreen(const GridRect& content, const GridOrigin& origin) const
{
    const int left = content.left - origin.hOffset + origin.offX;
    const int top = content.top - origin.vOffset + origin.offY;
    return {left, top, left + Pitch() * columns_ + 1, top + Pitch() * rows_ + 1};
}

GridRect GridGeometry::CellRect(int index) const
{
    if (!loaded_)
        return {};
    const int left = Pitch() * (index % columns_);
    const int top = Pitch() * (index / columns_);
    return {left, top, left + side_, top + side_};
}

int GridGeometry::CellAt(QSize client, QPoint point, int hPos, int vPos) const
{
    if (!loaded_)
        return -1;
    GridRect content = GridRect::FromSize(client).Inset(2);
    const GridOrigin origin = GetGridOrigin(content, false, hPos, vPos);
    const GridRect grid = GridOnScreen(content, origin);
    const GridRect hitArea{grid.left, grid.top, content.right - origin.offX, content.bottom - origin.offY};
    const QPoint test(point.x() - 1, point.y() + 1);
    if (!hitArea.Contains(test))
        return -1;
    const int column = std::min((test.x() - grid.left) / Pitch(), columns_ - 1);
    const int row = std::min((test.y() - grid.top) / Pitch(), rows_ - 1);
    return row * columns_ + column;
}

GridRect GridGeometry::GetCellRect(const CPuzzle& puzzle, bool word, int index, int hMax, int vMax) const
{
    if (!loaded_)
        return {};
    if (index < 0)
        index = puzzle.GetCurrentCell();
    int end = index;
    if (word) {
        const int clue = puzzle.GetCurrentClue();
        const int start = puzzle.FindWordStart(clue, nullptr);
        if (start >= 0) {
            index = start;
            end = puzzle.FindWordEnd(clue);
        }
    }
    GridRect rect = CellRect(index);
    const GridRect last = CellRect(end);
    rect.right = std::max(rect.right, last.right);
    rect.bottom = std::max(rect.bottom, last.bottom);
    if (hScrollable_) {
        rect.left = std::clamp(rect.left, 0, std::max(hMax - 1, 0));
        rect.right = std::clamp(rect.right, 0, std::max(hMax - 1, 0));
    }
    if (vScrollable_) {
        rect.top = std::clamp(rect.top, 0, std::max(vMax - 1, 0));
        rect.bottom = std::clamp(rect.bottom, 0, std::max(vMax - 1, 0));
    }
    return rect;
}

int GridGeometry::ScrollToShow(int pos, int visibleLength, int start, int end, bool alignStart)
{
    // At position pos the grid coordinate pos - 1 is at the visible start.
    if (alignStart) {
        pos = start + 1;
    } else {
        const int visibleEnd = pos - 1 + visibleLength;
        if (end > visibleEnd)
            pos += end - visibleEnd;
        if (start < pos - 1)
            pos = start + 1;
    }
    return std::min(pos, start);
}

QPoint GridGeometry::EnsureVisible(const CPuzzle& puzzle, bool word, QSize client, QPoint pos, int hMax,
                                   int vMax) const
{
    if (!hScrollable_ && !vScrollable_)
        return pos;
    GridRect visible = GridRect::FromSize(client).Inset(1);
    GetGridOrigin(visible, true, pos.x(), pos.y());
    const GridRect target = GetCellRect(puzzle, word, -1, hMax, vMax);
    const bool across = puzzle.IsAcross();
    if (hScrollable_) {
        const bool alignStart = word && across && target.Width() > visible.Width();
        pos.setX(ScrollToShow(pos.x(), visible.Width(), target.left, target.right, alignStart));
    }
    if (vScrollable_) {
        const bool alignStart = word && !across && target.Height() > visible.Height();
        pos.setY(ScrollToShow(pos.y(), visible.Height(), target.top, target.bottom, alignStart));
    }
    if (word)
        return EnsureVisible(puzzle, false, client, pos, hMax, vMax);
    return pos;
}
