#include "data/file_type_registration.h"

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

constexpr char kIconName[] = "gridmoor";
constexpr char kDefaultsGroup[] = "[Default Applications]";
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

// The value escapes of a desktop entry (backslash and control characters),
// with '%' doubled so it is not read as a field code.
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
        else if (c == u'%')
            escaped += QStringLiteral("%%");
        else
            escaped += c;
    }
    return escaped;
}

// The program path as an Exec argument: plain when it holds no reserved
// character, since some launchers cannot parse quotes; otherwise quoted, with
// '"', '`', '$' and '\' taking a backslash inside the quotes.
QString ExecArgument(const QString& path)
{
    if (!NeedsQuotes(path))
        return EscapedValue(path);
    QString quoted;
    for (const QChar c : path) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            quoted += u'\\';
        quoted += c;
    }
    return u'"' + EscapedValue(quoted) + u'"';
}

QString ExecLine(const QString& programPath)
{
    return QStringLiteral("Exec=") + ExecArgument(programPath) + QStringLiteral(" %f");
}

QString ReadText(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll());
}

bool WriteText(const QString& path, const QString& text)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    const QByteArray bytes = text.toUtf8();
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

bool SameIgnoringCase(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

bool IsGroupHeader(const QString& line)
{
    return line.trimmed().startsWith(u'[');
}

// The key of a "key=value" line, trimmed; empty for other lines.
QString KeyOf(const QString& line)
{
    const qsizetype equals = line.indexOf(u'=');
    return equals < 0 ? QString() : line.left(equals).trimmed();
}

QString ValueOf(const QString& line)
{
    return line.mid(line.indexOf(u'=') + 1).trimmed();
}

// The first desktop entry a "type=entries" line names.
QString FirstEntryOf(const QString& line)
{
    return ValueOf(line).section(u';', 0, 0).trimmed();
}

bool NamesThisProgram(const QString& line)
{
    return SameIgnoringCase(FirstEntryOf(line), QLatin1String(kDesktopEntryName));
}

// Earlier versions registered the files as "crossword/puz"; their default
// line is replaced by the one for the current type.
bool IsFormerDefaultOfThisProgram(const QString& line)
{
    return SameIgnoringCase(KeyOf(line), QLatin1String(kFormerContentType)) && NamesThisProgram(line);
}

// The user's mimeapps.list with this program's entry as the default for one
// content type. Other lines stay as they are; the entry replaces an earlier
// default (or, for the puzzle type, this program's default for the former
// type), or is added at the end of the group, or with a new group.
QString WithDefault(const QString& existing, const QString& type)
{
    const QString defaultLine = type + u'=' + QLatin1String(kDesktopEntryName);
    const bool replacesFormer = type == QLatin1String(kPuzzleContentType);
    QStringList lines = existing.split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    qsizetype insertAt = -1;
    bool inDefaults = false;
    bool placed = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (IsGroupHeader(lines[i])) {
            inDefaults = lines[i].trimmed() == QLatin1String(kDefaultsGroup);
            if (inDefaults)
                insertAt = i + 1;
            continue;
        }
        if (!inDefaults)
            continue;
        if (SameIgnoringCase(KeyOf(lines[i]), type) || (replacesFormer && IsFormerDefaultOfThisProgram(lines[i]))) {
            if (placed) {
                lines.removeAt(i--);
                continue;
            }
            lines[i] = defaultLine;
            placed = true;
        }
        if (!lines[i].trimmed().isEmpty())
            insertAt = i + 1;
    }
    if (placed)
        return lines.join(u'\n') + u'\n';
    if (insertAt < 0) {
        if (!lines.isEmpty() && !lines.last().trimmed().isEmpty())
            lines.append(QString());
        lines.append(QLatin1String(kDefaultsGroup));
        insertAt = lines.size();
    }
    lines.insert(insertAt, defaultLine);
    return lines.join(u'\n') + u'\n';
}

// The defaults for every type the program opens.
QString MimeAppsText(const QString& existing)
{
    return WithDefault(WithDefault(existing, QLatin1String(kPuzzleContentType)), QLatin1String(kIpuzContentType));
}

// Whether the defaults group names this program's entry first for the type.
bool IsDefaultFor(const QString& existing, const QString& type)
{
    bool inDefaults = false;
    for (const QString& line : existing.split(u'\n')) {
        if (IsGroupHeader(line))
            inDefaults = line.trimmed() == QLatin1String(kDefaultsGroup);
        else if (inDefaults && SameIgnoringCase(KeyOf(line), type))
            return NamesThisProgram(line);
    }
    return false;
}

// In place when the defaults group names this program's entry first for each
// content type and holds no default of this program for the former type.
bool DefaultIsInPlace(const QString& existing)
{
    bool inDefaults = false;
    for (const QString& line : existing.split(u'\n')) {
        if (IsGroupHeader(line))
            inDefaults = line.trimmed() == QLatin1String(kDefaultsGroup);
        else if (inDefaults && IsFormerDefaultOfThisProgram(line))
            return false;
    }
    return IsDefaultFor(existing, QLatin1String(kPuzzleContentType))
        && IsDefaultFor(existing, QLatin1String(kIpuzContentType));
}

bool WriteIfDifferent(const QString& path, const QString& text)
{
    return !SameIgnoringCase(ReadText(path), text) && WriteText(path, text);
}

bool WriteDesktopEntry(const QString& path, const QString& programPath)
{
    const QString existing = ReadText(path);
    const QString text = DesktopEntryText(programPath);
    const bool inPlace = SameIgnoringCase(existing, text) && existing.contains(ExecLine(programPath));
    return !inPlace && WriteText(path, text);
}

bool WriteDefaultApplication(const QString& path)
{
    const QString existing = ReadText(path);
    return !DefaultIsInPlace(existing) && WriteText(path, MimeAppsText(existing));
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

QString MimePackageText()
{
    return QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
        "  <mime-type type=\"%1\">\n"
        "    <comment>puzfile</comment>\n"
        "    <alias type=\"%2\"/>\n"
        "    <glob pattern=\"*.puz\"/>\n"
        "    <glob pattern=\"*.gmd\"/>\n"
        "  </mime-type>\n"
        "  <mime-type type=\"%3\">\n"
        "    <comment>ipuz crossword</comment>\n"
        "    <sub-class-of type=\"application/json\"/>\n"
        "    <glob pattern=\"*.ipuz\"/>\n"
        "  </mime-type>\n"
        "</mime-info>\n")
        .arg(QLatin1String(kPuzzleContentType), QLatin1String(kFormerContentType), QLatin1String(kIpuzContentType));
}

QString DesktopEntryText(const QString& programPath)
{
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=Gridmoor\n")
        + ExecLine(programPath)
        + QStringLiteral("\nIcon=%1\n"
                         "Terminal=false\n"
                         "MimeType=%2;%3;\n"
                         "Categories=Game;LogicGame;\n")
              .arg(QLatin1String(kIconName), QLatin1String(kPuzzleContentType), QLatin1String(kIpuzContentType));
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
    const bool defaultWritten = WriteDefaultApplication(configHome + QStringLiteral("/mimeapps.list"));

    if (packageWritten || MimeCacheIsStale(mimeFolder, packagePath))
        RunTool("update-mime-database", mimeFolder);
    if (entryWritten)
        RunTool("update-desktop-database", applicationsFolder);
    return int(packageWritten) + int(entryWritten) + int(defaultWritten);
}
