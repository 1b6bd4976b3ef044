#pragma once

#include <QString>

// The texts a failed download shows, all under the caption "Download Error".

// Why a download failed, where the text is the program's own; internet and
// file errors show the description their library gives instead.
enum class DownloadFailure {
    NetworkOrServer,   // the general message: no usable reply, an empty or cut body, Abort
    UnsupportedScheme, // a link whose scheme is neither http nor https; detail: the scheme
    RedirectScheme,    // a redirect to such an address; detail: the scheme
    InsecureRedirect,  // a redirect from an https address to an http one
    TooManyRedirects,  // more redirects in a row than any server needs
    TooLarge,          // a body beyond the size limit, far more than any puzzle
    NotAPuzzle,        // a complete body that is no puzzle file (an error page, say)
    TimedOut,          // nothing arrived for a while; detail: the seconds waited
    NoFreeName,        // every numbered name for the file is taken
};

QString DownloadFailureText(DownloadFailure failure, const QString& detail = QString());

// The text for an HTTP status other than 200; "Unknown Error" for one without
// its own text, and for a reply without a readable status (pass -1).
QString StatusText(int status);

// The caption of every message about a failed download.
QString DownloadErrorCaption();

// The program's download module could not be loaded; libraryWords says why.
QString ModuleFailureText(const QString& libraryWords);

// What went wrong below HTTP, as the window layer reads it from the network
// library, so that the user gets a sentence before the library's own words.
enum class NetworkProblem {
    Refused,      // nobody accepts connections at the address
    Closed,       // the server hung up before the whole puzzle arrived
    HostNotFound, // the server's name is unknown
    TimedOut,     // the network library gave up waiting
    Secure,       // the secure (TLS) connection failed
    Proxy,        // the proxy server failed
    Offline,      // the network is not available
    Other,
};

// The sentence for the problem, followed by the library's description.
QString NetworkFailureText(NetworkProblem problem, const QString& libraryWords);

// A puzzle that arrived but could not be saved in the folder: the sentence,
// followed by the file library's description.
QString SaveFailureText(const QString& folder, const QString& libraryWords);
