#include "data/command_line.h"
#include "data/picture_command.h"
#include "ui/controls/gridmoor_style.h"
#include "ui/print/picture_command_runner.h"
#include "ui/shell/font_config_warmup.h"
#include "ui/shell/gridmoor_app.h"

#include <QApplication>
#include <QDir>
#include <QStyle>

int main(int argc, char* argv[])
{
    // A picture of a puzzle file is made without a window and never reaches
    // a running copy as a path.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const PictureCommand picture = ParsePictureCommand(arguments);
    if (picture.kind != PictureCommand::Kind::None)
        return RunPictureCommand(argc, argv, picture);

    TerminationSignals::Catch();
    FontConfigWarmup fontConfig;
    QApplication qtApp(argc, argv);
    fontConfig.Finish();
    // The style the user or the desktop chose, with the program's own icons.
    QApplication::setStyle(new CGridmoorStyle(QApplication::style()->name()));
    QApplication::setApplicationName(QStringLiteral("Gridmoor"));
    CGridmoorApp app(CommandLineFromArguments(QApplication::arguments(), QDir::currentPath()));
    return app.Run();
}
