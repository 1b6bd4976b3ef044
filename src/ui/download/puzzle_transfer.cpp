#include "ui/download/puzzle_transfer.h"

#include "core/puzzle_folders.h"
#include "data/download_messages.h"
#include "data/download_rules.h"

#include <QAuthenticator>
#include <QNetworkAccessManager>
#include <QNetworkProxyFactory>
#include <QNetworkReply>
#include <QNetworkRequest>

#include <cstdio>

namespace {

// Errors below the HTTP layer (connection, TLS, proxy, redirects) are
// described by the network library; the others come with a status code.
bool IsTransportError(QNetworkReply::NetworkError error)
{
    return error != QNetworkReply::NoError && error < QNetworkReply::ContentAccessDenied;
}

QNetworkRequest MakeRequest(const QUrl& url)
{
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::UserAgentHeader, QStringLiteral("Gridmoor"));
    // An encoded body would be unpacked by the library and no longer match
    // the announced length.
    request.setRawHeader("Accept-Encoding", "identity");
    // Redirects are followed here, so that their number and their schemes are checked.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    return request;
}

} // namespace

CPuzzleTransfer::CPuzzleTransfer(const URLEntry& link, const QString& openPuzzlePath, QObject* parent)
    : QObject(parent), link_(link), openPuzzlePath_(openPuzzlePath)
{
}

CPuzzleTransfer::~CPuzzleTransfer()
{
    ReleaseReply();
}

void CPuzzleTransfer::Start()
{
    if (started_ || finished_)
        return;
    started_ = true;
    const DownloadAddress address = DownloadUrl(link_.url);
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
    connect(reply_, &QNetworkReply::readyRead, this, &CPuzzleTransfer::OnReadyRead);
    connect(reply_, &QNetworkReply::finished, this, &CPuzzleTransfer::OnReplyFinished);
}

void CPuzzleTransfer::Abort()
{
    if (finished_)
        return;
    aborted_ = true;
    if (reply_ == nullptr)
        Fail(DownloadFailureText(DownloadFailure::NetworkOrServer));
    else
        reply_->abort();
}

// The link's login and password answer the server's first challenge; a
// second one means they were refused, and the reply ends with its 401.
void CPuzzleTransfer::OnAuthenticationRequired(QNetworkReply* reply, QAuthenticator* authenticator)
{
    if (reply != reply_ || credentialsGiven_ || link_.login.isEmpty() || link_.password.isEmpty())
        return;
    credentialsGiven_ = true;
    authenticator->setUser(link_.login.trimmed());
    authenticator->setPassword(link_.password.trimmed());
}

bool CPuzzleTransfer::IsRedirect() const
{
    const int status = reply_->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    return status >= 300 && status < 400 && reply_->attribute(QNetworkRequest::RedirectionTargetAttribute).isValid();
}

void CPuzzleTransfer::FollowRedirect()
{
    const QUrl next = reply_->url().resolved(reply_->attribute(QNetworkRequest::RedirectionTargetAttribute).toUrl());
    if (!IsDownloadScheme(next.scheme())) {
        Fail(DownloadFailureText(DownloadFailure::RedirectScheme, next.scheme()));
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
        Fail(DownloadFailureText(DownloadFailure::NetworkOrServer));
        return;
    }
    const QNetworkReply::NetworkError error = reply_->error();
    if (!headChecked_) {
        const bool hasStatus = reply_->attribute(QNetworkRequest::HttpStatusCodeAttribute).isValid();
        if (IsTransportError(error) || !hasStatus) {
            Fail(error != QNetworkReply::NoError ? reply_->errorString() : StatusText(-1));
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
    if ((length_ >= 0 && total_ != length_) || (length_ < 0 && total_ == 0 && error == QNetworkReply::NoError))
        Fail(DownloadFailureText(DownloadFailure::NetworkOrServer));
    else if (error != QNetworkReply::NoError)
        Fail(reply_->errorString());
    else
        Complete();
}

// Status, length and name, once the reply's head is in: anything but 200 is
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
    return OpenTarget();
}

bool CPuzzleTransfer::OpenTarget()
{
    const QString serverName = ServerFileName(QString::fromUtf8(reply_->rawHeader("Content-Disposition")));
    const DownloadName name = ChooseDownloadName(serverName, RequestObject(url_), link_.name);
    target_ = AvoidOpenPuzzle(MakeDownloadPath(name.base, name.fromServer), openPuzzlePath_);
    file_.setFileName(target_);
    if (!file_.open(QIODevice::WriteOnly)) {
        Fail(file_.errorString());
        return false;
    }
    return true;
}

void CPuzzleTransfer::ReadAvailable()
{
    char block[kBlockBytes];
    while (!finished_ && reply_->bytesAvailable() > 0) {
        const qint64 size = reply_->read(block, kBlockBytes);
        if (size <= 0 || !WriteBlock(block, size))
            return;
    }
}

bool CPuzzleTransfer::WriteBlock(const char* data, qint64 size)
{
    if (total_ + size > kMaxBodyBytes) {
        Fail(DownloadFailureText(DownloadFailure::TooLarge));
        return false;
    }
    if (file_.write(data, size) != size) {
        Fail(file_.errorString());
        return false;
    }
    if (head_.size() < kPuzzleProbeBytes)
        head_.append(data, qMin<qint64>(size, kPuzzleProbeBytes - head_.size()));
    total_ += size;
    emit BytesWrittenChanged(total_);
    return true;
}

void CPuzzleTransfer::Complete()
{
    if (!IsPuzzleContent(head_)) {
        Fail(DownloadFailureText(DownloadFailure::NotAPuzzle));
        return;
    }
    if (!file_.commit()) {
        Fail(file_.errorString());
        return;
    }
    // The ending follows the content: an ipuz puzzle fetched under a ".puz"
    // name is renamed once it is whole.
    const QString kept = PathForContent(target_, head_);
    if (kept != target_ && std::rename(QFile::encodeName(target_).constData(), QFile::encodeName(kept).constData()) == 0)
        target_ = kept;
    End(true);
}

void CPuzzleTransfer::Fail(const QString& text)
{
    if (finished_)
        return;
    errorText_ = text;
    if (file_.isOpen())
        file_.cancelWriting();
    End(false);
}

void CPuzzleTransfer::End(bool succeeded)
{
    finished_ = true;
    succeeded_ = succeeded;
    ReleaseReply();
    // Discards the temporary file of a failed transfer now rather than with the object.
    if (file_.isOpen())
        file_.commit();
    QMetaObject::invokeMethod(this, [this] { emit Finished(succeeded_); }, Qt::QueuedConnection);
}

void CPuzzleTransfer::ReleaseReply()
{
    if (reply_ == nullptr)
        return;
    QNetworkReply* reply = reply_;
    reply_ = nullptr;
    reply->disconnect(this);
    reply->deleteLater();
}
