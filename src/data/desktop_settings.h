#pragma once

#include <QSettings>
#include <QString>

// The program's file in the desktop's settings folder,
// $XDG_CONFIG_HOME/gridmoor/gridmoor.conf: the window placement and the
// options the settings data file, which keeps the game's own layout, has no
// room for.
inline QSettings DesktopSettings()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("gridmoor"),
                     QStringLiteral("gridmoor"));
}
