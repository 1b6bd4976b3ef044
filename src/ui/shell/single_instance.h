#pragma once

#include "ui/shell/unix_socket.h"

#include <QLockFile>
#include <QObject>
#include <QString>

class QSocketNotifier;
class LocalConnection;

// Keeps one copy of the program running per user. The first copy listens on a
// Unix-domain socket named after the window title and the user id; a later copy
// connects, hands over its command line and asks to be brought to the front,
// then ends without opening a window. Which copy is first is decided by a lock
// file beside the server's socket, held for the first copy's whole life, so
// two copies started at the same moment never both keep running.
//
// Each request on the connection starts with a 32-bit little-endian code:
// kCopyData is followed by the hand-over record (32-bit kind, which the
// receiver ignores, 32-bit byte count, then the command line's UTF-16LE
// characters without a terminator); kBringToFront has nothing after it. The
// receiver answers every request it takes with the byte kTaken, so a later
// copy knows that a copy which closed the connection unanswered (it was
// quitting) took nothing.
class SingleInstance : public QObject {
    Q_OBJECT

public:
    enum class Role { First, Second };
    static constexpr quint32 kCopyData = 0x004A;
    static constexpr quint32 kBringToFront = 0x0001;
    static constexpr char kTaken = 0x06;
    // Longer hand-overs are refused: no real path comes near this.
    static constexpr quint32 kMaxByteCount = 64 * 1024;

    explicit SingleInstance(const QString& title, QObject* parent = nullptr);
    ~SingleInstance() override;

    // The server's name: the title and the user id, inside the user's private
    // runtime folder when there is one.
    static QString ServerName(const QString& title);
    // The socket's path: the name itself when it is a path, else the name in
    // the temporary folder.
    static QString SocketPath(const QString& serverName);
    // The lock file beside the server's socket.
    static QString LockPath(const QString& serverName);
    // The requests a second copy sends for commandLine.
    static QByteArray EncodeHandOver(const QString& commandLine);

    // Hands commandLine over to a running copy and returns Second, or, when no
    // copy runs, takes the lock, starts listening (taking over a lock and a
    // name left by a crashed copy) and returns First. While another copy holds
    // the lock but does not answer yet, it waits for it a few seconds; should
    // it never answer, this copy returns First without listening. An empty
    // command line only brings the copy forward.
    // Call it once the application object exists, and connect the signals
    // before the event loop runs so that no hand-over is missed.
    Role Start(const QString& commandLine);
    bool IsListening() const;
    // The first copy begins to quit: it stops listening, drops requests not
    // yet taken and gives up the lock, so a copy started now becomes the
    // first one.
    void Stop();

signals:
    // A later copy handed over this path, trimmed of surrounding white space.
    void PathHandedOver(const QString& path);
    // A later copy asked for the window to be shown and brought to the front.
    void ActivationRequested();

private:
    bool HandOver(const QString& commandLine);
    bool Listen(bool holdsLock);
    void StopListening();
    void AcceptConnections();
    void ReadRequests(LocalConnection* connection);
    bool ReadOneRequest(LocalConnection* connection, bool& answered);
    bool Answer(LocalConnection* connection);

    QString name_;
    QByteArray socketPath_;
    // Declared before the socket, so the socket closes before the lock goes.
    QLockFile lock_;
    UnixSocket listener_;
    QSocketNotifier* listenerNotifier_ = nullptr;
};
