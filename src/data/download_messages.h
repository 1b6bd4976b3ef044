#pragma once

#include <QString>

// The texts a failed download shows, all under the caption "Download Error".

// Why a download failed, where the text is the program's own; internet and
// file errors show the description their library gives instead.
enum class DownloadFailure {
    NetworkOrServer,   // the general message: no usable reply, an empty or cut body, Abort
    UnsupportedScheme, // a link whose scheme is neither http nor https; detail: the scheme
    RedirectScheme,    // a redirect to such an address; detail: the scheme
    TooManyRedirects,  // more redirects in a row than any server needs
    TooLarge,          // a body beyond the size limit, far more than any puzzle
    NotAPuzzle,        // a complete body that is no puzzle file (an error page, say)
};

QString DownloadFailureText(DownloadFailure failure, const QString& detail = QString());

// The text for an HTTP status other than 200; "Unknown Error" for one without
// its own text, and for a reply without a readable status (pass -1).
QString StatusText(int status);

// The caption of every message about a failed download.
QString DownloadErrorCaption();
