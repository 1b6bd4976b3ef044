#include "ui/controls/grid_fonts.h"

#include "data/grid_geometry.h"
#include "ui/controls/draw_surface.h"

#include <QApplication>
#include <QFontMetrics>

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

struct FontSet {
    QFont base;
    QFont letters16;
    QFont letters25;
    QFont letters45;
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
    // Every measure grows with the pixel size, so the range is halved.
    int low = 1;
    int high = 2 * std::max(lineHeight, 1);
    while (low < high) {
        const int middle = (low + high + 1) / 2;
        if (fits(middle))
            low = middle;
        else
            high = middle - 1;
    }
    return low;
}

void CreateFonts()
{
    if (Fonts())
        return;
    const QFont base = QApplication::font();
    Fonts() = FontSet{base, MakeLetterFont(base, 16), MakeLetterFont(base, 25), MakeLetterFont(base, 45)};
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
        return Fonts()->letters45;
    if (pixelHeight >= 25)
        return Fonts()->letters25;
    return Fonts()->letters16;
}

void SelectDefaultFont(CDrawSurface& surface)
{
    surface.SelectFont(DefaultFont());
}

void SelectLetterFont(CDrawSurface& surface, int pixelHeight)
{
    surface.SelectFont(LetterFont(pixelHeight));
}
