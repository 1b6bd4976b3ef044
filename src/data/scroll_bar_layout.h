#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <array>

// The parts of a drawn scroll bar, in hit-test priority order of their values.
enum ScrollBarPart : int {
    kPartArrow1 = 0,      // up or left arrow
    kPartArrow2 = 1,      // down or right arrow
    kPartThumb = 2,
    kPartTrackBefore = 3, // track between arrow 1 and the thumb
    kPartTrackAfter = 4,  // track between the thumb and arrow 2
    kPartNone = 5,
};

// The range of a scroll bar; the visible span [pos, pos + page - 1] is kept
// inside the inclusive range [min, max].
struct ScrollBarValues {
    int page = 1000;
    int line = 0;
    int min = 0;
    int max = 1000;
    int pos = 0;
    bool noThumb = false;
};

// Where each part of a scroll bar lies in its client area; a missing part is
// an empty rectangle.
struct ScrollBarParts {
    std::array<QRect, 5> rects;
    int thumbLength = 0;

    const QRect& operator[](int part) const { return rects[static_cast<std::size_t>(part)]; }
};

// The window-free geometry of the drawn scroll bar: layout, hit test and the
// clamping of a position into the range.
class ScrollBarLayout {
public:
    static constexpr int kMinThumbLength = 10;

    // Pixel rectangles of the five parts for a client area of the given size.
    static ScrollBarParts LayoutParts(QSize client, bool horizontal, const ScrollBarValues& values);

    // The first non-empty part containing the point (arrows, thumb, track
    // after, track before), or kPartNone.
    static int PartAt(const ScrollBarParts& parts, QPoint point);

    // Keeps pos at or above min and pos + page - 1 at or below max.
    static int ClampPos(int pos, int page, int min, int max);

    // The position for a thumb dragged by delta pixels from where it was taken
    // at startPos; startPos itself when the track leaves the thumb no room.
    static int DragPos(int startPos, int delta, bool horizontal, const ScrollBarValues& values,
                       const ScrollBarParts& parts);
};
