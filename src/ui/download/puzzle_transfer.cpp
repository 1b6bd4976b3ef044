#include "ui/download/puzzle_transfer.h"

#include "core/puzzle_format.h"
#include "core/puzzle_identity.h"
#include "data/download_messages.h"
#include "data/download_rules.h"

#include <QAuthenticator>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkProxyFactory>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSaveFile>

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
    // Redirects are followed here, so that their number, their schemes and
    // who gets the link's credentials are checked.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    return request;
}

} // namespace

CPuzzleTransfer::CPuzzleTransfer(const URLEntry& link, const QString& openPuzzlePath, QObject* parent)
    : QObject(parent), link_(link), openPuzzlePath_(openPuzzlePath)
{
    idleTimer_.setSingleShot(true);
    idleTimer_.setInterval(kIdleTimeout);
    connect(&idleTimer_, &QTimer::timeout, this, &CPuzzleTransfer::OnIdle);
}

CPuzzleTransfer::~CPuzzleTransfer()
{
    ReleaseReply();
}

void CPuzzleTransfer::SetIdleTimeout(std::chrono::milliseconds timeout)
{
    idleTimer_.setInterval(timeout);
}

void CPuzzleTransfer::Start()
{
    if (started_ || finished_)
        return;
    started_ = true;
    const DownloadAddress address = DatedDownloadUrl(link_.url, QDate::currentDate());
    if (!address.error.isEmpty()) {
        Fail(address.error);
        return;
    }
    url_ = address.url;
    QNetworkProxyFactory::setUseSystemConfiguration(true);
    manager_ = new QNetworkAccessManager(this);
    connect(manager_, &QNetworkAccessManager::authenticationRequired, this,
            &CPuzzleTransfer::OnAuthenticationRequired);
    Request(url_);
}

void CPuzzleTransfer::Request(const QUrl& url)
{
    credentialsGiven_ = false;
    reply_ = manager_->get(MakeRequest(url));
    // A bounded buffer keeps each read pass short, so the windows stay responsive on a fast line.
    reply_->setReadBufferSize(kReadBufferBytes);
    connect(reply_, &QNetworkReply::metaDataChanged, &idleTimer_, qOverload<>(&QTimer::start));
    connect(reply_, &QNetworkReply::readyRead, this, &CPuzzleTransfer::OnReadyRead);
    connect(reply_, &QNetworkReply::finished, this, &CPuzzleTransfer::OnReplyFinished);
    idleTimer_.start();
}

void CPuzzleTransfer::Abort()
{
    if (finished_)
        return;
    aborted_ = true;
    if (reply_ == nullptr)
        Fail(DownloadFailureText(DownloadFailure::NetworkOrServer), DownloadOutcome::Kind::Stopped);
    else
        reply_->abort();
}

void CPuzzleTransfer::OnIdle()
{
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(idleTimer_.intervalAsDuration());
    Fail(DownloadFailureText(DownloadFailure::TimedOut, QString::number(seconds.count())),
         DownloadOutcome::Kind::TimedOut);
}

// The link's login and password answer the first challenge of the link's own
// server; a second one means they were refused, and the reply ends with its
// 401. Another server, one a redirect led to, never gets them.
void CPuzzleTransfer::OnAuthenticationRequired(QNetworkReply* reply, QAuthenticator* authenticator)
{
    if (reply != reply_ || credentialsGiven_ || link_.login.isEmpty() || link_.password.isEmpty()
        || !MayReceiveCredentials(url_, reply->url()))
        return;
    credentialsGiven_ = true;
    authenticator->setUser(link_.login.trimmed());
    authenticator->setPassword(link_.password.trimmed());
}

// A 3xx reply without a usable Location is an answer of its own, not a redirect.
bool CPuzzleTransfer::IsRedirect() const
{
    const int status = reply_->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    return status >= 300 && status < 400
        && !reply_->attribute(QNetworkRequest::RedirectionTargetAttribute).toUrl().isEmpty();
}

void CPuzzleTransfer::FollowRedirect()
{
    const QUrl next = reply_->url().resolved(reply_->attribute(QNetworkRequest::RedirectionTargetAttribute).toUrl());
    if (!IsDownloadScheme(next.scheme())) {
        Fail(DownloadFailureText(DownloadFailure::RedirectScheme, next.scheme()));
        return;
    }
    if (IsInsecureRedirect(reply_->url(), next)) {
        Fail(DownloadFailureText(DownloadFailure::InsecureRedirect));
        return;
    }
    if (++redirects_ > kMaxRedirects) {
        Fail(DownloadFailureText(DownloadFailure::TooManyRedirects));
        return;
    }
    ReleaseReply();
    Request(next);
}

void CPuzzleTransfer::OnReadyRead()
{
    if (finished_)
        return;
    idleTimer_.start();
    if (!headChecked_ && IsRedirect()) {
        reply_->readAll();
        return;
    }
    if (!headChecked_ && !CheckReplyHead())
        return;
    ReadAvailable();
}

