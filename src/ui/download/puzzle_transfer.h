#pragma once

#include "data/link_list.h"

#include <QByteArray>
#include <QObject>
#include <QSaveFile>
#include <QString>
#include <QUrl>

class QAuthenticator;
class QNetworkAccessManager;
class QNetworkReply;

// Fetches one link's puzzle over HTTP or HTTPS into the puzzle folder. The
// transfer runs on the event loop: the body is written as it arrives, in
// blocks of at most 1024 bytes, into a temporary file beside the target,
// which replaces the target only when the body is complete and is a puzzle.
// A failed or stopped transfer leaves no file behind and never touches an
// existing puzzle. Finished is emitted exactly once, from the event loop.
class CPuzzleTransfer : public QObject {
    Q_OBJECT

public:
    static constexpr int kBlockBytes = 1024;
    static constexpr qint64 kMaxBodyBytes = 8 * 1024 * 1024;
    static constexpr int kMaxRedirects = 10;
    static constexpr qint64 kReadBufferBytes = 64 * 1024;

    // openPuzzlePath is the puzzle open now, which a download must not replace.
    CPuzzleTransfer(const URLEntry& link, const QString& openPuzzlePath, QObject* parent = nullptr);
    ~CPuzzleTransfer() override;

    // Sends the request; a second call does nothing.
    void Start();
    // Stops the transfer, which then fails with the general message; also
    // before Start, which then does nothing.
    void Abort();

    bool IsFinished() const { return finished_; }
    bool Succeeded() const { return succeeded_; }
    qint64 BytesWritten() const { return total_; }
    // The full path of the saved puzzle once the transfer succeeded.
    QString SavedPath() const { return succeeded_ ? target_ : QString(); }
    // The message for the user once the transfer failed.
    QString ErrorText() const { return errorText_; }

signals:
    // After every block written, with the count of bytes written so far.
    void BytesWrittenChanged(qint64 total);
    void Finished(bool succeeded);

private:
    void OnAuthenticationRequired(QNetworkReply* reply, QAuthenticator* authenticator);
    void Request(const QUrl& url);
    bool IsRedirect() const;
    void FollowRedirect();
    void OnReadyRead();
    void OnReplyFinished();
    bool CheckReplyHead();
    bool OpenTarget();
    void ReadAvailable();
    bool WriteBlock(const char* data, qint64 size);
    void Complete();
    void Fail(const QString& text);
    void End(bool succeeded);
    void ReleaseReply();

    URLEntry link_;
    QString openPuzzlePath_;
    QUrl url_;
    QNetworkAccessManager* manager_ = nullptr;
    QNetworkReply* reply_ = nullptr;
    QSaveFile file_;
    QString target_;
    QByteArray head_;
    QString errorText_;
    qint64 length_ = -1; // announced length, -1 when unknown
    qint64 total_ = 0;
    int redirects_ = 0;
    bool started_ = false;
    bool headChecked_ = false;
    bool credentialsGiven_ = false;
    bool aborted_ = false;
    bool finished_ = false;
    bool succeeded_ = false;
};
