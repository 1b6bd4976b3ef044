#pragma once

#include <QByteArray>

// A Unix-domain stream socket's descriptor, closed with the object. It holds
// the few calls the single-instance check needs, on the system's sockets
// directly, so that starting the program loads no network library.
class UnixSocket {
public:
    UnixSocket() = default;
    explicit UnixSocket(int descriptor) : descriptor_(descriptor) {}
    ~UnixSocket();
    UnixSocket(UnixSocket&& other) noexcept;
    UnixSocket& operator=(UnixSocket&& other) noexcept;
    UnixSocket(const UnixSocket&) = delete;
    UnixSocket& operator=(const UnixSocket&) = delete;

    // A non-blocking socket listening at path, which only its user may
    // connect to. addressInUse tells whether a failure was a file already at
    // path (one a crashed listener left, or a live one).
    static UnixSocket Listen(const QByteArray& path, bool* addressInUse);
    // A blocking socket connected to path, or a closed one when nobody
    // listens there within timeoutMs.
    static UnixSocket Connect(const QByteArray& path, int timeoutMs);

    bool IsOpen() const { return descriptor_ >= 0; }
    int Descriptor() const { return descriptor_; }
    void Close();

    // The next waiting connection of a listening socket, non-blocking; a
    // closed socket when none waits.
    UnixSocket Accept() const;
    // Whether the process at the other end runs as this process's user.
    bool PeerIsThisUser() const;
    // Sends every byte, waiting at most timeoutMs on a blocking socket.
    bool SendAll(const QByteArray& data, int timeoutMs);
    // Sends a byte without waiting; false when it cannot go out now.
    bool SendByteNow(char byte);

    enum class Received { Data, Nothing, Closed };
    // Appends what has arrived, up to one block, to buffer without waiting;
    // Closed at the end of the stream or on an error.
    Received ReceiveAvailable(QByteArray& buffer);
    enum class Reply { Byte, TimedOut, Closed };
    // Waits at most timeoutMs for one byte on a blocking socket.
    Reply WaitForByte(int timeoutMs);

private:
    void SetTimeout(int option, int timeoutMs);

    int descriptor_ = -1;
};
