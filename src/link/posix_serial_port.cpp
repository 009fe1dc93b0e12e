#include "link/posix_serial_port.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <linux/serial.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace trix::link {
namespace {

struct BufferSizes {
    std::uint32_t rx = 1050;
    std::uint32_t tx = 1050;
};

BufferSizes& defaultSizes() {
    static BufferSizes sizes;
    return sizes;
}

struct SpeedEntry {
    long baud;
    speed_t speed;
};

// The rates termios offers up to the highest one the driver accepts.
constexpr std::array kSpeeds{
    SpeedEntry{50, B50},       SpeedEntry{75, B75},         SpeedEntry{110, B110},
    SpeedEntry{134, B134},     SpeedEntry{150, B150},       SpeedEntry{200, B200},
    SpeedEntry{300, B300},     SpeedEntry{600, B600},       SpeedEntry{1200, B1200},
    SpeedEntry{1800, B1800},   SpeedEntry{2400, B2400},     SpeedEntry{4800, B4800},
    SpeedEntry{9600, B9600},   SpeedEntry{19200, B19200},   SpeedEntry{38400, B38400},
    SpeedEntry{57600, B57600}, SpeedEntry{115200, B115200},
};
constexpr long kMaxBaud = 115200;

bool speedFor(long baud, speed_t& speed) {
    auto it = std::find_if(kSpeeds.begin(), kSpeeds.end(),
                           [baud](const SpeedEntry& e) { return e.baud == baud; });
    if (it == kSpeeds.end())
        return false;
    speed = it->speed;
    return true;
}

// Errors of opening a device, as the rest of the program knows them.
int openError(int err) {
    switch (err) {
    case ENOENT:
    case ENXIO:
    case ENODEV:
    case ENOTDIR:
    case EMFILE:
    case ENFILE:
        return status::kNoDevice;
    case EACCES:
    case EPERM:
    case EBUSY:
    case EWOULDBLOCK:
        return status::kInUse;
    default:
        return status::kGeneralError;
    }
}

bool unsupported(int err) {
    return err == ENOTTY || err == EINVAL || err == ENOSYS;
}

} // namespace

void setBufferSizes(std::uint32_t rxSize, std::uint32_t txSize) {
    defaultSizes() = {rxSize, txSize};
}

PosixSerialPort::~PosixSerialPort() {
    if (fd_ >= 0)
        close();
}

std::unique_ptr<PosixSerialPort> PosixSerialPort::open(const std::string& device, long baud,
                                                       char parity, int dataBits, int stopBits) {
    std::unique_ptr<PosixSerialPort> port(new PosixSerialPort());
    port->driverKind = kPosixDriverKind;
    port->device_ = device;
    port->rxBufferSize_ = defaultSizes().rx;
    port->txBufferSize_ = defaultSizes().tx;
    if (port->openDevice(device) < 0)
        return port;
    if (port->setLine(baud, parity, dataBits, stopBits) < 0) {
        int rc = port->status;
        port->close();
        port->status = rc;
    }
    return port;
}

int PosixSerialPort::openFailed(int err) {
    systemError_ = err;
    return fail(openError(err));
}

