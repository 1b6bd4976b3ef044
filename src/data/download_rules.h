#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>

// The rules that turn a link and a server's reply into the file a download is
// saved as. Plain functions, so they are checked without a network or a window.

// The address a link is fetched from, or the message that says why it cannot be.
struct DownloadAddress {
    QUrl url;
    QString error; // empty when url is usable
};

// A link without a scheme gets "http://" in front (also one that starts with
// "//"); http and https links stay as they are. Any other scheme, or an
// address without a host, is refused with a message for the user.
DownloadAddress DownloadUrl(const QString& linkUrl);

// Only http and https may be fetched, also at the end of a redirect.
bool IsDownloadScheme(const QString& scheme);

// The file name a Content-Disposition value gives: the token after a
// "filename" key, without surrounding blanks, tabs and double quotes. Empty
// when there is no such key or its value is blank.
QString ServerFileName(const QString& contentDisposition);

// A name a server chose, reduced to a plain file name that stays inside the
// puzzle folder: its last path component, without control characters,
// surrounding white space and leading dots. May come out empty.
QString PlainFileName(const QString& name);

// The object the request asks for: the decoded path and the query as sent.
QString RequestObject(const QUrl& url);

struct DownloadName {
    QString base;
    bool fromServer = false; // a server's name is kept as it is: no date or extension added
};

// The server's name when it has one; else the last component of the object
// when the object lies in a folder (a script at the server's top level says
// nothing about the puzzle); else the link's name.
DownloadName ChooseDownloadName(const QString& serverName, const QString& object, const QString& linkName);

// The open puzzle's file is never replaced by a download: a target with the
// open puzzle's path gets "_" before its last four characters (before ".puz").
QString AvoidOpenPuzzle(const QString& target, const QString& openPuzzlePath);

// True when the first bytes of a download show one of the puzzle formats: a
// packed document, a binary crossword file, a plain document or an ipuz
// crossword.
bool IsPuzzleContent(const QByteArray& head);
// The name a download is kept under once its first bytes are known: an ipuz
// puzzle ends in ".ipuz" (replacing a ".puz" ending); others keep the target.
QString PathForContent(const QString& target, const QByteArray& head);
// How many leading bytes IsPuzzleContent needs to see.
constexpr qsizetype kPuzzleProbeBytes = 64 * 1024;
