#include "ui/http/qt_http_fetcher.h"

#include <QAuthenticator>
#include <QNetworkAccessManager>
#include <QNetworkProxyFactory>
#include <QNetworkReply>
#include <QNetworkRequest>

namespace {

// Errors below the HTTP layer (connection, TLS, proxy, redirects) are
// described by the network library; the others come with a status code.
bool IsTransportError(QNetworkReply::NetworkError error)
{
    return error != QNetworkReply::NoError && error < QNetworkReply::ContentAccessDenied;
}

NetworkProblem ProblemOf(QNetworkReply::NetworkError error)
{
    switch (error) {
    case QNetworkReply::ConnectionRefusedError:
        return NetworkProblem::Refused;
    case QNetworkReply::RemoteHostClosedError:
        return NetworkProblem::Closed;
    case QNetworkReply::HostNotFoundError:
        return NetworkProblem::HostNotFound;
    case QNetworkReply::TimeoutError:
        return NetworkProblem::TimedOut;
    case QNetworkReply::SslHandshakeFailedError:
        return NetworkProblem::Secure;
    case QNetworkReply::TemporaryNetworkFailureError:
    case QNetworkReply::NetworkSessionFailedError:
        return NetworkProblem::Offline;
    default:
        break;
    }
    if (error >= QNetworkReply::ProxyConnectionRefusedError && error < QNetworkReply::ContentAccessDenied)
        return NetworkProblem::Proxy;
    return NetworkProblem::Other;
}

QNetworkRequest MakeRequest(const QUrl& url)
{
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::UserAgentHeader, QStringLiteral("Gridmoor"));
    // An encoded body would be unpacked by the library and no longer match
    // the announced length.
    request.setRawHeader("Accept-Encoding", "identity");
    // Redirects are followed by the caller, so that their number, their
    // schemes and who gets the link's credentials are checked.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    return request;
}

} // namespace

QtHttpFetcher::QtHttpFetcher(HttpFetchEvents& events)
    : events_(events), manager_(new QNetworkAccessManager(this))
{
    QNetworkProxyFactory::setUseSystemConfiguration(true);
    connect(manager_, &QNetworkAccessManager::authenticationRequired, this,
            [this](QNetworkReply* reply, QAuthenticator* authenticator) {
                QString user;
                QString password;
                if (reply != reply_ || !events_.OnCredentials(reply->url(), user, password))
                    return;
                authenticator->setUser(user);
                authenticator->setPassword(password);
            });
}

QtHttpFetcher::~QtHttpFetcher()
{
    Release();
}

void QtHttpFetcher::Get(const QUrl& url, qint64 readBufferBytes)
{
    Release();
    reply_ = manager_->get(MakeRequest(url));
    reply_->setReadBufferSize(readBufferBytes);
    connect(reply_, &QNetworkReply::metaDataChanged, this, [this] { events_.OnHead(); });
    connect(reply_, &QNetworkReply::readyRead, this, [this] { events_.OnBody(); });
    connect(reply_, &QNetworkReply::finished, this, [this] { events_.OnEnd(); });
}

void QtHttpFetcher::Release()
{
    if (reply_ == nullptr)
        return;
    QNetworkReply* reply = reply_;
    reply_ = nullptr;
    reply->disconnect(this);
    // Deleting a reply that is still running aborts its request.
    reply->deleteLater();
}

void QtHttpFetcher::Abort()
{
    if (reply_ != nullptr)
        reply_->abort();
}

int QtHttpFetcher::Status() const
{
    const QVariant status = reply_->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    return status.isValid() ? status.toInt() : -1;
}

QUrl QtHttpFetcher::RedirectTarget() const
{
    return reply_->attribute(QNetworkRequest::RedirectionTargetAttribute).toUrl();
}

qint64 QtHttpFetcher::ContentLength() const
{
    const QVariant length = reply_->header(QNetworkRequest::ContentLengthHeader);
    return length.isValid() ? length.toLongLong() : -1;
}

QByteArray QtHttpFetcher::RawHeader(const QByteArray& name) const
{
    return reply_->rawHeader(name);
}

QUrl QtHttpFetcher::ReplyUrl() const
{
    return reply_->url();
}

HttpFailure QtHttpFetcher::Failure() const
{
    HttpFailure failure;
    const QNetworkReply::NetworkError error = reply_->error();
    if (error == QNetworkReply::NoError)
        return failure;
    failure.failed = true;
    failure.transport = IsTransportError(error);
    failure.problem = ProblemOf(error);
    failure.text = reply_->errorString();
    return failure;
}

qint64 QtHttpFetcher::BytesAvailable() const
{
    return reply_->bytesAvailable();
}

qint64 QtHttpFetcher::Read(char* data, qint64 maxSize)
{
    return reply_->read(data, maxSize);
}
