#pragma once

#include <QtPlugin>

#include <functional>

class QPagedPaintDevice;
class QString;
class QWidget;

// The print dialog and the print preview, made by a module that the program
// loads only when the first Print command runs: Qt Print Support, and the
// printing system's libraries it loads, then cost nothing at start. Only Qt
// Core, Gui and Widgets types cross between the program and the module.
class PrintDialogs {
public:
    enum class Outcome { Cancelled, Printed, Failed };

    virtual ~PrintDialogs() = default;

    // Asks for a printer in the print dialog, or shows the pages in the
    // preview (which prints from its own button), and has paint draw the
    // pages of the document called docName on it; paint answers false when
    // the pages could not be drawn.
    virtual Outcome Print(QWidget* parent, const QString& docName, bool preview,
                          const std::function<bool(QPagedPaintDevice&)>& paint) = 0;
};

#define GRIDMOOR_PRINT_DIALOGS_IID "org.gridmoor.Gridmoor.PrintDialogs/1.0"
Q_DECLARE_INTERFACE(PrintDialogs, GRIDMOOR_PRINT_DIALOGS_IID)
