#include "test_home.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>
#include <cstdlib>

namespace {

QString g_home;

void SetFolderVariable(const char* name, const QString& path, QFile::Permissions permissions)
{
    QDir().mkpath(path);
    QFile::setPermissions(path, permissions);
    qputenv(name, QFile::encodeName(path));
}

[[noreturn]] void Refuse(const char* what, const QString& path)
{
    std::fprintf(stderr, "TestHome: %s: %s\n", what, qPrintable(path));
    std::abort();
}

} // namespace

TestHome::TestHome() : dir_(QDir::tempPath() + QStringLiteral("/gridmoor-test-home-XXXXXX"))
{
    if (!dir_.isValid())
        Refuse("cannot make a private home folder", dir_.errorString());
    g_home = QFileInfo(dir_.path()).canonicalFilePath();
    const QFile::Permissions owner = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
    qputenv("HOME", QFile::encodeName(g_home));
    SetFolderVariable("XDG_CONFIG_HOME", g_home + QStringLiteral("/.config"), owner);
    SetFolderVariable("XDG_DATA_HOME", g_home + QStringLiteral("/.local/share"), owner);
    SetFolderVariable("XDG_CACHE_HOME", g_home + QStringLiteral("/.cache"), owner);
    // The runtime folder must belong to the user alone, or Qt refuses it.
    SetFolderVariable("XDG_RUNTIME_DIR", g_home + QStringLiteral("/run"), owner);
    // Widgets draw off screen unless the test is started on a display of its
    // own (the end-to-end tests choose xcb under xvfb-run).
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

TestHome::~TestHome()
{
    g_home.clear();
}

QString TestHome::Path()
{
    return g_home;
}

bool TestHome::RemoveFolder(const QString& path)
{
    const QString absolute = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    if (g_home.isEmpty() || !absolute.startsWith(g_home + QLatin1Char('/')))
        Refuse("refusing to remove a folder outside the private home", path);
    return QDir(absolute).removeRecursively();
}
