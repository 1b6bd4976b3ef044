#include "data/scroll_bar_layout.h"

#include <algorithm>
#include <cstdint>

namespace {

// A half-open stretch [from, to) along the bar's axis; empty when to <= from.
struct Span {
    int from = 0;
    int to = 0;
};

// Truncates toward zero like a plain conversion, but keeps far-off positions
// (the position is stored unclamped) inside the int range.
int TruncToInt(double value)
{
    constexpr double kLimit = 1.0e9;
    return static_cast<int>(std::clamp(value, -kLimit, kLimit));
}

QRect SpanToRect(Span span, int thickness, bool horizontal)
{
    if (span.to <= span.from)
        return {};
    const int length = span.to - span.from;
    return horizontal ? QRect(span.from, 0, length, thickness) : QRect(0, span.from, thickness, length);
}

int NearEdge(const QRect& rect, bool horizontal)
{
    return horizontal ? rect.x() : rect.y();
}

int FarEdge(const QRect& rect, bool horizontal)
{
    return horizontal ? rect.x() + rect.width() : rect.y() + rect.height();
}

} // namespace

ScrollBarParts ScrollBarLayout::LayoutParts(QSize client, bool horizontal, const ScrollBarValues& values)
{
    const int length = horizontal ? client.width() : client.height();
    const int thickness = horizontal ? client.height() : client.width();
    std::array<Span, 5> spans{};
    ScrollBarParts parts;

    if (length < 2 * thickness) {
        if (length > 2) {
            spans[kPartArrow1] = {0, length / 2};
            spans[kPartArrow2] = {length / 2 + 1, length};
        }
    } else {
        spans[kPartArrow1] = {0, thickness};
        spans[kPartArrow2] = {length - thickness, length};
        const std::int64_t range = std::int64_t{values.max} - values.min + 1;
        if (!values.noThumb && range > 0) {
            const int trackLength = length - 2 * thickness;
            double ratio = static_cast<double>(trackLength) / static_cast<double>(range);
            const int thumbLength = TruncToInt(values.page * ratio);
            const int shownLength = std::max(thumbLength, kMinThumbLength);
            bool thumbFits = true;
            if (thumbLength < kMinThumbLength) {
                // The thumb is drawn longer than its share, so the track scale
                // shrinks to let it still reach the end at the last position.
                const int numerator = trackLength - (kMinThumbLength - thumbLength);
                if (numerator >= 1) {
                    ratio = static_cast<double>(numerator) / static_cast<double>(range);
                } else {
                    spans[kPartTrackAfter] = {1, length - thickness + 1};
                    thumbFits = false;
                }
            }
            if (thumbFits) {
                const int start = thickness + TruncToInt((static_cast<double>(values.pos) - values.min) * ratio);
                const int thumbStart = std::max(start, thickness);
                const int thumbEnd = std::min(start + shownLength, length - thickness);
                if (thumbStart <= thumbEnd) {
                    spans[kPartThumb] = {thumbStart, thumbEnd + 1};
                    spans[kPartTrackBefore] = {thickness, thumbStart};
                    spans[kPartTrackAfter] = {thumbEnd + 1, length - thickness + 1};
                    parts.thumbLength = thumbEnd - thumbStart;
                }
            }
        }
    }

    if (spans[kPartThumb].from == 0)
        spans[kPartThumb] = {};
    for (std::size_t i = 0; i < spans.size(); ++i)
        parts.rects[i] = SpanToRect(spans[i], thickness, horizontal);
    return parts;
}

int ScrollBarLayout::PartAt(const ScrollBarParts& parts, QPoint point)
{
    for (int part : {kPartArrow1, kPartArrow2, kPartThumb, kPartTrackAfter, kPartTrackBefore}) {
        if (!parts[part].isEmpty() && parts[part].contains(point))
            return part;
    }
    return kPartNone;
}

int ScrollBarLayout::ClampPos(int pos, int page, int min, int max)
{
    std::int64_t clamped = std::max(pos, min);
    if (clamped + page > max)
        clamped = std::int64_t{max} - page + 1;
    return static_cast<int>(std::clamp<std::int64_t>(clamped, INT32_MIN, INT32_MAX));
}

int ScrollBarLayout::DragPos(int startPos, int delta, bool horizontal, const ScrollBarValues& values,
                             const ScrollBarParts& parts)
{
    const int room = NearEdge(parts[kPartArrow2], horizontal) - FarEdge(parts[kPartArrow1], horizontal)
                     - parts.thumbLength;
    if (room <= 0)
        return startPos;
    const double ratio = (static_cast<double>(values.max) - values.min - values.page + 1) / room;
    return TruncToInt(static_cast<double>(startPos) + TruncToInt(delta * ratio));
}
