#include "link/serial_port.h"

#include <array>
#include <chrono>
#include <thread>
#include <utility>

namespace trix::link {

std::int64_t steadyNowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

int SerialPort::writeChar(std::uint8_t byte) {
    return writeBlock(&byte, 1);
}

long SerialPort::read(void* buffer, std::size_t maxLength) {
    int rc = readBlock(buffer, maxLength);
    if (rc == status::kBufferEmpty)
        return 0;
    return rc < 0 ? rc : static_cast<long>(count);
}

long SerialPort::write(const void* data, std::size_t length) {
    int rc = writeBlock(data, length);
    if (rc < 0 && rc != status::kBufferFull && rc != status::kBlockedByHandshaking)
        return rc;
    return static_cast<long>(count);
}

int SerialPort::pendingOutput() {
    int n = txCount();
    return n > 0 ? n : 0;
}

void SerialPort::setWaitHooks(WaitHooks hooks) {
    wait_ = std::move(hooks);
}

void SerialPort::idle() {
    if (wait_.idle)
        wait_.idle();
    else
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

std::int64_t SerialPort::now() const {
    return wait_.nowMs ? wait_.nowMs() : steadyNowMs();
}

bool SerialPort::expired(std::int64_t start, int timeoutMs) const {
    return timeoutMs != kWaitForever && now() - start >= timeoutMs;
}

int SerialPort::remaining(std::int64_t start, int timeoutMs) const {
    if (timeoutMs == kWaitForever)
        return kWaitForever;
    std::int64_t left = timeoutMs - (now() - start);
    return left > 0 ? static_cast<int>(left) : 0;
}

int SerialPort::delayMs(int ms) {
    std::int64_t start = now();
    while (now() - start < ms)
        idle();
    return 0;
}

int SerialPort::readBlockTimed(void* buffer, std::size_t length, int timeoutMs) {
    auto* out = static_cast<unsigned char*>(buffer);
    std::size_t total = 0;
    std::int64_t start = now();
    while (total < length) {
        int waiting = rxCount();
        if (waiting < 0 || lost()) {
            count = static_cast<std::uint32_t>(total);
            return fail(waiting < 0 ? waiting : status::kGeneralError);
        }
        if (waiting == 0) {
            if (expired(start, timeoutMs)) {
                count = static_cast<std::uint32_t>(total);
                return fail(status::kBufferEmpty);
            }
            idle();
            continue;
        }
        int rc = readBlock(out + total, length - total);
        if (rc < 0 && rc != status::kBufferEmpty) {
            count = static_cast<std::uint32_t>(total);
            return rc;
        }
        if (rc == 0)
            total += count;
    }
    count = static_cast<std::uint32_t>(total);
    return ok();
}

int SerialPort::flushInput() {
    std::array<unsigned char, 64> sink{};
    for (;;) {
        int rc = readBlock(sink.data(), sink.size());
        if (rc == status::kBufferEmpty)
            return ok();
        if (rc < 0)
            return rc;
        if (count == 0)
            return ok();
    }
}

int SerialPort::writeBlockTimed(const void* data, std::size_t length, int timeoutMs) {
    const auto* in = static_cast<const unsigned char*>(data);
    std::size_t total = 0;
    std::int64_t start = now();
    for (;;) {
        int rc = writeBlock(in + total, length - total);
        if (rc >= 0 || rc == status::kBufferFull || rc == status::kBlockedByHandshaking)
            total += count;
        if (rc == 0 || total >= length) {
            count = static_cast<std::uint32_t>(total);
            return ok();
        }
        if (rc != status::kBufferFull && rc != status::kBlockedByHandshaking) {
            count = static_cast<std::uint32_t>(total);
            return rc;
        }
        if (expired(start, timeoutMs)) {
            count = static_cast<std::uint32_t>(total);
            return fail(rc);
        }
        idle();
    }
}

int SerialPort::writeCharTimed(std::uint8_t byte, int timeoutMs) {
    return writeBlockTimed(&byte, 1, timeoutMs);
}

namespace {
// The bytes of a terminator: -1 none, -2 CR LF, 0-255 one byte; false for anything else.
bool terminatorBytes(int terminator, std::array<unsigned char, 2>& bytes, std::size_t& n) {
    if (terminator == kNoTerminator) {
        n = 0;
    } else if (terminator == kCrLf) {
        bytes = {'\r', '\n'};
        n = 2;
    } else if (terminator >= 0 && terminator <= 255) {
        bytes[0] = static_cast<unsigned char>(terminator);
        n = 1;
    } else {
        return false;
    }
    return true;
}
} // namespace

int SerialPort::writeString(std::string_view text, int terminator) {
    std::array<unsigned char, 2> tail{};
    std::size_t n = 0;
    if (!terminatorBytes(terminator, tail, n))
        return fail(status::kInvalidParameter);
    int rc = writeBlock(text.data(), text.size());
    if (rc < 0)
        return rc;
    if (n == 0)
        return ok();
    return writeBlock(tail.data(), n);
}

int SerialPort::writeStringTimed(std::string_view text, int terminator, int timeoutMs) {
    std::array<unsigned char, 2> tail{};
    std::size_t n = 0;
    if (!terminatorBytes(terminator, tail, n))
        return fail(status::kInvalidParameter);
    std::int64_t start = now();
    int rc = writeBlockTimed(text.data(), text.size(), timeoutMs);
    if (rc < 0 || n == 0)
        return rc;
    return writeBlockTimed(tail.data(), n, remaining(start, timeoutMs));
}

} // namespace trix::link
