#include "data/command_line.h"

#include <QDir>

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
    // "." and ".." are resolved by the text alone, as desktop programs
    // commonly do, so the recorded path reads as the user meant it.
    const QString absolute = QDir::cleanPath(QDir(workingFolder).absoluteFilePath(path));
    return joined.left(leading) + absolute + joined.right(trailing);
}
