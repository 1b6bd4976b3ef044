#include "ui/shell/single_instance.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QSocketNotifier>
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

// One connection of a later copy: its socket, the bytes received and not yet
// taken as requests, and the notifier that reports more. It is deleted from
// the event loop, so a handler that closes it may still look at it.
class LocalConnection : public QObject {
    Q_OBJECT

public:
    LocalConnection(UnixSocket socket, QObject* parent)
        : QObject(parent), socket_(std::move(socket)),
          notifier_(socket_.Descriptor(), QSocketNotifier::Read, this)
    {
    }

    bool IsOpen() const { return socket_.IsOpen(); }
    UnixSocket& Socket() { return socket_; }
    QByteArray& Received() { return received_; }
    QSocketNotifier& Notifier() { return notifier_; }

    // Cuts the connection off at once: what it sent and was not taken is dropped.
    void Close()
    {
        notifier_.setEnabled(false);
        socket_.Close();
        received_.clear();
        deleteLater();
    }

private:
    UnixSocket socket_;
    QSocketNotifier notifier_;
    QByteArray received_;
};

SingleInstance::SingleInstance(const QString& title, QObject* parent)
    : QObject(parent), name_(ServerName(title)), socketPath_(QFile::encodeName(SocketPath(name_))),
      lock_(LockPath(name_))
{
    // The lock is held for as long as the first copy runs; only the death of
    // its holder makes it stale, never its age.
    lock_.setStaleLockTime(0);
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

SingleInstance::~SingleInstance()
{
    StopListening();
}

QString SingleInstance::SocketPath(const QString& serverName)
{
    return QDir::isAbsolutePath(serverName) ? serverName : QDir(QDir::tempPath()).filePath(serverName);
}

QString SingleInstance::LockPath(const QString& serverName)
{
    return SocketPath(serverName) + QStringLiteral(".lock");
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
    return listener_.IsOpen();
}

// The running copy answers the first request (the path, when there is one).
// One that closes the connection unanswered was quitting and took nothing;
// one that takes long to answer is busy and has the requests.
bool SingleInstance::HandOver(const QString& commandLine)
{
    UnixSocket socket = UnixSocket::Connect(socketPath_, kConnectTimeoutMs);
    if (!socket.IsOpen())
        return false;
    socket.SendAll(EncodeHandOver(commandLine), kWriteTimeoutMs);
    return socket.WaitForByte(kAnswerTimeoutMs) != UnixSocket::Reply::Closed;
}

// Sent at once: a copy may end right after taking a path. False when the
// answer could not go: the peer lets its answers pile up unread, or has gone
// (a copy ends once its first request is answered, its later ones sent).
bool SingleInstance::Answer(LocalConnection* connection)
{
    return connection->Socket().SendByteNow(kTaken);
}

void SingleInstance::Stop()
{
    StopListening();
    for (LocalConnection* connection : findChildren<LocalConnection*>(Qt::FindDirectChildrenOnly))
        connection->Close();
    if (lock_.isLocked())
        lock_.unlock();
}

// The socket file goes with the listener, as only its owner may remove it.
void SingleInstance::StopListening()
{
    if (!listener_.IsOpen())
        return;
    delete listenerNotifier_;
    listenerNotifier_ = nullptr;
    listener_.Close();
    ::unlink(socketPath_.constData());
}

// With the lock held, a socket file still there was left by a copy that
// crashed: it is removed and the name taken over.
bool SingleInstance::Listen(bool holdsLock)
{
    bool addressInUse = false;
    listener_ = UnixSocket::Listen(socketPath_, &addressInUse);
    if (!listener_.IsOpen() && holdsLock && addressInUse) {
        ::unlink(socketPath_.constData());
        listener_ = UnixSocket::Listen(socketPath_, &addressInUse);
    }
    if (!listener_.IsOpen())
        return false;
    listenerNotifier_ = new QSocketNotifier(listener_.Descriptor(), QSocketNotifier::Read, this);
    connect(listenerNotifier_, &QSocketNotifier::activated, this, &SingleInstance::AcceptConnections);
    return true;
}

// Another user's process never gets to hand anything over.
void SingleInstance::AcceptConnections()
{
    for (UnixSocket socket = listener_.Accept(); socket.IsOpen(); socket = listener_.Accept()) {
        if (!socket.PeerIsThisUser())
            continue;
        auto* connection = new LocalConnection(std::move(socket), this);
        connect(&connection->Notifier(), &QSocketNotifier::activated, this,
                [this, connection] { ReadRequests(connection); });
    }
}

// The complete requests received are taken. At the end of the stream, or
// when an answer could not be sent, the connection goes after them.
void SingleInstance::ReadRequests(LocalConnection* connection)
{
    if (!connection->IsOpen())
        return;
    const UnixSocket::Received received = connection->Socket().ReceiveAvailable(connection->Received());
    bool answered = true;
    while (connection->IsOpen() && ReadOneRequest(connection, answered)) {
    }
    if ((received == UnixSocket::Received::Closed || !answered) && connection->IsOpen())
        connection->Close();
}

// Takes one complete request off the connection; false when more bytes are
// needed or the peer sent something that is not a request (then it is cut off).
bool SingleInstance::ReadOneRequest(LocalConnection* connection, bool& answered)
{
    QByteArray& data = connection->Received();
    if (data.size() < 4)
        return false;
    const quint32 code = Uint32At(data, 0);
    if (code == kBringToFront) {
        data.remove(0, 4);
        answered = Answer(connection) && answered;
        emit ActivationRequested();
        return true;
    }
    if (code != kCopyData) {
        connection->Close();
        return false;
    }
    if (data.size() < kRecordHeaderSize)
        return false;
    const quint32 byteCount = Uint32At(data, 8);
    if (byteCount > kMaxByteCount) {
        connection->Close();
        return false;
    }
    if (data.size() < kRecordHeaderSize + qint64(byteCount))
        return false;
    const QString path = DecodeUtf16Le(data.mid(kRecordHeaderSize, byteCount)).trimmed();
    data.remove(0, kRecordHeaderSize + byteCount);
    answered = Answer(connection) && answered;
    if (!path.isEmpty())
        emit PathHandedOver(path);
    return true;
}

#include "single_instance.moc"
