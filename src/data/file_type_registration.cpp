#include "data/file_type_registration.h"

#include "data/mime_apps_list.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringList>

#include <algorithm>

namespace {

constexpr int kToolTimeoutMs = 30000;

QString RunningProgramPath()
{
    return QCoreApplication::instance() != nullptr
        ? QCoreApplication::applicationFilePath()
        : QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
}

// The characters that desktop entries reserve in an Exec argument: one of
// them in the path makes the argument need quotes.
bool NeedsQuotes(const QString& path)
{
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    return std::any_of(path.cbegin(), path.cend(), [](QChar c) { return reserved.contains(c); });
}

// The value escapes of a desktop entry: backslash and control characters.
QString EscapedValue(const QString& text)
{
    QString escaped;
    for (const QChar c : text) {
        if (c == u'\\')
            escaped += QStringLiteral("\\\\");
        else if (c == u'\n')
            escaped += QStringLiteral("\\n");
        else if (c == u'\r')
            escaped += QStringLiteral("\\r");
        else if (c == u'\t')
            escaped += QStringLiteral("\\t");
        else
            escaped += c;
    }
    return escaped;
}

// In an Exec value '%' is doubled as well, so it is not read as a field code.
QString EscapedExecValue(const QString& text)
{
    return EscapedValue(text).replace(u'%', QStringLiteral("%%"));
}

// The program path as an Exec argument: plain when it holds no reserved
// character, since some launchers cannot parse quotes; otherwise quoted, with
// '"', '`', '$' and '\' taking a backslash inside the quotes.
QString ExecArgument(const QString& path)
{
    if (!NeedsQuotes(path))
        return EscapedExecValue(path);
    QString quoted;
    for (const QChar c : path) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            quoted += u'\\';
        quoted += c;
    }
    return u'"' + EscapedExecValue(quoted) + u'"';
}

// The Exec line running the program with the arguments that follow it (the
// desktop entry's "%f", the thumbnailer's "--thumbnail %i %o %s").
QString ExecLine(const QString& programPath, QStringView arguments = u"%f")
{
    return QStringLiteral("Exec=") + ExecArgument(programPath) + u' ' + arguments.toString();
}

// Desktops hide an entry whose TryExec program is gone, so the per-user
// entry disappears from menus once the installation is removed.
QString TryExecLine(const QString& programPath)
{
    return QStringLiteral("TryExec=") + EscapedValue(programPath);
}

QString ReadText(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll());
}


bool SameIgnoringCase(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

bool WriteIfDifferent(const QString& path, const QString& text)
{
    return !SameIgnoringCase(ReadText(path), text) && WriteUtf8File(path, text);
}

bool WriteDesktopEntry(const QString& path, const QString& programPath)
{
    const QString existing = ReadText(path);
    const QString text = DesktopEntryText(programPath);
    const QStringList lines = existing.split(u'\n');
    const bool inPlace = SameIgnoringCase(existing, text) && lines.contains(ExecLine(programPath))
        && lines.contains(TryExecLine(programPath));
    return !inPlace && WriteUtf8File(path, text);
}

// Earlier versions wrote their entry under the name "gridmoor.desktop"; it
// goes when it is Gridmoor's, so that menus do not show the program twice.
bool RemoveFormerDesktopEntry(const QString& applicationsFolder)
{
    const QString path = applicationsFolder + u'/' + QLatin1String(kFormerDesktopEntryName);
    const QStringList lines = ReadText(path).split(u'\n');
    const bool ours = std::any_of(lines.cbegin(), lines.cend(), [](const QString& line) {
        return SameIgnoringCase(line.trimmed(), QStringLiteral("Name=Gridmoor"));
    });
    return ours && QFile::remove(path);
}

bool WriteDefaultApplication(const QString& path)
{
    QString text = ReadText(path);
    return MakeThisProgramTheDefault(&text) && WriteUtf8File(path, text);
}

void RunTool(const char* name, const QString& folder)
{
    const QString tool = QStandardPaths::findExecutable(QLatin1String(name));
    if (tool.isEmpty())
        return;
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(tool, {folder});
    process.waitForFinished(kToolTimeoutMs);
}

bool MimeCacheIsStale(const QString& mimeFolder, const QString& packagePath)
{
    const QFileInfo cache(mimeFolder + QStringLiteral("/mime.cache"));
    return !cache.exists() || cache.lastModified() < QFileInfo(packagePath).lastModified();
}

} // namespace

