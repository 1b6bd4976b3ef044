#include "ui/controls/control_palette.h"

#include "data/color_contrast.h"
#include "ui/controls/color_ref.h"

#include <QApplication>
#include <QPalette>

#include <array>

namespace {

std::array<quint32, kPaletteSize> palette{};
bool paletteBuilt = false;

QPalette::ColorRole RoleOf(SystemColor role)
{
    switch (role) {
    case SystemColor::ButtonFace:
        return QPalette::Button;
    case SystemColor::ButtonShadow:
        return QPalette::Dark;
    case SystemColor::ButtonHighlight:
        return QPalette::Light;
    case SystemColor::Window:
        return QPalette::Base;
    case SystemColor::Caption:
        return QPalette::Highlight;
    }
    return QPalette::Button;
}

} // namespace

quint32 GetSystemColor(SystemColor role)
{
    return ColorRefFromQColor(QApplication::palette().color(QPalette::Active, RoleOf(role)));
}

quint32 VoidCellColorFromPalette()
{
    const QPalette& colors = QApplication::palette();
    return VoidCellDefaultColor(GetSystemColor(SystemColor::ButtonFace),
                                ColorRefFromQColor(colors.color(QPalette::Active, QPalette::ButtonText)),
                                ColorRefFromQColor(colors.color(QPalette::Active, QPalette::Shadow)),
                                kNormalCellBackgroundDefault);
}

void BuildPalette()
{
    const quint32 face = GetSystemColor(SystemColor::ButtonFace);
    palette[kPaletteFace45] = Brighten(face, 45);
    palette[kPaletteFace35] = Brighten(face, 35);
    palette[kPaletteRed] = MakeColorRef(255, 0, 0);
    palette[kPaletteBlack] = MakeColorRef(0, 0, 0);
    palette[kPaletteShadow] = GetSystemColor(SystemColor::ButtonShadow);
    palette[kPaletteFace30] = Brighten(face, 30);
    palette[kPaletteFace] = face;
    palette[kPaletteHighlight] = GetSystemColor(SystemColor::ButtonHighlight);
    paletteBuilt = true;
}

quint32 PaletteColor(int index)
{
    if (!paletteBuilt)
        BuildPalette();
    return palette.at(static_cast<std::size_t>(index));
}
