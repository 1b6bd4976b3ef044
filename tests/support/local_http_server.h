#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QMutex>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

class QTcpServer;
class QTcpSocket;

// A small HTTP server on 127.0.0.1 for the download tests: each path answers
// with a scripted reply, and every request is recorded. Bodies can be sent at
// once, in pieces (the next one on SendNextPiece or on a timer), generated in
// bulk, or cut short of their announced length.
class LocalHttpServer : public QObject {
    Q_OBJECT

public:
    struct Reply {
        QByteArray status = "200 OK";
        QList<QByteArray> headers; // whole lines such as "Content-Disposition: attachment"
        QByteArray body;
        bool sendLength = true;      // a Content-Length header
        qint64 announcedLength = -1; // announced instead of the body's size
        int pieceSize = 0;           // > 0: the body goes out in pieces of this size
        int pieceIntervalMs = 0;     // > 0: pieces follow on a timer, else on SendNextPiece
        bool holdOpen = false;       // the connection stays open after the last piece
        qint64 generatedBytes = 0;   // a body of this many bytes, written as fast as it drains
        QByteArray credentials;      // "user:password" that Basic authorization must carry
        bool silent = false;         // the request is read and never answered
        bool hangUp = false;         // the connection is closed without an answer
    };

    struct Request {
        QByteArray method;
        QByteArray target;
        QByteArray userAgent;
        QByteArray authorization;
        QByteArray firstBytes; // what a connection began with
    };

    explicit LocalHttpServer(QObject* parent = nullptr);
    ~LocalHttpServer() override;

    bool Listen();
    quint16 Port() const { return port_; }
    // "http://127.0.0.1:<port>" followed by target.
    QString Url(const QString& target) const;
    void SetReply(const QByteArray& target, const Reply& reply);
    QList<Request> Requests() const;

public slots:
    // Sends the next piece of the reply that is being sent piece by piece.
    void SendNextPiece();

private:
    struct Connection {
        QByteArray received;
        Reply reply;
        qint64 sent = 0;
        bool answered = false;
    };

    void OnNewConnection();
    void OnReadyRead(QTcpSocket* socket);
    void Answer(QTcpSocket* socket, Connection& connection);
    void SendGenerated(QTcpSocket* socket);
    void Record(const Request& request);

    QTcpServer* server_;
    quint16 port_ = 0;
    QHash<QByteArray, Reply> replies_;
    QHash<QTcpSocket*, Connection> connections_;
    QPointer<QTcpSocket> pieceSocket_;
    QTimer pieceTimer_;
    mutable QMutex mutex_;
    QList<Request> requests_;
};