const QList<RegisteredFileType>& RegisteredFileTypes()
{
    static const QList<RegisteredFileType> types = {
        {QLatin1String(kPuzzleContentType), QStringLiteral("Crossword puzzle"), {QLatin1String(kFormerContentType)},
         {QStringLiteral("*.puz"), QStringLiteral("*.gmd")}, QString()},
        {QLatin1String(kIpuzContentType), QStringLiteral("ipuz crossword"), {}, {QStringLiteral("*.ipuz")},
         QStringLiteral("application/json")},
        {QLatin1String(kJpzContentType), QStringLiteral("jpz crossword"), {}, {QStringLiteral("*.jpz")}, QString()},
    };
    return types;
}

QString MimePackageText()
{
    QString text = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                  "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n");
    for (const RegisteredFileType& type : RegisteredFileTypes()) {
        text += QStringLiteral("  <mime-type type=\"%1\">\n    <comment>%2</comment>\n")
                    .arg(type.mediaType.toHtmlEscaped(), type.comment.toHtmlEscaped());
        for (const QString& alias : type.aliases)
            text += QStringLiteral("    <alias type=\"%1\"/>\n").arg(alias.toHtmlEscaped());
        if (!type.subClassOf.isEmpty())
            text += QStringLiteral("    <sub-class-of type=\"%1\"/>\n").arg(type.subClassOf.toHtmlEscaped());
        for (const QString& glob : type.globs)
            text += QStringLiteral("    <glob pattern=\"%1\"/>\n").arg(glob.toHtmlEscaped());
        text += QStringLiteral("  </mime-type>\n");
    }
    return text + QStringLiteral("</mime-info>\n");
}

namespace {

// The MimeType value of the desktop entry and the thumbnailer.
QString MediaTypeList()
{
    QString mediaTypes;
    for (const RegisteredFileType& type : RegisteredFileTypes())
        mediaTypes += type.mediaType + u';';
    return mediaTypes;
}

} // namespace

QString DesktopEntryText(const QString& programPath)
{
    const QString mediaTypes = MediaTypeList();
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=Gridmoor\n")
        + TryExecLine(programPath) + u'\n' + ExecLine(programPath)
        + QStringLiteral("\nIcon=%1\n"
                         "Terminal=false\n"
                         "MimeType=%2\n"
                         "Categories=Game;LogicGame;\n")
              .arg(QLatin1String(kApplicationId), mediaTypes);
}

QString ThumbnailerText(const QString& programPath)
{
    return QStringLiteral("[Thumbnailer Entry]\n") + TryExecLine(programPath) + u'\n'
        + ExecLine(programPath, u"--thumbnail %i %o %s") + QStringLiteral("\nMimeType=") + MediaTypeList() + u'\n';
}

bool WriteUtf8File(const QString& path, const QString& text, QString* error)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    const QByteArray bytes = text.toUtf8();
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    if (error != nullptr)
        *error = file.errorString();
    return false;
}

int RegisterFileTypes(const QString& programPath)
{
    const QString program = QFileInfo(programPath.isEmpty() ? RunningProgramPath() : programPath).absoluteFilePath();
    const QString dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    const QString configHome = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (program.isEmpty() || dataHome.isEmpty() || configHome.isEmpty())
        return 0;

    const QString mimeFolder = dataHome + QStringLiteral("/mime");
    const QString packagePath = mimeFolder + QStringLiteral("/packages/gridmoor.xml");
    const QString applicationsFolder = dataHome + QStringLiteral("/applications");

    const bool packageWritten = WriteIfDifferent(packagePath, MimePackageText());
    const bool entryWritten =
        WriteDesktopEntry(applicationsFolder + u'/' + QLatin1String(kDesktopEntryName), program);
    const bool formerEntryRemoved = RemoveFormerDesktopEntry(applicationsFolder);
    const bool defaultWritten = WriteDefaultApplication(configHome + QStringLiteral("/mimeapps.list"));

    if (packageWritten || MimeCacheIsStale(mimeFolder, packagePath))
        RunTool("update-mime-database", mimeFolder);
    if (entryWritten || formerEntryRemoved)
        RunTool("update-desktop-database", applicationsFolder);
    return int(packageWritten) + int(entryWritten) + int(formerEntryRemoved) + int(defaultWritten);
}
