#include "tcp_listener.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <netinet/in.h>
#include <netinet/tcp.h>
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

} // namespace rxsim