int PosixSerialPort::openDevice(const std::string& device) {
    int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return openFailed(errno);
    if (!::isatty(fd)) {
        ::close(fd);
        return fail(status::kInvalidPort);
    }
    // No sharing: the lock keeps out every other program that locks too (and privileged
    // ones, for which the kernel's exclusive mode does not hold); TIOCEXCL keeps out the rest.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        int err = errno;
        ::close(fd);
        return openFailed(err == EWOULDBLOCK ? EBUSY : err);
    }
    ::ioctl(fd, TIOCEXCL);

    termios t{};
    if (::tcgetattr(fd, &t) != 0) {
        int err = errno;
        ::close(fd);
        return openFailed(err);
    }
    ::cfmakeraw(&t);
    t.c_cflag |= CLOCAL | CREAD;
    t.c_cflag &= ~(CRTSCTS | HUPCL);
    t.c_iflag &= ~(IXON | IXOFF | IXANY | INPCK);
    // With VMIN 1 a non-blocking read of an empty queue fails with EAGAIN, so that a read
    // returning 0 means the other end has hung up.
    t.c_cc[VMIN] = 1;
    t.c_cc[VTIME] = 0;
    t.c_cc[VSTART] = 0x11;
    t.c_cc[VSTOP] = 0x13;
    if (::tcsetattr(fd, TCSANOW, &t) != 0) {
        int err = errno;
        ::close(fd);
        return openFailed(err);
    }
    fd_ = fd;
    lost_ = false;
    head_ = tail_ = 0;
    lineErrors_ = 0;
    // DTR and RTS up, as a freshly opened port presents them.
    int bits = TIOCM_DTR | TIOCM_RTS;
    ::ioctl(fd_, TIOCMBIS, &bits);
    serial_icounter_struct ic{};
    haveCounts_ = ::ioctl(fd_, TIOCGICOUNT, &ic) == 0;
    if (haveCounts_)
        counts_ = {ic.frame, ic.overrun, ic.parity, ic.brk, ic.buf_overrun};
    return ok();
}

int PosixSerialPort::ioFailure(int err) {
    if (err == EIO || err == ENXIO || err == ENODEV || err == EBADF)
        lost_ = true;
    return fail(status::kGeneralError);
}

bool PosixSerialPort::refill() {
    head_ = tail_ = 0;
    if (fd_ < 0 || lost_)
        return false;
    for (;;) {
        ssize_t n = ::read(fd_, buffer_.data(), buffer_.size());
        if (n > 0) {
            tail_ = static_cast<std::size_t>(n);
            return true;
        }
        if (n == 0) { // end of file on a terminal: the other end hung up
            lost_ = true;
            return false;
        }
        if (errno == EINTR)
            continue;
        if (errno != EAGAIN)
            ioFailure(errno);
        return false;
    }
}

int PosixSerialPort::readChar() {
    if (head_ == tail_ && !refill()) {
        count = 0;
        return fail(lost_ || fd_ < 0 ? status::kGeneralError : status::kBufferEmpty);
    }
    status = 0;
    return buffer_[head_++];
}

int PosixSerialPort::readBlock(void* buffer, std::size_t maxLength) {
    auto* out = static_cast<unsigned char*>(buffer);
    std::size_t taken = std::min(maxLength, tail_ - head_);
    if (taken > 0)
        std::memcpy(out, buffer_.data() + head_, taken);
    head_ += taken;
    while (taken < maxLength && fd_ >= 0 && !lost_) {
        ssize_t n = ::read(fd_, out + taken, maxLength - taken);
        if (n > 0) {
            taken += static_cast<std::size_t>(n);
            continue;
        }
        if (n == 0)
            lost_ = true;
        else if (errno == EINTR)
            continue;
        else if (errno != EAGAIN)
            ioFailure(errno);
        break;
    }
    count = static_cast<std::uint32_t>(taken);
    if (taken > 0)
        return ok();
    return fail(lost_ || fd_ < 0 ? status::kGeneralError : status::kBufferEmpty);
}

int PosixSerialPort::rxCount() {
    if (fd_ < 0)
        return fail(status::kGeneralError);
    int waiting = 0;
    if (::ioctl(fd_, FIONREAD, &waiting) != 0)
        return ioFailure(errno);
    if (waiting == 0 && head_ == tail_) {
        // An empty queue may also mean the device is gone; a hang-up shows in poll().
        pollfd p{fd_, POLLIN, 0};
        if (::poll(&p, 1, 0) > 0 && (p.revents & (POLLHUP | POLLERR | POLLNVAL))) {
            lost_ = true;
            return fail(status::kGeneralError);
        }
    }
    status = 0;
    return waiting + static_cast<int>(tail_ - head_);
}

