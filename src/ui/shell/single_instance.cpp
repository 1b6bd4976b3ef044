#include "ui/shell/single_instance.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>
#include <QThread>
#include <QtEndian>

#include <unistd.h>

namespace {

constexpr int kConnectTimeoutMs = 2000;
constexpr int kWriteTimeoutMs = 5000;
// A copy that takes this long to answer is busy, not quitting: it has the
// requests and will act on them.
constexpr int kAnswerTimeoutMs = 5000;
// How long a copy waits for the holder of the lock to answer, and how often
// it asks again meanwhile.
constexpr int kWaitForFirstCopyMs = 5000;
constexpr int kRetryMs = 10;
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
    : QObject(parent), name_(ServerName(title)), lock_(LockPath(name_))
{
    // The lock is held for as long as the first copy runs; only the death of
    // its holder makes it stale, never its age.
    lock_.setStaleLockTime(0);
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

// The server deletes its connections after this object's own members are
// gone; their handlers must not run then.
SingleInstance::~SingleInstance()
{
    for (QLocalSocket* socket : server_.findChildren<QLocalSocket*>())
        socket->disconnect(this);
}

// QLocalServer places a name that is not a path in the temporary folder.
QString SingleInstance::LockPath(const QString& serverName)
{
    const QString socket =
        QDir::isAbsolutePath(serverName) ? serverName : QDir(QDir::tempPath()).filePath(serverName);
    return socket + QStringLiteral(".lock");
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
    const QDeadlineTimer deadline(kWaitForFirstCopyMs);
    for (;;) {
        if (HandOver(commandLine))
            return Role::Second;
        // QLockFile takes over the lock of a copy that is no longer running.
        if (lock_.tryLock(0)) {
            Listen(true);
            return Role::First;
        }
        // Without a folder to keep the lock in, the name alone must serve.
        if (lock_.error() != QLockFile::LockFailedError) {
            Listen(false);
            return Role::First;
        }
        // The holder is starting and will answer in a moment, or ending and
        // will release the lock.
        if (deadline.hasExpired())
            return Role::First;
        QThread::msleep(kRetryMs);
    }
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
    if (!Answered(socket))
        return false;
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState)
        socket.waitForDisconnected(kWriteTimeoutMs);
    return true;
}

// Waits for the running copy's answer to the first request (the path, when
// there is one); false when it closed the connection without taking it.
bool SingleInstance::Answered(QLocalSocket& socket)
{
    if (socket.bytesAvailable() == 0 && !socket.waitForReadyRead(kAnswerTimeoutMs))
        return socket.bytesAvailable() > 0 || socket.state() == QLocalSocket::ConnectedState;
    return true;
}

// Sent at once: a copy may end right after taking a path.
void SingleInstance::Answer(QLocalSocket* socket)
{
    socket->write(&kTaken, 1);
    socket->flush();
}

void SingleInstance::Stop()
{
    server_.close();
    for (QLocalSocket* socket : server_.findChildren<QLocalSocket*>()) {
        socket->disconnect(this);
        // Answers already given still reach their copy.
        socket->flush();
        socket->abort();
    }
    if (lock_.isLocked())
        lock_.unlock();
}

// With the lock held, a socket file still there was left by a copy that
// crashed: it is removed and the name taken over.
bool SingleInstance::Listen(bool holdsLock)
{
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    if (server_.listen(name_))
        return true;
    if (!holdsLock || server_.serverError() != QAbstractSocket::AddressInUseError)
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
        Answer(socket);
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
    Answer(socket);
    if (!path.isEmpty())
        emit PathHandedOver(path);
    return true;
}
