#include "ui/download/puzzle_transfer.h"

#include "core/puzzle_format.h"
#include "core/puzzle_identity.h"
#include "data/download_messages.h"
#include "data/download_rules.h"

#include "ui/download/http_module_loader.h"

#include <QFileInfo>
#include <QSaveFile>

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
    QString moduleError;
    HttpFetcherFactory* module = LoadHttpModule(&moduleError);
    if (module == nullptr) {
        Fail(ModuleFailureText(moduleError));
        return;
    }
    fetcher_ = module->NewFetcher(*this);
    Request(url_);
}

void CPuzzleTransfer::Request(const QUrl& url)
{
    credentialsGiven_ = false;
    // A bounded buffer keeps each read pass short, so the windows stay responsive on a fast line.
    fetcher_->Get(url, kReadBufferBytes);
    idleTimer_.start();
}

void CPuzzleTransfer::Abort()
{
    if (finished_)
        return;
    aborted_ = true;
    if (fetcher_ == nullptr || !fetcher_->HasReply())
        Fail(DownloadFailureText(DownloadFailure::NetworkOrServer), DownloadOutcome::Kind::Stopped);
    else
        fetcher_->Abort();
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
bool CPuzzleTransfer::OnCredentials(const QUrl& replyUrl, QString& user, QString& password)
{
    if (credentialsGiven_ || link_.login.isEmpty() || link_.password.isEmpty()
        || !MayReceiveCredentials(url_, replyUrl))
        return false;
    credentialsGiven_ = true;
    user = link_.login.trimmed();
    password = link_.password.trimmed();
    return true;
}

void CPuzzleTransfer::OnHead()
{
    idleTimer_.start();
}

// A 3xx reply without a usable Location is an answer of its own, not a redirect.
bool CPuzzleTransfer::IsRedirect() const
{
    const int status = fetcher_->Status();
    return status >= 300 && status < 400 && !fetcher_->RedirectTarget().isEmpty();
}

void CPuzzleTransfer::FollowRedirect()
{
    const QUrl next = fetcher_->ReplyUrl().resolved(fetcher_->RedirectTarget());
    if (!IsDownloadScheme(next.scheme())) {
        Fail(DownloadFailureText(DownloadFailure::RedirectScheme, next.scheme()));
        return;
    }
    if (IsInsecureRedirect(fetcher_->ReplyUrl(), next)) {
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

void CPuzzleTransfer::OnBody()
{
    if (finished_)
        return;
    idleTimer_.start();
    if (!headChecked_ && IsRedirect()) {
        char discarded[kBlockBytes];
        while (fetcher_->Read(discarded, kBlockBytes) > 0) {
        }
        return;
    }
    if (!headChecked_ && !CheckReplyHead())
        return;
    ReadAvailable();
}

void CPuzzleTransfer::OnEnd()
{
    if (finished_)
        return;
    if (aborted_) {
        Fail(DownloadFailureText(DownloadFailure::NetworkOrServer), DownloadOutcome::Kind::Stopped);
        return;
    }
    const HttpFailure failure = fetcher_->Failure();
    if (!headChecked_) {
        const bool hasStatus = fetcher_->Status() >= 0;
        if (failure.transport || !hasStatus) {
            Fail(failure.failed ? NetworkFailureText(failure.problem, failure.text) : StatusText(-1));
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
    if ((length_ >= 0 && total != length_) || (length_ < 0 && total == 0 && !failure.failed))
        Fail(DownloadFailureText(DownloadFailure::NetworkOrServer));
    else if (failure.failed)
        Fail(NetworkFailureText(failure.problem, failure.text));
    else
        Complete();
}

// Status and length, once the reply's head is in: anything but 200 is
// reported by its status text; an empty or oversized body ends the transfer.
bool CPuzzleTransfer::CheckReplyHead()
{
    headChecked_ = true;
    const int status = fetcher_->Status();
    if (status != 200) {
        Fail(StatusText(status));
        return false;
    }
    length_ = fetcher_->ContentLength();
    if (length_ == 0) {
        Fail(DownloadFailureText(DownloadFailure::NetworkOrServer));
        return false;
    }
    if (length_ > kMaxBodyBytes) {
        Fail(DownloadFailureText(DownloadFailure::TooLarge));
        return false;
    }
    serverName_ = ServerFileName(QString::fromUtf8(fetcher_->RawHeader("Content-Disposition")));
    return true;
}

void CPuzzleTransfer::ReadAvailable()
{
    char block[kBlockBytes];
    while (!finished_ && fetcher_->BytesAvailable() > 0) {
        const qint64 size = fetcher_->Read(block, kBlockBytes);
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
    if (fetcher_ != nullptr)
        fetcher_->Release();
}
