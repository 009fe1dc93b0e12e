#pragma once
// The pseudo-terminal the simulated receiver sits on. The program opens the slave side; the
// receiver reads the line settings the program chose from the master side.

#include "line.h"

#include <string>

namespace rxsim {

class Pty : public Line {
public:
    Pty();
    ~Pty() override;
    Pty(const Pty&) = delete;
    Pty& operator=(const Pty&) = delete;

    bool ok() const { return master_ >= 0; }
    const std::string& slavePath() const { return slave_; }
    int master() const { return master_; }
    // The baud rate and RTS/CTS setting the program applied to its side.
    long programBaud() const;
    bool programRtsCts() const;
    // Bytes written by the receiver that the program has not read yet.
    int unreadByProgram() const;

    // Line: the program is always there; a line at another speed or handshaking garbles.
    std::string address() const override { return slave_; }
    bool connected() const override { return true; }
    bool understood(long baud, bool rtsCts) const override;
    int unread() const override { return unreadByProgram(); }
    Ready wait(int ms, bool toWrite) override;
    long read(char* data, std::size_t size) override;
    long write(const char* data, std::size_t size) override;
    bool endSending() override { return false; }

private:
    int master_ = -1;
    int slaveKeep_ = -1; // keeps the line alive while the program closes and reopens it
    std::string slave_;
};

} // namespace rxsim
