#pragma once

#include "data/download_messages.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QUrl>

#include <memory>

// The HTTP requests of one download, made by a module that the program loads
// only when the first download starts: the network library it uses, and what
// that pulls in (proxy, Kerberos and resolver libraries), then cost nothing
// at start. Only Qt Core types cross between the program and the module.

// What a fetcher reports about its current reply, from the event loop.
class HttpFetchEvents {
public:
    // The reply's status and headers arrived.
    virtual void OnHead() = 0;
    // More of the body can be read.
    virtual void OnBody() = 0;
    // The reply ended, complete or not.
    virtual void OnEnd() = 0;
    // The server of the reply from replyUrl asks for credentials; true, with
    // user and password filled in, to answer it.
    virtual bool OnCredentials(const QUrl& replyUrl, QString& user, QString& password) = 0;

protected:
    ~HttpFetchEvents() = default;
};

// How the current reply failed, if it did.
struct HttpFailure {
    bool failed = false;
    // Below the HTTP layer (connection, TLS, proxy, redirects): described by
    // the network library; the other failures come with a status code.
    bool transport = false;
    NetworkProblem problem = NetworkProblem::Other;
    // The network library's own description.
    QString text;
};

// One download's requests, one at a time: each Get replaces the reply before.
// Redirects are not followed and nothing is cached or decompressed; the
// system's proxy settings apply.
class HttpFetcher {
public:
    virtual ~HttpFetcher() = default;

    // Sends a GET for url; the reply keeps at most readBufferBytes unread.
    virtual void Get(const QUrl& url, qint64 readBufferBytes) = 0;
    // Drops the reply, stopping it if it runs; it reports nothing more.
    virtual void Release() = 0;
    // Stops the reply, which then ends (OnEnd) at once.
    virtual void Abort() = 0;
    virtual bool HasReply() const = 0;

    // -1 while no status arrived.
    virtual int Status() const = 0;
    // The Location of a redirect, as sent (it may be relative).
    virtual QUrl RedirectTarget() const = 0;
    // -1 when the length was not announced.
    virtual qint64 ContentLength() const = 0;
    virtual QByteArray RawHeader(const QByteArray& name) const = 0;
    virtual QUrl ReplyUrl() const = 0;
    virtual HttpFailure Failure() const = 0;
    virtual qint64 BytesAvailable() const = 0;
    virtual qint64 Read(char* data, qint64 maxSize) = 0;
};

// The module's entry point: a fetcher for each download, which reports to events.
class HttpFetcherFactory {
public:
    virtual ~HttpFetcherFactory() = default;
    virtual std::unique_ptr<HttpFetcher> NewFetcher(HttpFetchEvents& events) = 0;
};

#define GRIDMOOR_HTTP_FETCHER_FACTORY_IID "org.gridmoor.HttpFetcherFactory/1"
Q_DECLARE_INTERFACE(HttpFetcherFactory, GRIDMOOR_HTTP_FETCHER_FACTORY_IID)
