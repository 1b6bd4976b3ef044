#include "data/keyboard_layout.h"

#include <array>
#include <cstddef>

namespace KeyboardLayout {

namespace {

// One key of the small keyboard: the character it produces, then left, top,
// width and height in pixels. The large keyboard doubles every value.
struct KeyEntry {
    char ch;
    int left;
    int top;
    int width;
    int height;
};

constexpr std::array<KeyEntry, kKeyCount> kKeyTable{{
    {'Q', 3, 3, 9, 9},   {'W', 13, 3, 9, 9},  {'E', 23, 3, 9, 9},  {'R', 33, 3, 9, 9},
    {'T', 43, 3, 9, 9},  {'Y', 53, 3, 9, 9},  {'U', 63, 3, 9, 9},  {'I', 73, 3, 9, 9},
    {'O', 83, 3, 9, 9},  {'P', 93, 3, 9, 9},  {'A', 7, 13, 9, 9},  {'S', 17, 13, 9, 9},
    {'D', 27, 13, 9, 9}, {'F', 37, 13, 9, 9}, {'G', 47, 13, 9, 9}, {'H', 57, 13, 9, 9},
    {'J', 67, 13, 9, 9}, {'K', 77, 13, 9, 9}, {'L', 87, 13, 9, 9}, {'Z', 11, 23, 9, 9},
    {'X', 21, 23, 9, 9}, {'C', 31, 23, 9, 9}, {'V', 41, 23, 9, 9}, {'B', 51, 23, 9, 9},
    {'N', 61, 23, 9, 9}, {'M', 71, 23, 9, 9}, {'-', 81, 23, 9, 9}, {'^', 98, 14, 11, 10},
    {'#', 98, 24, 11, 11},
}};

constexpr QSize kLargeSize{218, 70};
constexpr QSize kSmallSize{109, 35};

bool IsKnown(int index)
{
    return index >= 0 && index < kKeyCount;
}

} // namespace

QSize SizeFor(bool large)
{
    return large ? kLargeSize : kSmallSize;
}

QRect KeyRect(int index, bool large)
{
    if (!IsKnown(index)) {
        return {};
    }
    const KeyEntry& key = kKeyTable[static_cast<std::size_t>(index)];
    const int scale = large ? 2 : 1;
    return QRect(key.left * scale, key.top * scale, key.width * scale, key.height * scale);
}

char KeyChar(int index)
{
    return IsKnown(index) ? kKeyTable[static_cast<std::size_t>(index)].ch : '\0';
}

KeyHit KeyAt(const QPoint& point, bool large)
{
    for (int i = 0; i < kKeyCount; ++i) {
        if (KeyRect(i, large).contains(point)) {
            return {i, KeyChar(i)};
        }
    }
    return {};
}

QRect ClampedToBounds(const QRect& rect, const QSize& bounds)
{
    QRect clamped = rect;
    if (clamped.left() < 0) {
        clamped.moveLeft(0);
    }
    if (clamped.left() + clamped.width() > bounds.width()) {
        clamped.moveLeft(bounds.width() - clamped.width());
    }
    if (clamped.top() < 0) {
        clamped.moveTop(0);
    }
    if (clamped.top() + clamped.height() > bounds.height()) {
        clamped.moveTop(bounds.height() - clamped.height());
    }
    return clamped;
}

QPoint SoundPosition(const QPoint& stored)
{
    return {qBound(0, stored.x(), kLargestCoordinate), qBound(0, stored.y(), kLargestCoordinate)};
}

} // namespace KeyboardLayout
