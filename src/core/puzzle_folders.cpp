#include "core/puzzle_folders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QStandardPaths>

namespace {

QString WithTrailingSlash(const QString& path)
{
    return path.endsWith(u'/') ? path : path + u'/';
}

// Formatted in the C locale so the month name is the same in every language.
QString DateSuffix(const QDate& today)
{
    return today.isValid() ? QLocale::c().toString(today, QStringLiteral("_MMM_dd_yyyy")) : QString();
}

// "*" and "?" are not allowed in names on every file system, and on Linux a
// "/" (or a NUL) in a server-given name would point into another folder.
QString SafeFileName(QString name)
{
    for (QChar& c : name) {
        if (c == u'*' || c == u'?' || c == u'/' || c == QChar(0))
            c = u'_';
    }
    return name;
}

} // namespace

QString GetDocumentsFolder()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return folder.isEmpty() ? QString() : WithTrailingSlash(folder);
}

QString GetPuzzleFolder()
{
    return GetDocumentsFolder() + QStringLiteral("XWords");
}

QString GetProgramFolder()
{
    const QString program = QCoreApplication::instance() != nullptr
        ? QCoreApplication::applicationFilePath()
        : QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    return WithTrailingSlash(QFileInfo(program).absolutePath());
}

void EnsureFolder(const QString& path)
{
    QString folder = path;
    if (folder.size() > 1 && folder.endsWith(u'/'))
        folder.chop(1);
    if (!folder.isEmpty() && !QFileInfo::exists(folder))
        QDir().mkpath(folder);
}

QString MakeDownloadPath(const QString& name, bool keepName, const QDate& today)
{
    const QString folder = GetPuzzleFolder();
    if (!QFileInfo::exists(folder))
        EnsureFolder(folder);
    const QString suffix = DateSuffix(today);
    QString fileName = name;
    if (folder.size() + fileName.size() + suffix.size() + 6 > kMaxPathLength)
        fileName.truncate(qMax(0, kMaxPathLength - 6 - int(folder.size()) - int(suffix.size())));
    fileName = SafeFileName(fileName);
    return keepName ? folder + u'/' + fileName : folder + u'/' + fileName + suffix + QStringLiteral(".puz");
}
