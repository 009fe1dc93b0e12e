#pragma once
// The pseudo-terminal the simulated receiver sits on. The program opens the slave side; the
// receiver reads the line settings the program chose from the master side.

#include <string>

namespace rxsim {

class Pty {
public:
    Pty();
    ~Pty();
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

private:
    int master_ = -1;
    int slaveKeep_ = -1; // keeps the line alive while the program closes and reopens it
    std::string slave_;
};

} // namespace rxsim
