// Stands in for a copy of the program in the single-instance tests.
//   handover_helper hand-over TITLE ARGS...  starts with ARGS as the command
//       line; exits with 0 after handing over, 3 when it became the first copy.
//   handover_helper serve TITLE  becomes the first copy, prints "listening" and
//       runs until killed.
//   handover_helper race TITLE PATH  prints "ready", waits for a line on its
//       input, then starts with PATH as the command line. A later copy exits
//       with 0; the first copy waits a few seconds for a hand-over, prints
//       "received" and the path it got, and exits with 3.
#include "data/command_line.h"
#include "ui/shell/single_instance.h"

#include <QCoreApplication>
#include <QDir>
#include <QTimer>

#include <cstdio>
#include <iostream>
#include <string>

namespace {

constexpr int kHandOverWaitMs = 5000;

int Race(QCoreApplication& app, SingleInstance& instance, const QString& path)
{
    std::puts("ready");
    std::fflush(stdout);
    std::string go;
    std::getline(std::cin, go);
    QObject::connect(&instance, &SingleInstance::PathHandedOver, &app, [&app](const QString& received) {
        std::printf("received %s\n", qPrintable(received));
        std::fflush(stdout);
        app.exit(3);
    });
    if (instance.Start(path) == SingleInstance::Role::Second)
        return 0;
    QTimer::singleShot(kHandOverWaitMs, &app, [&app] { app.exit(3); });
    return app.exec();
}

} // namespace

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
    if (arguments.at(1) == QLatin1String("race") && arguments.size() == 4)
        return Race(app, instance, arguments.at(3));
    const QString commandLine = CommandLineFromArguments(arguments.mid(2), QDir::currentPath());
    return instance.Start(commandLine) == SingleInstance::Role::Second ? 0 : 3;
}
