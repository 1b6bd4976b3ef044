#pragma once

#include <QSize>
#include <QString>

class QWidget;

// The main window's size, position and maximised state, remembered between
// runs in the desktop's own settings file ($XDG_CONFIG_HOME/gridmoor/gridmoor.conf),
// apart from the program's settings data file, which keeps the game's choices.

// The file the placement is kept in.
QString WindowPlacementPath();

// Stores where window stands now (its normal geometry when maximised).
void SaveWindowPlacement(const QWidget& window);

// Gives window the remembered placement before it is shown, or defaultSize
// when none was stored or the stored one cannot be used. A window that would
// lie off every screen is moved back onto one.
void RestoreWindowPlacement(QWidget& window, const QSize& defaultSize);
