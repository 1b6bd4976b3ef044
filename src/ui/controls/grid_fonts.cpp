#include "ui/controls/grid_fonts.h"

#include "ui/controls/draw_surface.h"

#include <QApplication>

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

QFont MakeLetterFont(const QFont& base, int pixelHeight)
{
    QFont font = base;
    font.setPixelSize(pixelHeight);
    font.setWeight(QFont::Normal);
    return font;
}

} // namespace

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
