#pragma once
// A receiver behind a TCP listener (a serial server, a network bridge): a non-blocking client
// connection offered as a byte stream.

#include "link/byte_stream.h"

#include <memory>
#include <string>

namespace trix::link {

class TcpStream final : public ByteStream {
public:
    static constexpr int kConnectTimeoutMs = 5000;

    ~TcpStream() override;
    TcpStream(const TcpStream&) = delete;
    TcpStream& operator=(const TcpStream&) = delete;

    // Connects to `host`:`port` (a name, an IPv4 or an IPv6 address), trying each address
    // the host has and waiting at most `timeoutMs` for each. Null on failure, with the reason
    // in `error`; `name` is what the user typed, for the messages.
    static std::unique_ptr<TcpStream> connect(const std::string& name, const std::string& host,
                                              int port, int timeoutMs, std::string& error);

    long read(void* buffer, std::size_t maxLength) override;
    long write(const void* data, std::size_t length) override;
    int pollDescriptor() const override { return fd_; }
    int close() override;
    bool lost() const override { return lost_; }
    std::string_view displayName() const override { return name_; }
    int pendingOutput() override;
    // Bytes received and not read yet.
    int waiting() const;

private:
    TcpStream(int fd, std::string name) : fd_(fd), name_(std::move(name)) {}
    long failure(int err);

    int fd_ = -1;
    std::string name_;
    bool lost_ = false;
};

} // namespace trix::link
