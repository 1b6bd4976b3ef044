#include "data/command_line.h"
#include "ui/shell/gridmoor_app.h"

#include <QApplication>
#include <QDir>

int main(int argc, char* argv[])
{
    TerminationSignals::Catch();
    QApplication qtApp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Gridmoor"));
    CGridmoorApp app(CommandLineFromArguments(QApplication::arguments(), QDir::currentPath()));
    return app.Run();
}
