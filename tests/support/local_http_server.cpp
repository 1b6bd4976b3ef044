#include "local_http_server.h"

#include <QHostAddress>
#include <QMutexLocker>
#include <QTcpServer>
#include <QTcpSocket>

namespace {

constexpr qint64 kGeneratedChunk = 64 * 1024;

QByteArray HeaderValue(const QByteArray& head, const QByteArray& name)
{
    for (const QByteArray& line : head.split('\n')) {
        const qsizetype colon = line.indexOf(':');
        if (colon > 0 && line.left(colon).trimmed().toLower() == name)
            return line.mid(colon + 1).trimmed();
    }
    return {};
}

LocalHttpServer::Reply Plain(const QByteArray& status, const QByteArray& header, const QByteArray& body)
{
    LocalHttpServer::Reply reply;
    reply.status = status;
    if (!header.isEmpty())
        reply.headers << header;
    reply.body = body;
    return reply;
}

} // namespace

LocalHttpServer::LocalHttpServer(QObject* parent) : QObject(parent), server_(new QTcpServer(this))
{
    connect(server_, &QTcpServer::newConnection, this, &LocalHttpServer::OnNewConnection);
    pieceTimer_.setParent(this);
    connect(&pieceTimer_, &QTimer::timeout, this, &LocalHttpServer::SendNextPiece);
}

LocalHttpServer::~LocalHttpServer() = default;

bool LocalHttpServer::Listen()
{
    if (!server_->listen(QHostAddress::LocalHost, 0))
        return false;
    port_ = server_->serverPort();
    return true;
}

QString LocalHttpServer::Url(const QString& target) const
{
    return QStringLiteral("http://127.0.0.1:%1%2").arg(port_).arg(target);
}

void LocalHttpServer::SetReply(const QByteArray& target, const Reply& reply)
{
    replies_.insert(target, reply);
}

QList<LocalHttpServer::Request> LocalHttpServer::Requests() const
{
    QMutexLocker lock(&mutex_);
    return requests_;
}

void LocalHttpServer::Record(const Request& request)
{
    QMutexLocker lock(&mutex_);
    requests_.append(request);
}

void LocalHttpServer::OnNewConnection()
{
    while (QTcpSocket* socket = server_->nextPendingConnection()) {
        connections_.insert(socket, Connection());
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { OnReadyRead(socket); });
        connect(socket, &QTcpSocket::bytesWritten, this, [this, socket] { SendGenerated(socket); });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
            connections_.remove(socket);
            socket->deleteLater();
        });
    }
}

void LocalHttpServer::OnReadyRead(QTcpSocket* socket)
{
    Connection& connection = connections_[socket];
    connection.received += socket->readAll();
    if (connection.answered)
        return;
    const qsizetype end = connection.received.indexOf("\r\n\r\n");
    if (!connection.received.startsWith("GET ") && connection.received.size() >= 4) {
        // Not HTTP (a TLS handshake, say): note how it began and hang up.
        connection.answered = true;
        Record({{}, {}, {}, {}, connection.received.left(8)});
        socket->disconnectFromHost();
        return;
    }
    if (end < 0)
        return;
    connection.answered = true;
    const QByteArray head = connection.received.left(end);
    const QList<QByteArray> requestLine = head.left(head.indexOf('\r')).split(' ');
    Request request{requestLine.value(0), requestLine.value(1), HeaderValue(head, "user-agent"),
                    HeaderValue(head, "authorization"), connection.received.left(8)};
    Record(request);
    connection.reply = replies_.value(request.target, Plain("404 Not Found", {}, "no such file"));
    const QByteArray& credentials = connection.reply.credentials;
    if (!credentials.isEmpty() && request.authorization != "Basic " + credentials.toBase64())
        connection.reply = Plain("401 Unauthorized", "WWW-Authenticate: Basic realm=\"puzzles\"", "log in");
    Answer(socket, connection);
}

void LocalHttpServer::Answer(QTcpSocket* socket, Connection& connection)
{
    const Reply& reply = connection.reply;
    if (reply.silent || reply.hangUp) {
        if (reply.hangUp)
            socket->disconnectFromHost();
        return;
    }
    QByteArray head = "HTTP/1.1 " + reply.status + "\r\n";
    for (const QByteArray& line : reply.headers)
        head += line + "\r\n";
    const qint64 length = reply.generatedBytes > 0 ? reply.generatedBytes : reply.body.size();
    if (reply.sendLength)
        head += "Content-Length: " + QByteArray::number(reply.announcedLength >= 0 ? reply.announcedLength : length) + "\r\n";
    head += "Connection: close\r\n\r\n";
    socket->write(head);
    if (reply.generatedBytes > 0) {
        SendGenerated(socket);
        return;
    }
    if (reply.pieceSize <= 0) {
        socket->write(reply.body);
        socket->disconnectFromHost();
        return;
    }
    pieceSocket_ = socket;
    SendNextPiece();
    if (reply.pieceIntervalMs > 0)
        pieceTimer_.start(reply.pieceIntervalMs);
}

void LocalHttpServer::SendNextPiece()
{
    if (pieceSocket_.isNull() || !connections_.contains(pieceSocket_)) {
        pieceTimer_.stop();
        return;
    }
    Connection& connection = connections_[pieceSocket_];
    const QByteArray piece = connection.reply.body.mid(connection.sent, connection.reply.pieceSize);
    connection.sent += piece.size();
    pieceSocket_->write(piece);
    pieceSocket_->flush();
    if (connection.sent < connection.reply.body.size())
        return;
    pieceTimer_.stop();
    if (!connection.reply.holdOpen)
        pieceSocket_->disconnectFromHost();
    pieceSocket_.clear();
}

// Keeps a generated body flowing while the client reads; stops with the client.
void LocalHttpServer::SendGenerated(QTcpSocket* socket)
{
    auto found = connections_.find(socket);
    if (found == connections_.end() || found->reply.generatedBytes <= 0 || socket->bytesToWrite() > kGeneratedChunk)
        return;
    const qint64 size = qMin(kGeneratedChunk, found->reply.generatedBytes - found->sent);
    if (size <= 0) {
        socket->disconnectFromHost();
        return;
    }
    found->sent += size;
    socket->write(QByteArray(size, 'x'));
}
