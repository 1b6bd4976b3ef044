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
    case DownloadFailure::TooManyRedirects:
        return QStringLiteral("The server sent the download on to another address too many times.");
    case DownloadFailure::TooLarge:
        return QStringLiteral("The download was stopped: the file is larger than 8 MB, far more than any puzzle.");
    case DownloadFailure::NotAPuzzle:
        return QStringLiteral("The downloaded file is not a puzzle");
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
