#include "link/stream_port.h"

#include <algorithm>
#include <cstring>

namespace trix::link {

namespace {
// What one write may hand over, as the serial port's transmit queue bounds it.
constexpr int kTxQueue = 4096;
} // namespace

StreamPort::StreamPort(std::unique_ptr<ByteStream> stream) : stream_(std::move(stream)) {
    driverKind = kDriverKind;
}

StreamPort::~StreamPort() {
    close();
}

bool StreamPort::refill() {
    head_ = tail_ = 0;
    if (closed_)
        return false;
    long n = stream_->read(buffer_.data(), buffer_.size());
    if (n <= 0)
        return false;
    tail_ = static_cast<std::size_t>(n);
    return true;
}

int StreamPort::emptyStatus() {
    count = 0;
    return fail(closed_ || stream_->lost() ? status::kGeneralError : status::kBufferEmpty);
}

int StreamPort::readChar() {
    if (head_ == tail_ && !refill())
        return emptyStatus();
    status = 0;
    return buffer_[head_++];
}

int StreamPort::readBlock(void* buffer, std::size_t maxLength) {
    auto* out = static_cast<unsigned char*>(buffer);
    std::size_t taken = std::min(maxLength, tail_ - head_);
    if (taken > 0)
        std::memcpy(out, buffer_.data() + head_, taken);
    head_ += taken;
    if (taken < maxLength && !closed_) {
        long n = stream_->read(out + taken, maxLength - taken);
        if (n > 0)
            taken += static_cast<std::size_t>(n);
    }
    count = static_cast<std::uint32_t>(taken);
    if (taken > 0)
        return ok();
    return emptyStatus();
}

int StreamPort::writeBlock(const void* data, std::size_t length) {
    count = 0;
    if (closed_ || stream_->lost())
        return fail(status::kGeneralError);
    long n = stream_->write(data, length);
    if (n < 0)
        return fail(static_cast<int>(n));
    count = static_cast<std::uint32_t>(n);
    return static_cast<std::size_t>(n) == length ? ok() : fail(status::kBufferFull);
}

int StreamPort::rxCount() {
    if (closed_)
        return fail(status::kGeneralError);
    // The stream cannot say how much waits without taking it: what it has is buffered here.
    if (head_ == tail_ && !refill() && stream_->lost())
        return fail(status::kGeneralError);
    status = 0;
    return static_cast<int>(tail_ - head_);
}

int StreamPort::rxFree() {
    int n = rxCount();
    return n < 0 ? n : std::max(0, static_cast<int>(buffer_.size()) - n);
}

int StreamPort::txCount() {
    if (closed_)
        return fail(status::kGeneralError);
    status = 0;
    return stream_->pendingOutput();
}

int StreamPort::txFree() {
    int n = txCount();
    return n < 0 ? n : std::max(0, kTxQueue - n);
}

int StreamPort::close() {
    if (closed_)
        return ok();
    closed_ = true;
    head_ = tail_ = 0;
    int rc = stream_->close();
    return rc < 0 ? fail(rc) : ok();
}

} // namespace trix::link
