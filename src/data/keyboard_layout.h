#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// The on-screen keyboard's fixed key layout and placement arithmetic, apart
// from any window so it can be used and checked without a display.
namespace KeyboardLayout {

inline constexpr int kKeyCount = 29;
inline constexpr char kBackspaceChar = '-';
inline constexpr char kSwitchSizeChar = '^';
inline constexpr char kHideChar = '#';

struct KeyHit {
    int index = -1; // -1: no key
    char ch = 0;    // 0: no key
};

// 218 x 70 for the large keyboard, 109 x 35 for the small one.
QSize SizeFor(bool large);
// The key's rectangle in keyboard client coordinates; empty for an unknown index.
QRect KeyRect(int index, bool large);
// The character the key produces: 'A' to 'Z' or one of the three control keys.
char KeyChar(int index);
// The first key, in table order, whose rectangle holds point (right and bottom
// edges are outside), or no key.
KeyHit KeyAt(const QPoint& point, bool large);
// rect shifted right when left of 0, then left when past bounds' width, then
// the same vertically; so a keyboard larger than its bounds keeps its right
// or bottom edge inside.
QRect ClampedToBounds(const QRect& rect, const QSize& bounds);
// The largest coordinate a window can be placed at: a stored position beyond
// it is damage, and arithmetic with it could overflow.
inline constexpr int kLargestCoordinate = 32767;
// A stored keyboard position brought within 0 to kLargestCoordinate on both
// axes, the nearest place ClampedToBounds can work from.
QPoint SoundPosition(const QPoint& stored);

} // namespace KeyboardLayout
