#include "program_under_test.h"

#include "required_tools.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

QString MakeHome(const QString& root, QProcessEnvironment& environment)
{
    const QString home = root + QStringLiteral("/home");
    if (!QDir().mkpath(home + QStringLiteral("/run")))
        return {};
    QFile::setPermissions(home + QStringLiteral("/run"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), home);
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/.config"));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/.local/share"));
    environment.insert(QStringLiteral("XDG_CACHE_HOME"), home + QStringLiteral("/.cache"));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), home + QStringLiteral("/run"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.remove(QStringLiteral("XDG_DOCUMENTS_DIR"));
    return home;
}

} // namespace

ProgramUnderTest PrepareProgram(const QString& root, const QString& program, const QStringList& shipped,
                                QString* error)
{
    *error = RequiredTools::Missing({{"xdotool", "xdotool"}, {"xvfb-run", "xvfb"}});
    if (!error->isEmpty())
        return {};
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        *error = QStringLiteral("needs an X display of its own: ctest runs it under xvfb-run (package xvfb)");
        return {};
    }
    const QString app = root + QStringLiteral("/app");
    ProgramUnderTest result;
    result.program = app + QStringLiteral("/gridmoor");
    bool copied = QDir().mkpath(app) && QFile::copy(program, result.program);
    for (const QString& file : shipped)
        copied = copied && QFile::copy(file, app + '/' + QFileInfo(file).fileName());
    result.home = MakeHome(root, result.environment);
    if (!copied || result.home.isEmpty()) {
        *error = QStringLiteral("could not place the program and its home in %1").arg(root);
        return {};
    }
    return result;
}
