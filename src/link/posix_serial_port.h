#pragma once
// The port on POSIX termios: raw mode, non-blocking reads and writes, exclusive opening.

#include "link/serial_port.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

struct termios;

namespace trix::link {

inline constexpr int kPosixDriverKind = 16;

// Queue sizes used by the next open (the receive size bounds rxFree, the transmit size
// bounds what one writeBlock accepts). Defaults 1050 and 1050; the program sets 16384 and
// 4096 before every open.
void setBufferSizes(std::uint32_t rxSize, std::uint32_t txSize);

class PosixSerialPort final : public SerialPort {
public:
    ~PosixSerialPort() override;

    // Opens `device` for reading and writing, exclusively, and applies the line settings.
    // Never null; a negative `status` means the port was not opened.
    static std::unique_ptr<PosixSerialPort> open(const std::string& device, long baud, char parity,
                                                 int dataBits, int stopBits);

    int readChar() override;
    int close() override;
    int setLine(long baud, char parity, int dataBits, int stopBits) override;
    int setXonXoff(bool on) override;
    int setRtsCts(bool on) override;
    int setDtrDsr(bool on) override;
    int setDtr(bool on) override;
    int setRts(bool on) override;
    int txFree() override;
    int txCount() override;
    int rxFree() override;
    int rxCount() override;
    int clearTx() override;
    int writeBlock(const void* data, std::size_t length) override;
    int readBlock(void* buffer, std::size_t maxLength) override;
    int sendBreak(int ms) override;
    int modemStatus() override;
    int lineStatus() override;
    int clearLineStatus() override;

    bool lost() const override { return lost_; }
    int pollDescriptor() const override { return fd_; }
    std::string_view deviceName() const override { return device_; }
    // errno of the failed open (0 when the open failed for another reason or did not fail).
    int systemError() const { return systemError_; }
    bool isOpen() const { return fd_ >= 0; }

private:
    PosixSerialPort() = default;
    int openDevice(const std::string& device);
    // Reads what the device holds into the local buffer; false when nothing came.
    bool refill();
    int ioFailure(int err);
    // Reads the line settings, lets `change` edit them and writes them back.
    int changeTermios(const std::function<void(termios&)>& change);
    void accumulateLineErrors();
    int modemLine(int bit, bool on);

    int openFailed(int err);

    int fd_ = -1;
    int systemError_ = 0;
    std::string device_;
    bool lost_ = false;
    std::uint32_t rxBufferSize_ = 1050;
    std::uint32_t txBufferSize_ = 1050;
    unsigned lineErrors_ = 0;
    struct Counts {
        int frame = 0, overrun = 0, parity = 0, brk = 0, bufOverrun = 0;
    } counts_;
    bool haveCounts_ = false;
    // Bytes taken from the device but not yet handed out; one read() serves many readChar().
    std::array<unsigned char, 4096> buffer_{};
    std::size_t head_ = 0;
    std::size_t tail_ = 0;
};

} // namespace trix::link
