#include "data/color_contrast.h"

#include <algorithm>
#include <cmath>

namespace {

double LinearChannel(ColorRef color, int shift)
{
    const double value = static_cast<double>((color >> shift) & 0xFF) / 255.0;
    return value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
}

ColorRef Scaled(ColorRef color, int percent)
{
    ColorRef scaled = 0;
    for (const int shift : {0, 8, 16})
        scaled |= (((color >> shift) & 0xFF) * static_cast<ColorRef>(percent) / 100) << shift;
    return scaled;
}

} // namespace

double RelativeLuminance(ColorRef color)
{
    return 0.2126 * LinearChannel(color, 0) + 0.7152 * LinearChannel(color, 8) + 0.0722 * LinearChannel(color, 16);
}

double ContrastRatio(ColorRef first, ColorRef second)
{
    const double a = RelativeLuminance(first);
    const double b = RelativeLuminance(second);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

ColorRef VoidCellDefaultColor(ColorRef buttonFace, ColorRef buttonText, ColorRef shadow,
                              ColorRef normalCellBackground)
{
    ColorRef darkest = buttonFace;
    for (const ColorRef candidate : {buttonText, shadow}) {
        if (RelativeLuminance(candidate) < RelativeLuminance(darkest))
            darkest = candidate;
    }
    int percent = 100;
    while (percent > 0 && ContrastRatio(Scaled(darkest, percent), normalCellBackground) < kMinVoidCellContrast)
        percent -= 5;
    return Scaled(darkest, percent);
}

// The least contrast at which text stays readable on a background.
constexpr double kReadableContrast = 4.5;

ColorRef ReadableBackground(ColorRef wanted, ColorRef textColor)
{
    constexpr ColorRef kWhite = 0x00FFFFFF;
    return ContrastRatio(wanted, textColor) >= kReadableContrast ? wanted : kWhite;
}

ColorRef ReadableShade(ColorRef shade, ColorRef textColor, ColorRef background)
{
    constexpr int kSteps = 10;
    for (int step = 0; step < kSteps; ++step) {
        const ColorRef mixed = Scaled(shade, 100 - step * 100 / kSteps) + Scaled(background, step * 100 / kSteps);
        if (ContrastRatio(mixed, textColor) >= kReadableContrast)
            return mixed;
    }
    return background;
}
