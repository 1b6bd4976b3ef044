#include "data/download_rules.h"

#include "core/puzzle_folders.h"
#include "core/puzzle_format.h"
#include "core/puzzle_identity.h"
#include "data/date_fields.h"
#include "data/download_messages.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

namespace {

// A URL scheme followed by its colon, as it stands before the "//".
bool IsSchemePrefix(const QString& text)
{
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*:$"));
    return scheme.match(text).hasMatch();
}

bool IsControl(QChar c)
{
    return c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() <= 0x9F);
}

// Far above any puzzle; a bigger file is not read to be compared.
constexpr qint64 kLargestComparedFile = 16 * 1024 * 1024;

// A file in the way: the same puzzle as the download, or something else.
bool HoldsSamePuzzle(const QString& path, const QByteArray& body, const PuzzleIdentity& download)
{
    QFile file(path);
    if (file.size() > kLargestComparedFile || !file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray existing = file.readAll();
    if (existing == body)
        return true;
    const PuzzleIdentity identity = IdentifyPuzzle(existing);
    return identity.readable && download.readable && identity.fingerprint == download.fingerprint;
}

bool IsSamePath(const QString& a, const QString& b)
{
    return !b.isEmpty() && QDir::cleanPath(QFileInfo(a).absoluteFilePath()) == QDir::cleanPath(QFileInfo(b).absoluteFilePath());
}

} // namespace

DownloadAddress DownloadUrl(const QString& linkUrl)
{
    QString text = linkUrl.trimmed();
    const qsizetype slashes = text.indexOf(QStringLiteral("//"));
    if (slashes < 0) {
        text.prepend(QStringLiteral("http://"));
    } else if (slashes == 0) {
        text.prepend(QStringLiteral("http:"));
    } else {
        const QString prefix = text.left(slashes);
        if (!IsSchemePrefix(prefix))
            text.prepend(QStringLiteral("http://"));
        else if (!IsDownloadScheme(prefix.chopped(1)))
            return {QUrl(), DownloadFailureText(DownloadFailure::UnsupportedScheme, prefix.chopped(1))};
    }
    const QUrl url(text, QUrl::TolerantMode);
    if (!url.isValid() || url.host().isEmpty())
        return {QUrl(), DownloadFailureText(DownloadFailure::NetworkOrServer)};
    return {url, QString()};
}

DownloadAddress DatedDownloadUrl(const QString& linkUrl, const QDate& today)
{
    const DatedAddress dated = FillDateFields(linkUrl, today);
    return dated.error.isEmpty() ? DownloadUrl(dated.address) : DownloadAddress{QUrl(), dated.error};
}

bool IsDownloadScheme(const QString& scheme)
{
    return scheme.compare(QLatin1String("http"), Qt::CaseInsensitive) == 0
        || scheme.compare(QLatin1String("https"), Qt::CaseInsensitive) == 0;
}

// The value is cut into parts at ";" and the parts into tokens at "="; the
// token after "filename" (in any part) is the name, and the walk ends there.
QString ServerFileName(const QString& contentDisposition)
{
    QString previous;
    for (const QString& part : contentDisposition.split(u';', Qt::SkipEmptyParts)) {
        for (const QString& rawToken : part.trimmed().split(u'=', Qt::SkipEmptyParts)) {
            const QString token = rawToken.trimmed();
            if (previous.compare(QLatin1String("filename"), Qt::CaseInsensitive) == 0) {
                qsizetype first = 0;
                qsizetype last = token.size();
                const auto isEdge = [](QChar c) { return c == u'\t' || c == u' ' || c == u'"'; };
                while (first < last && isEdge(token.at(first)))
                    ++first;
                while (last > first && isEdge(token.at(last - 1)))
                    --last;
                return token.mid(first, last - first);
            }
            previous = token;
        }
    }
    return QString();
}

QString PlainFileName(const QString& name)
{
    const qsizetype cut = std::max(name.lastIndexOf(u'/'), name.lastIndexOf(u'\\'));
    QString plain;
    for (const QChar c : name.mid(cut + 1)) {
        if (!IsControl(c))
            plain += c;
    }
    qsizetype start = 0;
    while (start < plain.size() && (plain.at(start) == u'.' || plain.at(start).isSpace()))
        ++start;
    return plain.mid(start).trimmed();
}

QString RequestObject(const QUrl& url)
{
    QString object = url.path(QUrl::FullyDecoded);
    if (url.hasQuery())
        object += u'?' + url.query(QUrl::FullyEncoded);
    return object;
}

DownloadName ChooseDownloadName(const QString& serverName, const QString& object, const QString& linkName)
{
    const QString fromHeader = PlainFileName(serverName);
    if (!fromHeader.isEmpty())
        return {fromHeader, true};
    const QString relative = object.startsWith(u'/') ? object.mid(1) : object;
    const qsizetype cut = std::max({relative.lastIndexOf(u'/'), relative.lastIndexOf(u'\\'), relative.lastIndexOf(u':')});
    const QString component = relative.mid(cut + 1).left(255);
    if (!component.isEmpty() && relative.compare(component, Qt::CaseInsensitive) != 0) {
        const QString fromObject = PlainFileName(component);
        if (!fromObject.isEmpty())
            return {fromObject, true};
    }
    return {linkName, false};
}

bool MayReceiveCredentials(const QUrl& link, const QUrl& asking)
{
    const auto defaultPort = [](const QUrl& url) {
        return url.scheme().compare(QLatin1String("https"), Qt::CaseInsensitive) == 0 ? 443 : 80;
    };
    return link.scheme().compare(asking.scheme(), Qt::CaseInsensitive) == 0
        && link.host().compare(asking.host(), Qt::CaseInsensitive) == 0
        && link.port(defaultPort(link)) == asking.port(defaultPort(asking));
}

bool IsInsecureRedirect(const QUrl& from, const QUrl& to)
{
    return from.scheme().compare(QLatin1String("https"), Qt::CaseInsensitive) == 0
        && to.scheme().compare(QLatin1String("http"), Qt::CaseInsensitive) == 0;
}

DownloadTarget ChooseDownloadTarget(const DownloadName& name, const QByteArray& body, const QString& openPuzzlePath,
                                    const QDate& today)
{
    constexpr int kMostCopies = 999;
    const QString ending = PuzzleFileEnding(DetectPuzzleFormat(body));
    const PuzzleIdentity download = IdentifyPuzzle(body);
    for (int copy = 1; copy <= kMostCopies; ++copy) {
        const QString path = MakeDownloadPath(name.base, name.fromServer, today, ending, copy);
        const QFileInfo info(path);
        const bool taken = info.exists() || info.isSymLink() || IsSamePath(path, openPuzzlePath);
        if (!taken)
            return {path, false};
        if (info.isFile() && HoldsSamePuzzle(path, body, download))
            return {path, true};
    }
    return {};
}
