#include "link/tcp_stream.h"

#include "base/strings.h"
#include "base/text.h"
#include "link/status.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace trix::link {

namespace {

// Connects one address without blocking longer than `timeoutMs`; the socket or -1 with errno
// set (ETIMEDOUT when the time ran out).
int connectOne(const addrinfo& a, int timeoutMs) {
    int fd = ::socket(a.ai_family, a.ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, a.ai_protocol);
    if (fd < 0)
        return -1;
    int rc;
    do {
        rc = ::connect(fd, a.ai_addr, a.ai_addrlen);
    } while (rc != 0 && errno == EINTR);
    if (rc != 0 && errno == EINPROGRESS) {
        pollfd p{fd, POLLOUT, 0};
        int n;
        do {
            n = ::poll(&p, 1, timeoutMs);
        } while (n < 0 && errno == EINTR);
        if (n == 0) {
            ::close(fd);
            errno = ETIMEDOUT;
            return -1;
        }
        int err = 0;
        socklen_t len = sizeof err;
        if (n < 0 || ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &err, &len) != 0)
            err = errno;
        if (err != 0) {
            ::close(fd);
            errno = err;
            return -1;
        }
        rc = 0;
    }
    if (rc != 0) {
        int err = errno;
        ::close(fd);
        errno = err;
        return -1;
    }
    // Commands are short lines that should leave at once.
    int one = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    return fd;
}

} // namespace

std::unique_ptr<TcpStream> TcpStream::connect(const std::string& name, const std::string& host,
                                              int port, int timeoutMs, std::string& error) {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_NUMERICSERV;
    addrinfo* found = nullptr;
    std::string service = std::to_string(port);
    if (int rc = ::getaddrinfo(host.c_str(), service.c_str(), &hints, &found); rc != 0) {
        error = cformat(str::kSourceHostNotFound, name.c_str(), ::gai_strerror(rc));
        return nullptr;
    }
    int fd = -1;
    int lastErr = ECONNREFUSED;
    for (addrinfo* a = found; a && fd < 0; a = a->ai_next) {
        fd = connectOne(*a, timeoutMs);
        if (fd < 0)
            lastErr = errno;
    }
    ::freeaddrinfo(found);
    if (fd < 0) {
        error = lastErr == ETIMEDOUT
                    ? cformat(str::kSourceConnectTimeout, name.c_str(), timeoutMs)
                    : cformat(str::kSourceConnectFailed, name.c_str(), std::strerror(lastErr));
        return nullptr;
    }
    return std::unique_ptr<TcpStream>(new TcpStream(fd, name));
}

TcpStream::~TcpStream() {
    close();
}

long TcpStream::failure(int err) {
    if (err == ECONNRESET || err == EPIPE || err == ENOTCONN || err == ETIMEDOUT ||
        err == EHOSTUNREACH || err == ENETUNREACH || err == EBADF)
        lost_ = true;
    return status::kGeneralError;
}

long TcpStream::read(void* buffer, std::size_t maxLength) {
    if (fd_ < 0 || lost_)
        return status::kGeneralError;
    for (;;) {
        ssize_t n = ::recv(fd_, buffer, maxLength, 0);
        if (n > 0)
            return static_cast<long>(n);
        if (n == 0) {
            if (maxLength == 0)
                return 0;
            lost_ = true; // the other end closed the connection
            return status::kGeneralError;
        }
        if (errno == EINTR)
            continue;
        if (errno == EAGAIN || errno == EWOULDBLOCK)
            return 0;
        return failure(errno);
    }
}

long TcpStream::write(const void* data, std::size_t length) {
    if (fd_ < 0 || lost_)
        return status::kGeneralError;
    std::size_t sent = 0;
    while (sent < length) {
        ssize_t n = ::send(fd_, static_cast<const char*>(data) + sent, length - sent,
                           MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n > 0) {
            sent += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            break;
        if (sent > 0)
            break; // the failure shows on the next call
        return failure(errno);
    }
    return static_cast<long>(sent);
}

int TcpStream::pendingOutput() {
    int queued = 0;
    if (fd_ < 0 || ::ioctl(fd_, TIOCOUTQ, &queued) != 0)
        return 0;
    return queued;
}

int TcpStream::waiting() const {
    int n = 0;
    if (fd_ < 0 || ::ioctl(fd_, FIONREAD, &n) != 0)
        return 0;
    return n;
}

int TcpStream::close() {
    if (fd_ < 0)
        return 0;
    int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0 && errno != EINTR)
        return status::kGeneralError;
    return 0;
}

} // namespace trix::link
