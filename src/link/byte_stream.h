#pragma once
// The narrow interface every input source offers: bytes in, bytes out, a descriptor to wait
// on, and whether the other end went away. The serial port record sits on top of it; a source
// without line settings (a TCP connection) offers only this.

#include <cstddef>
#include <string_view>

namespace trix::link {

class ByteStream {
public:
    virtual ~ByteStream() = default;

    // Up to `maxLength` waiting bytes: the count taken (0 when nothing waits), or a negative
    // status when the stream failed; lost() then tells whether the other end is gone.
    virtual long read(void* buffer, std::size_t maxLength) = 0;
    // The count of bytes accepted (fewer than `length` while the output queue is full), or a
    // negative status.
    virtual long write(const void* data, std::size_t length) = 0;
    // A descriptor that polls readable when input waits (and on hang-up), or -1.
    virtual int pollDescriptor() const = 0;
    // Releases the source; 0 or a negative status.
    virtual int close() = 0;
    // The other end went away (unplugged device, closed connection).
    virtual bool lost() const = 0;
    // What the user named to open it (for messages).
    virtual std::string_view displayName() const = 0;
    // Bytes written but not sent yet; 0 when the source cannot tell.
    virtual int pendingOutput() { return 0; }
};

} // namespace trix::link
