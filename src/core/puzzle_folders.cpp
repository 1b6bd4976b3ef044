#include "core/puzzle_folders.h"

#include "core/puzzle_format.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QStandardPaths>
#include <QTextBoundaryFinder>

QString WithTrailingSlash(const QString& path)
{
    return path.endsWith(u'/') ? path : path + u'/';
}

namespace {

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

// The longest start of text, ending on a character boundary, that has at
// most maxChars UTF-16 units and maxBytes bytes in UTF-8.
QString CutAtCharacter(const QString& text, qsizetype maxChars, qsizetype maxBytes)
{
    if (text.size() <= maxChars && text.toUtf8().size() <= maxBytes)
        return text;
    QTextBoundaryFinder boundaries(QTextBoundaryFinder::Grapheme, text);
    qsizetype fits = 0;
    qsizetype bytes = 0;
    for (qsizetype at = boundaries.toNextBoundary(); at > 0; at = boundaries.toNextBoundary()) {
        bytes += text.sliced(fits, at - fits).toUtf8().size();
        if (at > maxChars || bytes > maxBytes)
            break;
        fits = at;
    }
    return text.left(fits);
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

QString MakeDownloadPath(const QString& name, bool keepName, const QDate& today, const QString& ending, int copy)
{
    const QString folder = GetPuzzleFolder();
    if (!QFileInfo::exists(folder))
        EnsureFolder(folder);
    QString base = name;
    QString finalEnding = ending;
    if (keepName) {
        const QString own = PuzzleEndingOf(name);
        base.chop(own.size());
        if (own.compare(ending, Qt::CaseInsensitive) == 0)
            finalEnding = own;
    }
    QString tail = keepName ? QString() : DateSuffix(today);
    if (copy > 1)
        tail += u'_' + QString::number(copy);
    tail += finalEnding;
    // The path with its terminating NUL keeps to the limit: folder, "/", base, tail.
    const qsizetype roomForBase = kMaxPathLength - 2 - folder.size() - tail.size();
    base = CutAtCharacter(SafeFileName(base), qMax<qsizetype>(0, roomForBase), kMaxFileNameBytes - tail.toUtf8().size());
    return folder + u'/' + base + tail;
}
