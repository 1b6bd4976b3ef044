#include "data/mime_apps_list.h"

#include "data/file_type_registration.h"

#include <QList>
#include <QStringList>

#include <algorithm>

namespace {

constexpr char kDefaultsGroup[] = "[Default Applications]";

bool SameIgnoringCase(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

bool IsGroupHeader(const QString& line)
{
    return line.trimmed().startsWith(u'[');
}

bool IsDefaultsGroup(const QString& line)
{
    return line.trimmed() == QLatin1String(kDefaultsGroup);
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

// The desktop entry a "type=entries" line names first: the default.
QString FirstEntryOf(const QString& line)
{
    return ValueOf(line).section(u';', 0, 0).trimmed();
}

bool IsThisProgramsEntry(const QString& entry)
{
    return SameIgnoringCase(entry, QLatin1String(kDesktopEntryName))
        || SameIgnoringCase(entry, QLatin1String(kFormerDesktopEntryName));
}

bool NamesAnotherProgram(const QString& line)
{
    const QString entry = FirstEntryOf(line);
    return !entry.isEmpty() && !IsThisProgramsEntry(entry);
}

bool IsKeyOf(const QString& key, const RegisteredFileType& type)
{
    return SameIgnoringCase(key, type.mediaType)
        || std::any_of(type.aliases.cbegin(), type.aliases.cend(),
                       [&key](const QString& alias) { return SameIgnoringCase(key, alias); });
}

// The lines of the defaults groups that give the type a default, under its
// media type or one of its aliases.
QList<qsizetype> DefaultLinesOf(const QStringList& lines, const RegisteredFileType& type)
{
    QList<qsizetype> found;
    bool inDefaults = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (IsGroupHeader(lines[i]))
            inDefaults = IsDefaultsGroup(lines[i]);
        else if (inDefaults && IsKeyOf(KeyOf(lines[i]), type))
            found << i;
    }
    return found;
}

bool IsInPlace(const QString& line, const RegisteredFileType& type)
{
    return SameIgnoringCase(KeyOf(line), type.mediaType)
        && SameIgnoringCase(FirstEntryOf(line), QLatin1String(kDesktopEntryName));
}

// The type's default line naming this program's entry; the entries after the
// first of the line it replaces (the user's fallbacks) stay.
QString DefaultLine(const RegisteredFileType& type, const QString& replaced)
{
    const QString fallbacks = ValueOf(replaced).section(u';', 1);
    return type.mediaType + u'=' + QLatin1String(kDesktopEntryName)
        + (fallbacks.isEmpty() ? QString() : u';' + fallbacks);
}

// After the last line of the defaults group, or in a new group at the end.
qsizetype InsertionPoint(QStringList* lines)
{
    qsizetype insertAt = -1;
    bool inDefaults = false;
    for (qsizetype i = 0; i < lines->size(); ++i) {
        if (IsGroupHeader(lines->at(i))) {
            inDefaults = IsDefaultsGroup(lines->at(i));
            if (inDefaults)
                insertAt = i + 1;
        } else if (inDefaults && !lines->at(i).trimmed().isEmpty()) {
            insertAt = i + 1;
        }
    }
    if (insertAt >= 0)
        return insertAt;
    if (!lines->isEmpty() && !lines->last().trimmed().isEmpty())
        lines->append(QString());
    lines->append(QLatin1String(kDefaultsGroup));
    return lines->size();
}

// One line names this program for the type, where its first default line
// was; further lines of this program for the type (under an alias or the
// former entry name) go.
bool MakeDefaultFor(QStringList* lines, const RegisteredFileType& type)
{
    const QList<qsizetype> found = DefaultLinesOf(*lines, type);
    if (std::any_of(found.cbegin(), found.cend(), [lines](qsizetype i) { return NamesAnotherProgram(lines->at(i)); }))
        return false;
    if (found.size() == 1 && IsInPlace(lines->at(found.first()), type))
        return false;
    if (found.isEmpty()) {
        const qsizetype at = InsertionPoint(lines);
        lines->insert(at, DefaultLine(type, QString()));
        return true;
    }
    (*lines)[found.first()] = DefaultLine(type, lines->at(found.first()));
    for (qsizetype k = found.size() - 1; k > 0; --k)
        lines->removeAt(found[k]);
    return true;
}

} // namespace

bool MakeThisProgramTheDefault(QString* mimeAppsText)
{
    QStringList lines = mimeAppsText->split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    bool changed = false;
    for (const RegisteredFileType& type : RegisteredFileTypes())
        changed = MakeDefaultFor(&lines, type) || changed;
    if (changed)
        *mimeAppsText = lines.join(u'\n') + u'\n';
    return changed;
}
