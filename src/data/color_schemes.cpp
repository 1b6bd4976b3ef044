#include "data/color_schemes.h"

#include "data/archive_reader.h"
#include "data/archive_writer.h"

namespace {

bool IsRole(int role)
{
    return role >= 0 && role < kColorRoleCount;
}

ColorScheme FactoryScheme(ColorRef voidCellColor)
{
    ColorScheme scheme;
    scheme.name = QStringLiteral("default");
    scheme.colors = {
        kNormalCellBackgroundDefault,
        0x00000000, // black letters
        voidCellColor,
        0x00BBFFFF, // pale yellow
        0x00E8C1C5, // lavender
        0x00FF0000, // blue
        0x000000E6, // red
        0x00FF0000, // blue
    };
    return scheme;
}

} // namespace

QString ColorRoleLabel(int role)
{
    switch (role) {
    case kNormalCellBackground: return QStringLiteral("Normal cell background");
    case kNormalCellText: return QStringLiteral("Normal cell text");
    case kVoidCellBackground: return QStringLiteral("Void cell background");
    case kSelectedCellHighlight: return QStringLiteral("Selected cell highlight");
    case kSelectedClueHighlight: return QStringLiteral("Selected clue highlight");
    case kHintLettersText: return QStringLiteral("Hint letters text");
    case kWrongLettersText: return QStringLiteral("Wrong letters text");
    case kSolvedClueText: return QStringLiteral("Clue List: Solved clue text");
    default: return QString();
    }
}

CColorSchemes::CColorSchemes(ColorRef voidCellColor)
{
    schemes_.append(FactoryScheme(voidCellColor));
}

const ColorScheme* CColorSchemes::Scheme(int scheme) const
{
    const int index = scheme == kActiveScheme ? active_ : scheme;
    return index >= 0 && index < schemes_.size() ? &schemes_[index] : nullptr;
}

ColorScheme* CColorSchemes::Scheme(int scheme)
{
    const int index = scheme == kActiveScheme ? active_ : scheme;
    return index >= 0 && index < schemes_.size() ? &schemes_[index] : nullptr;
}

ColorRef CColorSchemes::GetColor(int role, int scheme) const
{
    const ColorScheme* colors = Scheme(scheme);
    return colors != nullptr && IsRole(role) ? colors->colors[role] : 0;
}

void CColorSchemes::SetColor(int role, ColorRef color, int scheme)
{
    ColorScheme* colors = Scheme(scheme);
    if (colors != nullptr && IsRole(role))
        colors->colors[role] = color;
}

QString CColorSchemes::SchemeName(int scheme) const
{
    const ColorScheme* colors = Scheme(scheme);
    return colors != nullptr ? colors->name : QString();
}

void CColorSchemes::Init()
{
    if (schemes_.size() == 1) {
        ColorScheme user = schemes_[kDefaultScheme];
        user.name = QStringLiteral("sch1");
        schemes_.append(user);
    }
    active_ = kUserScheme;
}

void CColorSchemes::Serialize(CArchiveWriter& archive) const
{
    const ColorScheme* user = Scheme(kUserScheme);
    const ColorScheme& saved = user != nullptr ? *user : schemes_[kDefaultScheme];
    for (const ColorRef color : saved.colors)
        archive.WriteUInt32(color);
}

void CColorSchemes::Serialize(CArchiveReader& archive)
{
    ColorScheme user;
    user.name = QStringLiteral("sch1");
    for (ColorRef& color : user.colors) {
        if (!archive.ReadUInt32(color)) {
            schemes_.resize(1);
            return;
        }
    }
    schemes_.resize(1);
    schemes_.append(user);
}
