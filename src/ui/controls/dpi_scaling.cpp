#include "ui/controls/dpi_scaling.h"

#include <QGuiApplication>
#include <QScreen>

#include <cstdint>

namespace {

constexpr int kDesignDpi = 96;

int ReadScreenDpi()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? static_cast<int>(screen->logicalDotsPerInchX()) : kDesignDpi;
}

} // namespace

int ScreenDpi()
{
    static const int dpi = ReadScreenDpi();
    return dpi;
}

int ScaleByDpiAt(int n, int dpi)
{
    return static_cast<int>(std::int64_t{n} * dpi / kDesignDpi);
}

int ScaleByDpi(int n)
{
    return ScaleByDpiAt(n, ScreenDpi());
}
