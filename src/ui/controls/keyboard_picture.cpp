#include "ui/controls/keyboard_picture.h"

#include "data/keyboard_layout.h"

#include <QApplication>
#include <QFont>
#include <QPainter>
#include <QPolygon>

#include <array>
#include <cstddef>

namespace {

// Letter height that fits an 18-pixel key of the large keyboard.
constexpr int kLargeLetterPixels = 14;

// The small keyboard's 9-pixel keys leave too little room for an outline font
// to stay readable, so its letters are drawn from this 5 x 5 pixel alphabet:
// one string per letter, five rows of five columns, '#' for a set pixel.
constexpr int kGlyphSide = 5;
constexpr std::array<const char*, 26> kSmallGlyphs{{
    ".###.#...#######...##...#", // A
    "####.#...#####.#...#####.", // B
    ".#####....#....#.....####", // C
    "####.#...##...##...#####.", // D
    "######....####.#....#####", // E
    "######....####.#....#....", // F
    ".#####....#..###...#.####", // G
    "#...##...#######...##...#", // H
    "#####..#....#....#..#####", // I
    "..###...#....#.#..#..##..", // J
    "#...##..#.###..#..#.#...#", // K
    "#....#....#....#....#####", // L
    "#...###.###.#.##...##...#", // M
    "#...###..##.#.##..###...#", // N
    ".###.#...##...##...#.###.", // O
    "####.#...#####.#....#....", // P
    ".###.#...##.#.##..#..##.#", // Q
    "####.#...#####.#..#.#...#", // R
    ".#####.....###.....#####.", // S
    "#####..#....#....#....#..", // T
    "#...##...##...##...#.###.", // U
    "#...##...##...#.#.#...#..", // V
    "#...##...##.#.###.###...#", // W
    "#...#.#.#...#...#.#.#...#", // X
    "#...#.#.#...#....#....#..", // Y
    "#####...#...#...#...#####", // Z
}};

void DrawFrame(QPainter& painter, const QRect& r, const QColor& color)
{
    painter.fillRect(r.left(), r.top(), r.width(), 1, color);
    painter.fillRect(r.left(), r.bottom(), r.width(), 1, color);
    painter.fillRect(r.left(), r.top(), 1, r.height(), color);
    painter.fillRect(r.right(), r.top(), 1, r.height(), color);
}

// The control-key symbols are laid out on the small key (origin at the key's
// top-left) and drawn through a scale of 1 or 2, so both sizes get the same shape.
void DrawBackspaceSymbol(QPainter& painter, const QColor& color)
{
    painter.fillRect(1, 4, 1, 1, color);
    painter.fillRect(2, 3, 1, 3, color);
    painter.fillRect(3, 2, 1, 5, color);
    painter.fillRect(4, 4, 3, 1, color);
}

// An upward triangle on the small keyboard (make larger), downward on the large one.
void DrawSwitchSizeSymbol(QPainter& painter, bool large, const QColor& color)
{
    painter.setBrush(color);
    if (large) {
        painter.drawPolygon(QPolygon({QPoint(2, 3), QPoint(8, 3), QPoint(5, 6)}));
    } else {
        painter.drawPolygon(QPolygon({QPoint(2, 6), QPoint(8, 6), QPoint(5, 3)}));
    }
}

// A cross: the key that puts the keyboard away.
void DrawHideSymbol(QPainter& painter, const QColor& color)
{
    for (int i = 0; i < 5; ++i) {
        painter.fillRect(3 + i, 3 + i, 1, 1, color);
        painter.fillRect(7 - i, 3 + i, 1, 1, color);
    }
}

void DrawControlSymbol(QPainter& painter, const QRect& key, char ch, bool large, const QColor& color)
{
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.translate(key.topLeft());
    if (large) {
        painter.scale(2, 2);
    }
    switch (ch) {
    case KeyboardLayout::kBackspaceChar:
        DrawBackspaceSymbol(painter, color);
        break;
    case KeyboardLayout::kSwitchSizeChar:
        DrawSwitchSizeSymbol(painter, large, color);
        break;
    case KeyboardLayout::kHideChar:
        DrawHideSymbol(painter, color);
        break;
    default:
        break;
    }
    painter.restore();
}

QFont LargeLetterFont()
{
    QFont font = QApplication::font();
    font.setPixelSize(kLargeLetterPixels);
    font.setWeight(QFont::Normal);
    return font;
}

void DrawSmallLetter(QPainter& painter, const QRect& key, char letter, const QColor& color)
{
    const char* glyph = kSmallGlyphs[static_cast<std::size_t>(letter - 'A')];
    const int left = key.left() + (key.width() - kGlyphSide) / 2;
    const int top = key.top() + (key.height() - kGlyphSide) / 2;
    for (int row = 0; row < kGlyphSide; ++row) {
        for (int column = 0; column < kGlyphSide; ++column) {
            if (glyph[row * kGlyphSide + column] == '#') {
                painter.fillRect(left + column, top + row, 1, 1, color);
            }
        }
    }
}

void DrawLetter(QPainter& painter, const QRect& key, char letter, bool large, const QColor& color)
{
    if (large) {
        painter.drawText(key, Qt::AlignCenter, QString(QChar::fromLatin1(letter)));
    } else {
        DrawSmallLetter(painter, key, letter, color);
    }
}

} // namespace

QImage DrawKeyboardPicture(bool large, const QPalette& palette)
{
    QImage image(KeyboardLayout::SizeFor(large), QImage::Format_RGB32);
    const QColor background = palette.color(QPalette::Button);
    const QColor frame = palette.color(QPalette::Dark);
    const QColor keyFace = palette.color(QPalette::Light);
    const QColor label = palette.color(QPalette::ButtonText);

    QPainter painter(&image);
    painter.fillRect(image.rect(), background);
    DrawFrame(painter, image.rect(), frame);
    painter.setFont(LargeLetterFont());
    painter.setPen(label);
    for (int i = 0; i < KeyboardLayout::kKeyCount; ++i) {
        const QRect key = KeyboardLayout::KeyRect(i, large);
        const char ch = KeyboardLayout::KeyChar(i);
        painter.fillRect(key, keyFace);
        DrawFrame(painter, key, frame);
        if (ch >= 'A' && ch <= 'Z') {
            DrawLetter(painter, key, ch, large, label);
        } else {
            DrawControlSymbol(painter, key, ch, large, label);
        }
    }
    return image;
}
