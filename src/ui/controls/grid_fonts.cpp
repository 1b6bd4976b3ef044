#include "ui/controls/grid_fonts.h"

#include "data/grid_geometry.h"
#include "ui/controls/draw_surface.h"

#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

// The letter fonts are made the first time they are asked for: finding a
// letter font's size loads the font at several sizes, and a start needs only
// the cell size in use.
struct FontSet {
    QFont base;
    std::optional<QFont> letters16;
    std::optional<QFont> letters25;
    std::optional<QFont> letters45;
};

std::optional<FontSet>& Fonts()
{
    static std::optional<FontSet> fonts;
    return fonts;
}

constexpr char kCapitals[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";

// The cell side that goes with each letter height (small, medium, large).
int CellSideFor(int lineHeight)
{
    for (int size = 0; size < 3; ++size) {
        if (GridGeometry::LetterHeight(size) == lineHeight)
            return GridGeometry::CellSide(size);
    }
    return lineHeight;
}

QFont MakeLetterFont(const QFont& base, int lineHeight)
{
    QFont font = base;
    font.setWeight(QFont::Normal);
    font.setPixelSize(LetterPixelSize(font, lineHeight, CellSideFor(lineHeight) - 2));
    return font;
}

const QFont& LetterFontOf(std::optional<QFont>& slot, int lineHeight)
{
    if (!slot)
        slot = MakeLetterFont(Fonts()->base, lineHeight);
    return *slot;
}

// Where the base font's own proportions put the pixel size whose line height
// is lineHeight; measures at the sizes around it decide.
int EstimatedPixelSize(const QFont& base, int lineHeight)
{
    const int height = QFontMetrics(base).height();
    const int pixelSize = QFontInfo(base).pixelSize();
    return height > 0 && pixelSize > 0 ? lineHeight * pixelSize / height : lineHeight;
}

} // namespace

QRectF CapitalsInkBox(const QFont& font)
{
    return QFontMetricsF(font).tightBoundingRect(QString::fromLatin1(kCapitals));
}

qreal WidestCapitalInk(const QFont& font)
{
    const QFontMetricsF metrics(font);
    qreal widest = 0;
    for (const char* letter = kCapitals; *letter != 0; ++letter)
        widest = std::max(widest, metrics.tightBoundingRect(QString(QLatin1Char(*letter))).width());
    return widest;
}

int LetterPixelSize(const QFont& base, int lineHeight, int glyphSide)
{
    // The letter heights include the font's leading: a pixel size equal to
    // them draws letters about a fifth too large. The size is the largest
    // whose line height fits, and wide fonts are made smaller still until
    // every capital keeps a pixel of background on each side in its cell.
    const int room = glyphSide - 2;
    QFont font = base;
    const auto fits = [&font, lineHeight, room](int pixelSize) {
        font.setPixelSize(pixelSize);
        return QFontMetrics(font).height() <= lineHeight && std::ceil(CapitalsInkBox(font).height()) <= room
            && std::ceil(WidestCapitalInk(font)) <= room;
    };
    // Every measure grows with the pixel size, so the answer is found by
    // stepping from the estimate; each size tried loads the font at that
    // size, and the estimate is rarely more than a step away.
    const int largest = 2 * std::max(lineHeight, 1);
    return LargestFittingPixelSize(1, largest, EstimatedPixelSize(base, lineHeight), fits);
}

int LargestFittingPixelSize(int smallest, int largest, int guess, const std::function<bool(int)>& fits)
{
    int size = std::clamp(guess, smallest, largest);
    if (fits(size)) {
        while (size < largest && fits(size + 1))
            ++size;
        return size;
    }
    while (size > smallest && !fits(size - 1))
        --size;
    return std::max(size - 1, smallest);
}

void CreateFonts()
{
    if (Fonts())
        return;
    Fonts() = FontSet{QApplication::font(), std::nullopt, std::nullopt, std::nullopt};
}

const QFont& DefaultFont()
{
    CreateFonts();
    return Fonts()->base;
}

const QFont& LetterFont(int pixelHeight)
{
    CreateFonts();
    if (pixelHeight >= 45)
        return LetterFontOf(Fonts()->letters45, 45);
    if (pixelHeight >= 25)
        return LetterFontOf(Fonts()->letters25, 25);
    return LetterFontOf(Fonts()->letters16, 16);
}

void SelectDefaultFont(CDrawSurface& surface)
{
    surface.SelectFont(DefaultFont());
}

void SelectLetterFont(CDrawSurface& surface, int pixelHeight)
{
    surface.SelectFont(LetterFont(pixelHeight));
}
