#pragma once

#include <QIcon>
#include <QPixmap>

// The program's own pictures, drawn at the requested size: one image per
// toolbar command (16 pixels on a low-resolution screen, 32 otherwise) and
// the program icon, a small crossword grid.
QPixmap ToolbarImage(int commandId, int size);
QIcon ToolbarIcon(int commandId, int size);
QPixmap ProgramImage(int size);
QIcon ProgramIcon();
// The button of a menu bar or toolbar that shows the commands it has no room
// for: ">>" on a horizontal bar, pointing down on a vertical one.
QIcon MoreCommandsIcon(Qt::Orientation barOrientation);
