#include "ui/shell/unix_socket.h"

#include <cerrno>
#include <cstring>
#include <utility>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

bool MakeAddress(const QByteArray& path, sockaddr_un& address)
{
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    if (path.isEmpty() || size_t(path.size()) >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
    return true;
}

sockaddr* AsAddress(sockaddr_un& address)
{
    return reinterpret_cast<sockaddr*>(&address);
}

} // namespace

UnixSocket::~UnixSocket()
{
    Close();
}

UnixSocket::UnixSocket(UnixSocket&& other) noexcept : descriptor_(std::exchange(other.descriptor_, -1)) {}

UnixSocket& UnixSocket::operator=(UnixSocket&& other) noexcept
{
    if (this != &other) {
        Close();
        descriptor_ = std::exchange(other.descriptor_, -1);
    }
    return *this;
}

void UnixSocket::Close()
{
    if (descriptor_ >= 0)
        ::close(std::exchange(descriptor_, -1));
}

// The permissions are set right after bind; the peer check on every accepted
// connection covers the moment in between.
UnixSocket UnixSocket::Listen(const QByteArray& path, bool* addressInUse)
{
    *addressInUse = false;
    sockaddr_un address;
    if (!MakeAddress(path, address))
        return {};
    UnixSocket socket(::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
    if (!socket.IsOpen())
        return {};
    if (::bind(socket.descriptor_, AsAddress(address), sizeof address) != 0) {
        *addressInUse = errno == EADDRINUSE;
        return {};
    }
    if (::chmod(address.sun_path, S_IRUSR | S_IWUSR) != 0 || ::listen(socket.descriptor_, SOMAXCONN) != 0) {
        ::unlink(address.sun_path);
        return {};
    }
    return socket;
}

// A full backlog makes connect wait, for at most the send timeout.
UnixSocket UnixSocket::Connect(const QByteArray& path, int timeoutMs)
{
    sockaddr_un address;
    if (!MakeAddress(path, address))
        return {};
    UnixSocket socket(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    if (!socket.IsOpen())
        return {};
    socket.SetTimeout(SO_SNDTIMEO, timeoutMs);
    int result;
    do {
        result = ::connect(socket.descriptor_, AsAddress(address), sizeof address);
    } while (result != 0 && errno == EINTR);
    return result == 0 ? std::move(socket) : UnixSocket();
}

UnixSocket UnixSocket::Accept() const
{
    int accepted;
    do {
        accepted = ::accept4(descriptor_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    } while (accepted < 0 && errno == EINTR);
    return UnixSocket(accepted);
}

bool UnixSocket::PeerIsThisUser() const
{
    ucred credentials{};
    socklen_t size = sizeof credentials;
    return ::getsockopt(descriptor_, SOL_SOCKET, SO_PEERCRED, &credentials, &size) == 0
        && credentials.uid == ::getuid();
}

void UnixSocket::SetTimeout(int option, int timeoutMs)
{
    const timeval timeout{timeoutMs / 1000, (timeoutMs % 1000) * 1000};
    ::setsockopt(descriptor_, SOL_SOCKET, option, &timeout, sizeof timeout);
}

bool UnixSocket::SendAll(const QByteArray& data, int timeoutMs)
{
    SetTimeout(SO_SNDTIMEO, timeoutMs);
    qsizetype sent = 0;
    while (sent < data.size()) {
        const ssize_t n = ::send(descriptor_, data.constData() + sent, size_t(data.size() - sent), MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        sent += n;
    }
    return true;
}

bool UnixSocket::SendByteNow(char byte)
{
    ssize_t n;
    do {
        n = ::send(descriptor_, &byte, 1, MSG_NOSIGNAL | MSG_DONTWAIT);
    } while (n < 0 && errno == EINTR);
    return n == 1;
}

// One read per call, so that a peer that never stops sending cannot hold the
// event loop; the notifier calls again while more waits.
UnixSocket::Received UnixSocket::ReceiveAvailable(QByteArray& buffer)
{
    char block[16 * 1024];
    ssize_t n;
    do {
        n = ::recv(descriptor_, block, sizeof block, MSG_DONTWAIT);
    } while (n < 0 && errno == EINTR);
    if (n > 0) {
        buffer.append(block, n);
        return Received::Data;
    }
    return n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK) ? Received::Nothing : Received::Closed;
}

UnixSocket::Reply UnixSocket::WaitForByte(int timeoutMs)
{
    SetTimeout(SO_RCVTIMEO, timeoutMs);
    char byte;
    ssize_t n;
    do {
        n = ::recv(descriptor_, &byte, 1, 0);
    } while (n < 0 && errno == EINTR);
    if (n == 1)
        return Reply::Byte;
    return n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK) ? Reply::TimedOut : Reply::Closed;
}
