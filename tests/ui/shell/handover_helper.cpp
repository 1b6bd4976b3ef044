// Stands in for a copy of the program in the single-instance tests.
//   handover_helper hand-over TITLE ARGS...  starts with ARGS as the command
//       line; exits with 0 after handing over, 3 when it became the first copy.
//   handover_helper serve TITLE  becomes the first copy, prints "listening" and
//       runs until killed.
#include "data/command_line.h"
#include "ui/shell/single_instance.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() < 3)
        return 2;
    SingleInstance instance(arguments.at(2));
    if (arguments.at(1) == QLatin1String("serve")) {
        if (instance.Start(QString()) != SingleInstance::Role::First || !instance.IsListening())
            return 4;
        std::puts("listening");
        std::fflush(stdout);
        return app.exec();
    }
    const QString commandLine = CommandLineFromArguments(arguments.mid(2));
    return instance.Start(commandLine) == SingleInstance::Role::Second ? 0 : 3;
}