int PosixSerialPort::rxFree() {
    int n = rxCount();
    if (n < 0)
        return n;
    return std::max(0, static_cast<int>(rxBufferSize_) - n);
}

int PosixSerialPort::txCount() {
    if (fd_ < 0)
        return fail(status::kGeneralError);
    int queued = 0;
    if (::ioctl(fd_, TIOCOUTQ, &queued) != 0)
        return ioFailure(errno);
    status = 0;
    return queued;
}

int PosixSerialPort::txFree() {
    int n = txCount();
    if (n < 0)
        return n;
    return std::max(0, static_cast<int>(txBufferSize_) - n);
}

int PosixSerialPort::clearTx() {
    if (fd_ < 0)
        return fail(status::kGeneralError);
    if (::tcflush(fd_, TCOFLUSH) != 0)
        return ioFailure(errno);
    return ok();
}

int PosixSerialPort::writeBlock(const void* data, std::size_t length) {
    count = 0;
    if (fd_ < 0 || lost_)
        return fail(status::kGeneralError);
    int space = txFree();
    if (space < 0)
        return space;
    std::size_t chunk = std::min(length, static_cast<std::size_t>(space));
    std::size_t accepted = 0;
    while (accepted < chunk) {
        ssize_t n = ::write(fd_, static_cast<const char*>(data) + accepted, chunk - accepted);
        if (n > 0) {
            accepted += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN) {
            count = static_cast<std::uint32_t>(accepted);
            return ioFailure(errno);
        }
        break;
    }
    count = static_cast<std::uint32_t>(accepted);
    return accepted == length ? ok() : fail(status::kBufferFull);
}

int PosixSerialPort::setLine(long baud, char parity, int dataBits, int stopBits) {
    speed_t speed{};
    if (baud > kMaxBaud || !speedFor(baud, speed))
        return fail(status::kIllegalBaud);
    tcflag_t parityFlags = 0;
    switch (std::toupper(static_cast<unsigned char>(parity))) {
    case 'N':
        break;
    case 'O':
        parityFlags = PARENB | PARODD;
        break;
    case 'E':
        parityFlags = PARENB;
        break;
    case 'M':
        parityFlags = PARENB | PARODD | CMSPAR;
        break;
    case 'S':
        parityFlags = PARENB | CMSPAR;
        break;
    default:
        return fail(status::kIllegalParity);
    }
    if (stopBits != 1 && stopBits != 2)
        return fail(status::kIllegalStopBits);
    tcflag_t size = 0;
    switch (dataBits) {
    case 5:
        size = CS5;
        break;
    case 6:
        size = CS6;
        break;
    case 7:
        size = CS7;
        break;
    case 8:
        size = CS8;
        break;
    default:
        return fail(status::kIllegalWordLength);
    }
    return changeTermios([&](termios& t) {
        ::cfsetispeed(&t, speed);
        ::cfsetospeed(&t, speed);
        t.c_cflag &= ~(PARENB | PARODD | CMSPAR | CSIZE | CSTOPB);
        t.c_cflag |= parityFlags | size | (stopBits == 2 ? CSTOPB : 0);
    });
}

int PosixSerialPort::changeTermios(const std::function<void(termios&)>& change) {
    if (fd_ < 0)
        return fail(status::kGeneralError);
    termios t{};
    if (::tcgetattr(fd_, &t) != 0)
        return ioFailure(errno);
    change(t);
    if (::tcsetattr(fd_, TCSANOW, &t) != 0)
        return ioFailure(errno);
    return ok();
}

int PosixSerialPort::setXonXoff(bool on) {
    return changeTermios([on](termios& t) {
        if (on)
            t.c_iflag |= IXON | IXOFF;
        else
            t.c_iflag &= ~(IXON | IXOFF);
    });
}

