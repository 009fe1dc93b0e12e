#pragma once
// The simulated receiver behind a TCP listener on the loopback address, as a serial server
// would offer it: one client at a time; a second one is turned away while the first is
// connected.

#include "line.h"

#include <string>

namespace rxsim {

class TcpListener : public Line {
public:
    // Listens on 127.0.0.1:`port` (0: a free port the system picks).
    explicit TcpListener(int port);
    ~TcpListener() override;
    TcpListener(const TcpListener&) = delete;
    TcpListener& operator=(const TcpListener&) = delete;

    bool ok() const { return listen_ >= 0; }
    const std::string& error() const { return error_; }
    // Where to connect: tcp://127.0.0.1:PORT.
    std::string address() const override;
    int listenDescriptor() const { return listen_; }
    // The connected client, or -1.
    int client() const { return client_; }
    // Takes a waiting connection: it becomes the client, or is closed when one is connected.
    void accept();
    // Ends the client's connection.
    void dropClient();
    // No more bytes to the client; its input is still read.
    void finishSending();
    // Bytes sent to the client and not yet acknowledged by it.
    int unsent() const;

    // Line: no line speed, so what is sent always arrives; nothing is sent while no client
    // is connected.
    bool connected() const override { return client_ >= 0; }
    bool understood(long, bool) const override { return true; }
    int unread() const override { return unsent(); }
    Ready wait(int ms, bool toWrite) override;
    long read(char* data, std::size_t size) override;
    long write(const char* data, std::size_t size) override;
    void drop() override { dropClient(); }
    bool endSending() override {
        finishSending();
        return true;
    }

private:
    int listen_ = -1;
    int client_ = -1;
    int port_ = 0;
    std::string error_;
};

} // namespace rxsim
