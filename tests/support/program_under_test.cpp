#include "program_under_test.h"

#include "required_tools.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

ProgramUnderTest PrepareProgram(const QString& root, const QString& program, const QStringList& shipped,
                                QString* error)
{
    *error = RequiredTools::Missing({{"xdotool", "xdotool"}, {"xvfb-run", "xvfb"}});
    if (error->isEmpty() && qEnvironmentVariableIsEmpty("DISPLAY"))
        *error = QStringLiteral("needs an X display of its own: ctest runs it under xvfb-run (package xvfb)");
    if (!error->isEmpty())
        return {};
    const QString app = root + QStringLiteral("/app");
    ProgramUnderTest result{app + QStringLiteral("/gridmoor"), root + QStringLiteral("/home"),
                            QProcessEnvironment::systemEnvironment()};
    bool placed = QDir().mkpath(app) && QFile::copy(program, result.program)
                  && QDir().mkpath(result.home + QStringLiteral("/run"))
                  && QFile::setPermissions(result.home + QStringLiteral("/run"),
                                           QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    for (const QString& file : shipped)
        placed = placed && QFile::copy(file, app + '/' + QFileInfo(file).fileName());
    if (!placed) {
        *error = QStringLiteral("could not place the program and its home in %1").arg(root);
        return {};
    }
    const QString& home = result.home;
    for (const auto& [name, value] : {std::pair{"HOME", home}, {"XDG_CONFIG_HOME", home + "/.config"},
                                      {"XDG_DATA_HOME", home + "/.local/share"}, {"XDG_CACHE_HOME", home + "/.cache"},
                                      {"XDG_RUNTIME_DIR", home + "/run"}, {"QT_QPA_PLATFORM", QString("xcb")}})
        result.environment.insert(QString::fromLatin1(name), value);
    result.environment.remove(QStringLiteral("XDG_DOCUMENTS_DIR"));
    return result;
}
