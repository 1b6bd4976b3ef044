#include "ui/shell/window_placement.h"

#include "data/desktop_settings.h"

#include <QWidget>

namespace {

constexpr char kGeometryKey[] = "MainWindow/geometry";

} // namespace

QString WindowPlacementPath()
{
    return DesktopSettings().fileName();
}

void SaveWindowPlacement(const QWidget& window)
{
    QSettings settings = DesktopSettings();
    settings.setValue(QString::fromLatin1(kGeometryKey), window.saveGeometry());
    settings.sync();
}

void RestoreWindowPlacement(QWidget& window, const QSize& defaultSize)
{
    const QByteArray geometry = DesktopSettings().value(QString::fromLatin1(kGeometryKey)).toByteArray();
    if (geometry.isEmpty() || !window.restoreGeometry(geometry))
        window.resize(defaultSize);
}
