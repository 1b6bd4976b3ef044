#include "ui/shell/window_placement.h"

#include <QSettings>
#include <QWidget>

namespace {

constexpr char kGeometryKey[] = "MainWindow/geometry";

QSettings PlacementSettings()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("gridmoor"),
                     QStringLiteral("gridmoor"));
}

} // namespace

QString WindowPlacementPath()
{
    return PlacementSettings().fileName();
}

void SaveWindowPlacement(const QWidget& window)
{
    QSettings settings = PlacementSettings();
    settings.setValue(QString::fromLatin1(kGeometryKey), window.saveGeometry());
    settings.sync();
}

void RestoreWindowPlacement(QWidget& window, const QSize& defaultSize)
{
    const QByteArray geometry = PlacementSettings().value(QString::fromLatin1(kGeometryKey)).toByteArray();
    if (geometry.isEmpty() || !window.restoreGeometry(geometry))
        window.resize(defaultSize);
}
