#include "pty.h"

#include <array>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace rxsim {
namespace {
struct Speed {
    speed_t code;
    long baud;
};
constexpr std::array kSpeeds{
    Speed{B50, 50},         Speed{B75, 75},         Speed{B110, 110},       Speed{B134, 134},
    Speed{B150, 150},       Speed{B200, 200},       Speed{B300, 300},       Speed{B600, 600},
    Speed{B1200, 1200},     Speed{B1800, 1800},     Speed{B2400, 2400},     Speed{B4800, 4800},
    Speed{B9600, 9600},     Speed{B19200, 19200},   Speed{B38400, 38400},   Speed{B57600, 57600},
    Speed{B115200, 115200}, Speed{B230400, 230400}, Speed{B460800, 460800}, Speed{B921600, 921600},
};
} // namespace

Pty::Pty() {
    int m = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m < 0)
        return;
    if (::grantpt(m) != 0 || ::unlockpt(m) != 0) {
        ::close(m);
        return;
    }
    const char* name = ::ptsname(m);
    if (!name) {
        ::close(m);
        return;
    }
    slave_ = name;
    slaveKeep_ = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    termios t{};
    if (slaveKeep_ >= 0 && ::tcgetattr(slaveKeep_, &t) == 0) {
        // A receiver line is raw; the program sets its own modes when it opens the port.
        ::cfmakeraw(&t);
        ::tcsetattr(slaveKeep_, TCSANOW, &t);
    }
    int flags = ::fcntl(m, F_GETFL);
    ::fcntl(m, F_SETFL, flags | O_NONBLOCK);
    master_ = m;
}

Pty::~Pty() {
    if (slaveKeep_ >= 0)
        ::close(slaveKeep_);
    if (master_ >= 0)
        ::close(master_);
}

long Pty::programBaud() const {
    termios t{};
    if (::tcgetattr(master_, &t) != 0)
        return 0;
    speed_t s = ::cfgetospeed(&t);
    for (const auto& e : kSpeeds) {
        if (e.code == s)
            return e.baud;
    }
    return 0;
}

bool Pty::programRtsCts() const {
    termios t{};
    if (::tcgetattr(master_, &t) != 0)
        return false;
    return (t.c_cflag & CRTSCTS) != 0;
}

int Pty::unreadByProgram() const {
    int n = 0;
    if (slaveKeep_ < 0 || ::ioctl(slaveKeep_, FIONREAD, &n) != 0)
        return 0;
    return n;
}

bool Pty::understood(long baud, bool rtsCts) const {
    return programBaud() == baud && programRtsCts() == rtsCts;
}

Line::Ready Pty::wait(int ms, bool toWrite) {
    Ready r;
    pollfd p{master_, static_cast<short>(POLLIN | (toWrite ? POLLOUT : 0)), 0};
    const int n = ::poll(&p, 1, ms);
    if (n < 0 && errno != EINTR)
        r.failed = true;
    if (n <= 0)
        return r;
    r.readable = (p.revents & POLLIN) != 0;
    r.writable = (p.revents & POLLOUT) != 0;
    if ((p.revents & (POLLHUP | POLLERR)) && !r.readable)
        ::usleep(2000); // nobody holds the line; wait for the program to come back
    return r;
}

// The line stays: the receiver keeps its side open while the program closes and reopens it.
long Pty::read(char* data, std::size_t size) {
    const ssize_t n = ::read(master_, data, size);
    return n > 0 ? static_cast<long>(n) : 0;
}

long Pty::write(const char* data, std::size_t size) {
    const ssize_t n = ::write(master_, data, size);
    return n > 0 ? static_cast<long>(n) : 0;
}

} // namespace rxsim
