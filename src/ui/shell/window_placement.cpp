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
    const QString key = QString::fromLatin1(kGeometryKey);
    const QByteArray geometry = window.saveGeometry();
    // QSettings rewrites its file for any value set, even an unchanged one.
    if (settings.value(key).toByteArray() == geometry)
        return;
    settings.setValue(key, geometry);
    settings.sync();
}

void RestoreWindowPlacement(QWidget& window, const QSize& defaultSize)
{
    const QByteArray geometry = DesktopSettings().value(QString::fromLatin1(kGeometryKey)).toByteArray();
    if (geometry.isEmpty() || !window.restoreGeometry(geometry))
        window.resize(defaultSize);
}
