#pragma once

#include <QByteArray>
#include <QDate>
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

// The address a link is fetched from on that day: its date fields filled in,
// then the scheme rule above.
DownloadAddress DatedDownloadUrl(const QString& linkUrl, const QDate& today);

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

// Whether the link's login and password may answer a challenge from the
// address a request went to: only the link's own scheme, host and port get
// them, never the server a redirect led to.
bool MayReceiveCredentials(const QUrl& link, const QUrl& asking);

// A redirect from an https address to an http one would carry on in the clear.
bool IsInsecureRedirect(const QUrl& from, const QUrl& to);

// Where a downloaded puzzle goes: the first of the names the download would
// get (numbered "_2", "_3", ... after the first) that is free. A file already
// there under one of these names that holds the same puzzle, with or without
// progress, is the download itself: nothing is written and that file is
// opened instead. No existing file, and never the open puzzle's, is replaced.
struct DownloadTarget {
    QString path;             // empty when no name is free
    bool alreadyThere = false;
};
DownloadTarget ChooseDownloadTarget(const DownloadName& name, const QByteArray& body, const QString& openPuzzlePath,
                                    const QDate& today = QDate::currentDate());