void CPuzzleTransfer::OnReplyFinished()
{
    if (finished_)
        return;
    if (aborted_) {
        Fail(DownloadFailureText(DownloadFailure::NetworkOrServer), DownloadOutcome::Kind::Stopped);
        return;
    }
    const QNetworkReply::NetworkError error = reply_->error();
    if (!headChecked_) {
        const bool hasStatus = reply_->attribute(QNetworkRequest::HttpStatusCodeAttribute).isValid();
        if (IsTransportError(error) || !hasStatus) {
            Fail(error != QNetworkReply::NoError ? NetworkFailureText(ProblemOf(error), reply_->errorString())
                                                 : StatusText(-1));
            return;
        }
        if (IsRedirect()) {
            FollowRedirect();
            return;
        }
        if (!CheckReplyHead())
            return;
    }
    ReadAvailable();
    if (finished_)
        return;
    const qint64 total = body_.size();
    if ((length_ >= 0 && total != length_) || (length_ < 0 && total == 0 && error == QNetworkReply::NoError))
        Fail(DownloadFailureText(DownloadFailure::NetworkOrServer));
    else if (error != QNetworkReply::NoError)
        Fail(NetworkFailureText(ProblemOf(error), reply_->errorString()));
    else
        Complete();
}

// Status and length, once the reply's head is in: anything but 200 is
// reported by its status text; an empty or oversized body ends the transfer.
bool CPuzzleTransfer::CheckReplyHead()
{
    headChecked_ = true;
    const QVariant status = reply_->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (!status.isValid() || status.toInt() != 200) {
        Fail(StatusText(status.isValid() ? status.toInt() : -1));
        return false;
    }
    const QVariant length = reply_->header(QNetworkRequest::ContentLengthHeader);
    length_ = length.isValid() ? length.toLongLong() : -1;
    if (length_ == 0) {
        Fail(DownloadFailureText(DownloadFailure::NetworkOrServer));
        return false;
    }
    if (length_ > kMaxBodyBytes) {
        Fail(DownloadFailureText(DownloadFailure::TooLarge));
        return false;
    }
    serverName_ = ServerFileName(QString::fromUtf8(reply_->rawHeader("Content-Disposition")));
    return true;
}

void CPuzzleTransfer::ReadAvailable()
{
    char block[kBlockBytes];
    while (!finished_ && reply_->bytesAvailable() > 0) {
        const qint64 size = reply_->read(block, kBlockBytes);
        if (size <= 0)
            return;
        if (body_.size() + size > kMaxBodyBytes) {
            Fail(DownloadFailureText(DownloadFailure::TooLarge));
            return;
        }
        body_.append(block, size);
        emit BytesWrittenChanged(body_.size());
    }
}

// A body is a puzzle when it has a format's structure and the model reads
// it: whatever is saved also opens.
void CPuzzleTransfer::Complete()
{
    if (DetectPuzzleFormat(body_) == PuzzleFormat::None || !IdentifyPuzzle(body_).readable) {
        Fail(DownloadFailureText(DownloadFailure::NotAPuzzle), DownloadOutcome::Kind::NotAPuzzle);
        return;
    }
    const DownloadName name = ChooseDownloadName(serverName_, RequestObject(url_), link_.name);
    const DownloadTarget target = ChooseDownloadTarget(name, body_, openPuzzlePath_);
    if (target.path.isEmpty()) {
        Fail(DownloadFailureText(DownloadFailure::NoFreeName));
        return;
    }
    target_ = target.path;
    alreadyThere_ = target.alreadyThere;
    if (alreadyThere_ || Save())
        End(true);
}

bool CPuzzleTransfer::Save()
{
    QSaveFile file(target_);
    if (file.open(QIODevice::WriteOnly) && file.write(body_) == body_.size() && file.commit())
        return true;
    Fail(SaveFailureText(QFileInfo(target_).absolutePath(), file.errorString()));
    return false;
}

void CPuzzleTransfer::Fail(const QString& text, DownloadOutcome::Kind kind)
{
    if (finished_)
        return;
    errorText_ = text;
    failure_ = kind;
    End(false);
}

void CPuzzleTransfer::End(bool succeeded)
{
    finished_ = true;
    succeeded_ = succeeded;
    idleTimer_.stop();
    ReleaseReply();
    QMetaObject::invokeMethod(this, [this] { emit Finished(succeeded_); }, Qt::QueuedConnection);
}

DownloadOutcome CPuzzleTransfer::Outcome() const
{
    DownloadOutcome outcome;
    outcome.linkName = link_.name;
    if (!finished_)
        return outcome;
    if (succeeded_) {
        outcome.kind = alreadyThere_ ? DownloadOutcome::Kind::AlreadyThere : DownloadOutcome::Kind::Saved;
        outcome.path = target_;
        return outcome;
    }
    outcome.kind = failure_;
    outcome.message = errorText_;
    return outcome;
}

void CPuzzleTransfer::ReleaseReply()
{
    if (reply_ == nullptr)
        return;
    QNetworkReply* reply = reply_;
    reply_ = nullptr;
    reply->disconnect(this);
    reply->disconnect(&idleTimer_);
    // Deleting a reply that is still running aborts its request.
    reply->deleteLater();
}