int PosixSerialPort::setRtsCts(bool on) {
    int rc = changeTermios([on](termios& t) {
        if (on)
            t.c_cflag |= CRTSCTS;
        else
            t.c_cflag &= ~CRTSCTS;
    });
    if (rc != 0)
        return rc;
    // Without handshaking RTS is held low; with it the driver raises it while it can take input.
    modemLine(TIOCM_RTS, on);
    return ok();
}

int PosixSerialPort::setDtrDsr(bool on) {
    if (fd_ < 0)
        return fail(status::kGeneralError);
    modemLine(TIOCM_DTR, on);
    // termios has no DSR output flow control: DTR is raised, but honouring DSR cannot be
    // promised, so the request is reported as not supported.
    return on ? fail(status::kNotSupported) : ok();
}

int PosixSerialPort::modemLine(int bit, bool on) {
    if (fd_ < 0)
        return -1;
    return ::ioctl(fd_, on ? TIOCMBIS : TIOCMBIC, &bit);
}

int PosixSerialPort::setDtr(bool on) {
    modemLine(TIOCM_DTR, on);
    return ok();
}

int PosixSerialPort::setRts(bool on) {
    modemLine(TIOCM_RTS, on);
    return ok();
}

int PosixSerialPort::sendBreak(int ms) {
    if (fd_ < 0)
        return fail(status::kGeneralError);
    auto call = [this](unsigned long request) {
        if (::ioctl(fd_, request) == 0)
            return ok();
        return unsupported(errno) ? fail(status::kNotSupported) : ioFailure(errno);
    };
    if (ms == 0)
        return call(TIOCCBRK);
    int rc = call(TIOCSBRK);
    if (rc < 0 || ms == -1)
        return rc;
    delayMs(ms);
    return call(TIOCCBRK);
}

int PosixSerialPort::modemStatus() {
    if (fd_ < 0)
        return fail(status::kGeneralError);
    int bits = 0;
    if (::ioctl(fd_, TIOCMGET, &bits) != 0)
        return unsupported(errno) ? fail(status::kNotSupported) : ioFailure(errno);
    int result = 0;
    if (bits & TIOCM_CTS)
        result |= modem::kCts;
    if (bits & TIOCM_DSR)
        result |= modem::kDsr;
    if (bits & TIOCM_RI)
        result |= modem::kRing;
    if (bits & TIOCM_CD)
        result |= modem::kCarrier;
    status = 0;
    return result;
}

void PosixSerialPort::accumulateLineErrors() {
    if (fd_ < 0 || !haveCounts_)
        return;
    serial_icounter_struct ic{};
    if (::ioctl(fd_, TIOCGICOUNT, &ic) != 0)
        return;
    if (ic.frame != counts_.frame)
        lineErrors_ |= lineerr::kFraming;
    if (ic.overrun != counts_.overrun || ic.buf_overrun != counts_.bufOverrun)
        lineErrors_ |= lineerr::kOverrun;
    if (ic.parity != counts_.parity)
        lineErrors_ |= lineerr::kParity;
    if (ic.brk != counts_.brk)
        lineErrors_ |= lineerr::kBreak;
    counts_ = {ic.frame, ic.overrun, ic.parity, ic.brk, ic.buf_overrun};
}

int PosixSerialPort::lineStatus() {
    accumulateLineErrors();
    status = 0;
    return static_cast<int>(lineErrors_ & lineerr::kReported);
}

int PosixSerialPort::clearLineStatus() {
    accumulateLineErrors();
    lineErrors_ = 0;
    return ok();
}

int PosixSerialPort::close() {
    if (fd_ < 0)
        return ok();
    modemLine(TIOCM_DTR | TIOCM_RTS, false);
    int fd = fd_;
    fd_ = -1;
    head_ = tail_ = 0;
    if (::close(fd) != 0 && errno != EINTR)
        return fail(status::kGeneralError);
    return ok();
}

} // namespace trix::link
