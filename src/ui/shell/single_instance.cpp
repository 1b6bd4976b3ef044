#include "ui/shell/single_instance.h"

#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>
#include <QtEndian>

#include <unistd.h>

namespace {

constexpr int kConnectTimeoutMs = 2000;
constexpr int kWriteTimeoutMs = 5000;
constexpr qsizetype kRecordHeaderSize = 12;
// Socket paths longer than this do not fit the system's address structure.
constexpr qsizetype kMaxSocketPath = 100;

void AppendUint32(QByteArray& data, quint32 value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    data.append(bytes, 4);
}

quint32 Uint32At(const QByteArray& data, qsizetype offset)
{
    return qFromLittleEndian<quint32>(data.constData() + offset);
}

QString DecodeUtf16Le(const QByteArray& bytes)
{
    QString text(bytes.size() / 2, Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i)
        text[i] = QChar(qFromLittleEndian<quint16>(bytes.constData() + 2 * i));
    return text;
}

} // namespace

SingleInstance::SingleInstance(const QString& title, QObject* parent)
    : QObject(parent), name_(ServerName(title))
{
    connect(&server_, &QLocalServer::newConnection, this, &SingleInstance::AcceptConnections);
}

QString SingleInstance::ServerName(const QString& title)
{
    const QString name = title + u'-' + QString::number(::getuid());
    const QString runtimeFolder = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (runtimeFolder.isEmpty() || !QFileInfo(runtimeFolder).isDir())
        return name;
    const QString path = QDir(runtimeFolder).filePath(name);
    return path.toLocal8Bit().size() < kMaxSocketPath ? path : name;
}

QByteArray SingleInstance::EncodeHandOver(const QString& commandLine)
{
    QByteArray data;
    if (!commandLine.isEmpty()) {
        AppendUint32(data, kCopyData);
        AppendUint32(data, 0);
        AppendUint32(data, quint32(2 * commandLine.size()));
        for (const QChar c : commandLine) {
            char bytes[2];
            qToLittleEndian(c.unicode(), bytes);
            data.append(bytes, 2);
        }
    }
    AppendUint32(data, kBringToFront);
    return data;
}

SingleInstance::Role SingleInstance::Start(const QString& commandLine)
{
    if (HandOver(commandLine))
        return Role::Second;
    Listen();
    return Role::First;
}

bool SingleInstance::IsListening() const
{
    return server_.isListening();
}

bool SingleInstance::HandOver(const QString& commandLine)
{
    QLocalSocket socket;
    socket.connectToServer(name_);
    if (!socket.waitForConnected(kConnectTimeoutMs))
        return false;
    socket.write(EncodeHandOver(commandLine));
    while (socket.bytesToWrite() > 0 && socket.waitForBytesWritten(kWriteTimeoutMs)) {
    }
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState)
        socket.waitForDisconnected(kWriteTimeoutMs);
    return true;
}

// Nobody answered on the name, so a socket file still there was left by a
// copy that crashed: remove it and listen in its place.
bool SingleInstance::Listen()
{
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    if (server_.listen(name_))
        return true;
    if (server_.serverError() != QAbstractSocket::AddressInUseError)
        return false;
    QLocalServer::removeServer(name_);
    return server_.listen(name_);
}

void SingleInstance::AcceptConnections()
{
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { ReadRequests(socket); });
        connect(socket, &QLocalSocket::disconnected, this, [this, socket] {
            ReadRequests(socket);
            socket->deleteLater();
        });
        ReadRequests(socket);
    }
}

void SingleInstance::ReadRequests(QLocalSocket* socket)
{
    while (ReadOneRequest(socket)) {
    }
}

// Takes one complete request off the socket; false when more bytes are needed
// or the peer sent something that is not a request (then it is cut off).
bool SingleInstance::ReadOneRequest(QLocalSocket* socket)
{
    const QByteArray head = socket->peek(kRecordHeaderSize);
    if (head.size() < 4)
        return false;
    const quint32 code = Uint32At(head, 0);
    if (code == kBringToFront) {
        socket->read(4);
        emit ActivationRequested();
        return true;
    }
    if (code != kCopyData) {
        socket->abort();
        return false;
    }
    if (head.size() < kRecordHeaderSize)
        return false;
    const quint32 byteCount = Uint32At(head, 8);
    if (byteCount > kMaxByteCount) {
        socket->abort();
        return false;
    }
    if (socket->bytesAvailable() < kRecordHeaderSize + qint64(byteCount))
        return false;
    socket->read(kRecordHeaderSize);
    const QString path = DecodeUtf16Le(socket->read(byteCount)).trimmed();
    if (!path.isEmpty())
        emit PathHandedOver(path);
    return true;
}
