#include "tcp_listener.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace rxsim {

TcpListener::TcpListener(int port) {
    int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        error_ = std::strerror(errno);
        return;
    }
    int one = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(static_cast<std::uint16_t>(port));
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof a;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 || ::listen(fd, 4) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len) != 0) {
        error_ = std::strerror(errno);
        ::close(fd);
        return;
    }
    port_ = ntohs(a.sin_port);
    listen_ = fd;
}

TcpListener::~TcpListener() {
    dropClient();
    if (listen_ >= 0)
        ::close(listen_);
}

std::string TcpListener::address() const {
    return "tcp://127.0.0.1:" + std::to_string(port_);
}

void TcpListener::accept() {
    int fd = ::accept4(listen_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (fd < 0)
        return;
    if (client_ >= 0) {
        ::close(fd);
        return;
    }
    int one = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    client_ = fd;
}

void TcpListener::dropClient() {
    if (client_ >= 0)
        ::close(client_);
    client_ = -1;
}

void TcpListener::finishSending() {
    if (client_ >= 0)
        ::shutdown(client_, SHUT_WR);
}

int TcpListener::unsent() const {
    int n = 0;
    if (client_ < 0 || ::ioctl(client_, TIOCOUTQ, &n) != 0)
        return 0;
    return n;
}

Line::Ready TcpListener::wait(int ms, bool toWrite) {
    Ready r;
    const bool wasConnected = client_ >= 0;
    pollfd p[2] = {{listen_, POLLIN, 0},
                   {client_, static_cast<short>(POLLIN | (toWrite ? POLLOUT : 0)), 0}};
    const int n = ::poll(p, wasConnected ? 2 : 1, ms);
    if (n < 0 && errno != EINTR)
        r.failed = true;
    if (n <= 0)
        return r;
    if (p[0].revents & POLLIN) {
        accept();
        r.newProgram = !wasConnected && client_ >= 0;
    }
    if (!wasConnected)
        return r;
    r.gone = (p[1].revents & (POLLERR | POLLNVAL)) != 0;
    r.readable = (p[1].revents & (POLLIN | POLLHUP)) != 0;
    r.writable = (p[1].revents & POLLOUT) != 0;
    return r;
}

long TcpListener::read(char* data, std::size_t size) {
    const ssize_t n = ::recv(client_, data, size, 0);
    if (n > 0)
        return static_cast<long>(n);
    return n == 0 || (errno != EAGAIN && errno != EINTR) ? -1 : 0;
}

long TcpListener::write(const char* data, std::size_t size) {
    const ssize_t n = ::send(client_, data, size, MSG_NOSIGNAL);
    if (n > 0)
        return static_cast<long>(n);
    return n < 0 && errno != EAGAIN && errno != EINTR ? -1 : 0;
}

} // namespace rxsim
