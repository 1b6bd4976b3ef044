#pragma once

#include "ui/download/http_fetcher.h"

#include <QObject>

class QNetworkAccessManager;
class QNetworkReply;

// HttpFetcher on Qt Network. Each fetcher has its own access manager, so no
// connection or credentials of one download serve another.
class QtHttpFetcher : public QObject, public HttpFetcher {
    Q_OBJECT

public:
    explicit QtHttpFetcher(HttpFetchEvents& events);
    ~QtHttpFetcher() override;

    void Get(const QUrl& url, qint64 readBufferBytes) override;
    void Release() override;
    void Abort() override;
    bool HasReply() const override { return reply_ != nullptr; }
    int Status() const override;
    QUrl RedirectTarget() const override;
    qint64 ContentLength() const override;
    QByteArray RawHeader(const QByteArray& name) const override;
    QUrl ReplyUrl() const override;
    HttpFailure Failure() const override;
    qint64 BytesAvailable() const override;
    qint64 Read(char* data, qint64 maxSize) override;

private:
    HttpFetchEvents& events_;
    QNetworkAccessManager* manager_;
    QNetworkReply* reply_ = nullptr;
};
