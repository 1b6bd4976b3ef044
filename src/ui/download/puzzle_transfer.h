#pragma once

#include "data/download_outcome.h"
#include "data/link_list.h"
#include "ui/download/http_fetcher.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>
#include <QUrl>

#include <chrono>
#include <memory>

// Fetches one link's puzzle over HTTP or HTTPS into the puzzle folder. The
// link's date fields are filled with today's date. The transfer runs on the
// event loop and keeps the body in memory, in blocks of at most 1024 bytes as
// they arrive; only a complete body that is a puzzle is saved, atomically,
// under a name whose ending follows the format that arrived. A failed or
// stopped transfer leaves no file behind, and no download replaces an
// existing file: the same puzzle already there is opened instead. Finished is
// emitted exactly once, from the event loop. The requests go through the HTTP
// module, loaded when the first transfer starts.
class CPuzzleTransfer : public QObject, private HttpFetchEvents {
    Q_OBJECT

public:
    static constexpr int kBlockBytes = 1024;
    static constexpr qint64 kMaxBodyBytes = 8 * 1024 * 1024;
    static constexpr int kMaxRedirects = 10;
    static constexpr qint64 kReadBufferBytes = 64 * 1024;
    static constexpr std::chrono::milliseconds kIdleTimeout{30000};

    // openPuzzlePath is the puzzle open now, which a download must not replace.
    CPuzzleTransfer(const URLEntry& link, const QString& openPuzzlePath, QObject* parent = nullptr);
    ~CPuzzleTransfer() override;

    // How long the transfer waits for the next byte before it gives up; set before Start.
    void SetIdleTimeout(std::chrono::milliseconds timeout);
    // Sends the request; a second call does nothing.
    void Start();
    // Stops the transfer, which then fails with the general message; also
    // before Start, which then does nothing.
    void Abort();

    bool IsFinished() const { return finished_; }
    bool Succeeded() const { return succeeded_; }
    qint64 BytesWritten() const { return body_.size(); }
    // The full path of the puzzle once the transfer succeeded: the new file,
    // or the file that already held the same puzzle.
    QString SavedPath() const { return succeeded_ ? target_ : QString(); }
    bool AlreadyThere() const { return succeeded_ && alreadyThere_; }
    // The message for the user once the transfer failed.
    QString ErrorText() const { return errorText_; }
    DownloadOutcome Outcome() const;

signals:
    // After every block received, with the count of bytes received so far.
    void BytesWrittenChanged(qint64 total);
    void Finished(bool succeeded);

private:
    void OnHead() override;
    void OnBody() override;
    void OnEnd() override;
    bool OnCredentials(const QUrl& replyUrl, QString& user, QString& password) override;
    void Request(const QUrl& url);
    bool IsRedirect() const;
    void FollowRedirect();
    void OnIdle();
    bool CheckReplyHead();
    void ReadAvailable();
    void Complete();
    bool Save();
    void Fail(const QString& text, DownloadOutcome::Kind kind = DownloadOutcome::Kind::Failed);
    void End(bool succeeded);
    void ReleaseReply();

    URLEntry link_;
    QString openPuzzlePath_;
    QUrl url_;
    std::unique_ptr<HttpFetcher> fetcher_;
    QTimer idleTimer_;
    QByteArray body_;
    QString serverName_;
    QString target_;
    QString errorText_;
    DownloadOutcome::Kind failure_ = DownloadOutcome::Kind::Failed;
    qint64 length_ = -1; // announced length, -1 when unknown
    int redirects_ = 0;
    bool started_ = false;
    bool headChecked_ = false;
    bool credentialsGiven_ = false;
    bool aborted_ = false;
    bool finished_ = false;
    bool succeeded_ = false;
    bool alreadyThere_ = false;
};
