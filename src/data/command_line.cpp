#include "data/command_line.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {

qsizetype LeadingBlanks(const QString& text)
{
    qsizetype count = 0;
    while (count < text.size() && text.at(count).isSpace())
        ++count;
    return count;
}

qsizetype TrailingBlanks(const QString& text)
{
    qsizetype count = 0;
    while (count < text.size() && text.at(text.size() - 1 - count).isSpace())
        ++count;
    return count;
}

// The path under folder as the file system reads it: ".." after a symbolic
// link leads out of the folder the link points to, so dot folders are never
// removed as text. Where the file's folder exists, the system resolves it
// into a plain path; the file's own name stays as given.
QString JoinedToFolder(const QString& folder, const QString& path)
{
    const QString joined = QDir(folder).filePath(path);
    const qsizetype slash = joined.lastIndexOf(u'/');
    const QString name = joined.mid(slash + 1);
    const QString resolved = QFileInfo(joined.left(std::max<qsizetype>(slash, 1))).canonicalFilePath();
    if (resolved.isEmpty() || name.isEmpty() || name == u"." || name == u"..")
        return joined;
    return resolved.endsWith(u'/') ? resolved + name : resolved + u'/' + name;
}

} // namespace

QString CommandLineFromArguments(const QStringList& arguments, const QString& workingFolder)
{
    const QString joined = arguments.mid(1).join(u' ');
    const qsizetype leading = LeadingBlanks(joined);
    if (leading == joined.size() || workingFolder.isEmpty())
        return joined;
    const qsizetype trailing = TrailingBlanks(joined);
    const QString path = joined.mid(leading, joined.size() - leading - trailing);
    if (QDir::isAbsolutePath(path))
        return joined;
    return joined.left(leading) + JoinedToFolder(workingFolder, path) + joined.right(trailing);
}
