#pragma once
// The simulated receiver behind a TCP listener on the loopback address, as a serial server
// would offer it: one client at a time; a second one is turned away while the first is
// connected.

#include <string>

namespace rxsim {

class TcpListener {
public:
    // Listens on 127.0.0.1:`port` (0: a free port the system picks).
    explicit TcpListener(int port);
    ~TcpListener();
    TcpListener(const TcpListener&) = delete;
    TcpListener& operator=(const TcpListener&) = delete;

    bool ok() const { return listen_ >= 0; }
    const std::string& error() const { return error_; }
    // Where to connect: tcp://127.0.0.1:PORT.
    std::string address() const;
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

private:
    int listen_ = -1;
    int client_ = -1;
    int port_ = 0;
    std::string error_;
};

} // namespace rxsim
