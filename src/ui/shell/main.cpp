#include "data/command_line.h"
#include "ui/controls/gridmoor_style.h"
#include "ui/shell/gridmoor_app.h"

#include <QApplication>
#include <QDir>
#include <QStyle>

int main(int argc, char* argv[])
{
    TerminationSignals::Catch();
    QApplication qtApp(argc, argv);
    // The style the user or the desktop chose, with the program's own icons.
    QApplication::setStyle(new CGridmoorStyle(QApplication::style()->name()));
    QApplication::setApplicationName(QStringLiteral("Gridmoor"));
    CGridmoorApp app(CommandLineFromArguments(QApplication::arguments(), QDir::currentPath()));
    return app.Run();
}
