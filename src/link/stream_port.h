#pragma once
// The port record over a source without a serial line: the byte operations go to the stream,
// the line operations (speed, handshaking, modem lines, break) answer "Function not
// supported".

#include "link/serial_port.h"

#include <array>
#include <memory>

namespace trix::link {

class StreamPort final : public SerialPort {
public:
    static constexpr int kDriverKind = 32;
    explicit StreamPort(std::unique_ptr<ByteStream> stream);
    ~StreamPort() override;

    int readChar() override;
    int readBlock(void* buffer, std::size_t maxLength) override;
    int writeBlock(const void* data, std::size_t length) override;
    int rxCount() override;
    int rxFree() override;
    int txCount() override;
    int txFree() override;
    int clearTx() override { return ok(); }
    int close() override;

    bool lost() const override { return stream_->lost(); }
    int pollDescriptor() const override { return stream_->pollDescriptor(); }
    std::string_view deviceName() const override { return stream_->displayName(); }
    bool isSerialLine() const override { return false; }

private:
    bool refill();
    int emptyStatus();

    std::unique_ptr<ByteStream> stream_;
    bool closed_ = false;
    std::array<unsigned char, 4096> buffer_{};
    std::size_t head_ = 0;
    std::size_t tail_ = 0;
};

} // namespace trix::link
