#include "data/download_messages.h"

QString DownloadFailureText(DownloadFailure failure, const QString& detail)
{
    switch (failure) {
    case DownloadFailure::NetworkOrServer:
        break;
    case DownloadFailure::UnsupportedScheme:
        return QStringLiteral("The link's address begins with \"%1:\". Only addresses beginning with http:// "
                              "or https:// can be downloaded.")
            .arg(detail);
    case DownloadFailure::RedirectScheme:
        return QStringLiteral("The server sent the download on to a \"%1:\" address. Only http:// and "
                              "https:// addresses can be downloaded.")
            .arg(detail);
    case DownloadFailure::InsecureRedirect:
        return QStringLiteral("The server tried to move the download to an insecure address.");
    case DownloadFailure::TooManyRedirects:
        return QStringLiteral("The server sent the download on to another address too many times.");
    case DownloadFailure::TooLarge:
        return QStringLiteral("The download was stopped: the file is larger than 8 MB, far more than any puzzle.");
    case DownloadFailure::NotAPuzzle:
        return QStringLiteral("The downloaded file is not a puzzle");
    case DownloadFailure::TimedOut:
        return QStringLiteral("The server sent nothing for %1 seconds, so the download was stopped. "
                              "Try again later.")
            .arg(detail);
    case DownloadFailure::NoFreeName:
        return QStringLiteral("The puzzle was not saved: the puzzle folder already holds too many files of that name.");
    }
    return QStringLiteral("The puzzle has not been downloaded because of network or server problem");
}

QString StatusText(int status)
{
    switch (status) {
    case 400:
        return QStringLiteral("Error 400 - Bad Request");
    case 401:
        return QStringLiteral("Error 401 - Authorization Required");
    case 403:
        return QStringLiteral("Error 403 - Access Forbidden");
    case 404:
        return QStringLiteral("Error 404 - Requested URL not found");
    case 408:
        return QStringLiteral("Error 408 - Request Timeout");
    case 500:
        return QStringLiteral("Error 500 - Server Configuration Error");
    case 503:
        return QStringLiteral("Error 503 - Server capacity reached");
    default:
        return QStringLiteral("Unknown Error");
    }
}

QString DownloadErrorCaption()
{
    return QStringLiteral("Download Error");
}

namespace {

QString ProblemSentence(NetworkProblem problem)
{
    switch (problem) {
    case NetworkProblem::Refused:
        return QStringLiteral("The server did not accept the connection. It may be down, or the address may be wrong.");
    case NetworkProblem::Closed:
        return QStringLiteral("The server closed the connection before the whole puzzle arrived. Try again later.");
    case NetworkProblem::HostNotFound:
        return QStringLiteral("The server could not be found. Check the link's address and the connection to the "
                              "internet.");
    case NetworkProblem::TimedOut:
        return QStringLiteral("The server took too long to answer. Try again later.");
    case NetworkProblem::Secure:
        return QStringLiteral("A secure connection to the server could not be made.");
    case NetworkProblem::Proxy:
        return QStringLiteral("The proxy server that the system settings name did not pass the download on.");
    case NetworkProblem::Offline:
        return QStringLiteral("The network is not available. Check the connection to the internet.");
    case NetworkProblem::Other:
        break;
    }
    return QStringLiteral("The puzzle has not been downloaded because of a network or server problem.");
}

QString WithDetails(const QString& sentence, const QString& libraryWords)
{
    return libraryWords.isEmpty() ? sentence : sentence + QStringLiteral("\n\nDetails: ") + libraryWords;
}

} // namespace

QString NetworkFailureText(NetworkProblem problem, const QString& libraryWords)
{
    return WithDetails(ProblemSentence(problem), libraryWords);
}

QString ModuleFailureText(const QString& libraryWords)
{
    return WithDetails(QStringLiteral("The download could not start: the part of Gridmoor that downloads is missing "
                                      "or damaged. Installing Gridmoor again repairs it."),
                       libraryWords);
}

QString SaveFailureText(const QString& folder, const QString& libraryWords)
{
    return WithDetails(QStringLiteral("The puzzle arrived but could not be saved in the folder %1.").arg(folder),
                       libraryWords);
}
