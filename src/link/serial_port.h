#pragma once
// The port abstraction: a record with a status code and a table of operations. The generic
// record answers every operation with "Function not supported"; a platform back end fills in
// what it supports. Every operation returns its status (0 success, negative failure) and also
// stores it in `status`, so a caller may test either.

#include "link/byte_stream.h"
#include "link/status.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>

namespace trix::link {

// Modem status bits returned by modemStatus().
namespace modem {
inline constexpr int kCts = 0x10;
inline constexpr int kDsr = 0x20;
inline constexpr int kRing = 0x40;
inline constexpr int kCarrier = 0x80;
} // namespace modem

// Line status bits returned by lineStatus().
namespace lineerr {
inline constexpr unsigned kOverrun = 0x02;
inline constexpr unsigned kParity = 0x04;
inline constexpr unsigned kFraming = 0x08;
inline constexpr unsigned kBreak = 0x10;
inline constexpr unsigned kReported = kOverrun | kParity | kFraming | kBreak;
} // namespace lineerr

// Terminators of writeString().
inline constexpr int kNoTerminator = -1;
inline constexpr int kCrLf = -2;
// Time-out of the timed operations that waits for ever.
inline constexpr int kWaitForever = -1;

// How the waiting operations wait: `idle` is called on every pass of a wait (the GUI
// dispatches its pending events there), `nowMs` is a millisecond tick count.
struct WaitHooks {
    std::function<void()> idle;
    std::function<std::int64_t()> nowMs;
};

// A steady millisecond clock.
std::int64_t steadyNowMs();

// The port record: a byte stream with the serial line's own operations on top. A source
// without a serial line answers those with "Function not supported" and says so through
// isSerialLine(); callers ask the line operations of serial lines only.
class SerialPort : public ByteStream {
public:
    SerialPort() = default;
    virtual ~SerialPort() = default;
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;

    int status = 0;
    int portIndex = -1;      // zero-based port number (COM n+1)
    int driverKind = 0;      // which back end answers
    std::uint32_t count = 0; // bytes moved by the last block read or write

    // --- the operation table -----------------------------------------------------------
    virtual int readChar() { return fail(status::kNotSupported); }
    virtual int writeChar(std::uint8_t byte);
    // Lowers DTR and RTS and releases the device; the record stays usable only for its status.
    int close() override { return ok(); }
    virtual int setLine(long /*baud*/, char /*parity*/, int /*dataBits*/, int /*stopBits*/) {
        return fail(status::kNotSupported);
    }
    virtual int setXonXoff(bool /*on*/) { return fail(status::kNotSupported); }
    virtual int setRtsCts(bool /*on*/) { return fail(status::kNotSupported); }
    virtual int setDtrDsr(bool /*on*/) { return fail(status::kNotSupported); }
    virtual int setDtr(bool /*on*/) { return fail(status::kNotSupported); }
    virtual int setRts(bool /*on*/) { return fail(status::kNotSupported); }
    virtual int txFree() { return fail(status::kNotSupported); }
    virtual int txCount() { return fail(status::kNotSupported); }
    virtual int rxFree() { return fail(status::kNotSupported); }
    virtual int rxCount() { return fail(status::kNotSupported); }
    virtual int clearTx() { return fail(status::kNotSupported); }
    virtual int writeBlock(const void* /*data*/, std::size_t /*length*/) {
        return fail(status::kNotSupported);
    }
    virtual int readBlock(void* /*buffer*/, std::size_t /*maxLength*/) {
        return fail(status::kNotSupported);
    }
    virtual int dump() { return fail(status::kNotSupported); }
    virtual int sendBreak(int /*ms*/) { return fail(status::kNotSupported); }
    virtual int modemStatus() { return fail(status::kNotSupported); }
    virtual int lineStatus() { return fail(status::kNotSupported); }
    virtual int clearLineStatus() { return fail(status::kNotSupported); }
    int clearError() { return ok(); }

    // --- beyond the table ------------------------------------------------------------------
    // The device went away under the open port (unplugged, the other end closed).
    bool lost() const override { return false; }
    // A descriptor to wait on for input, or -1.
    int pollDescriptor() const override { return -1; }
    // The device this record opened (for messages).
    virtual std::string_view deviceName() const { return {}; }
    // False for a source without line settings (speed, handshaking, modem lines, break).
    virtual bool isSerialLine() const { return true; }

    // --- the byte stream, through the block operations --------------------------------------
    long read(void* buffer, std::size_t maxLength) override;
    long write(const void* data, std::size_t length) override;
    std::string_view displayName() const override { return deviceName(); }
    int pendingOutput() override;

    // --- the timed operations ---------------------------------------------------------------
    void setWaitHooks(WaitHooks hooks);
    const WaitHooks& waitHooks() const { return wait_; }
    void idle();
    int delayMs(int ms);
    int readBlockTimed(void* buffer, std::size_t length, int timeoutMs);
    int flushInput();
    int writeBlockTimed(const void* data, std::size_t length, int timeoutMs);
    int writeCharTimed(std::uint8_t byte, int timeoutMs);
    int writeString(std::string_view text, int terminator);
    int writeStringTimed(std::string_view text, int terminator, int timeoutMs);

protected:
    int fail(int code) {
        status = code;
        return code;
    }
    int ok() {
        status = 0;
        return 0;
    }

private:
    std::int64_t now() const;
    bool expired(std::int64_t start, int timeoutMs) const;
    int remaining(std::int64_t start, int timeoutMs) const;

    WaitHooks wait_;
};

} // namespace trix::link
