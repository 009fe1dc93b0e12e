#pragma once
// The line between the simulated receiver and the program: a pseudo-terminal or a client of
// the TCP listener. The receiver's loop runs the same over either; what differs (a line
// speed, a program that comes and goes) is answered here.

#include <cstddef>
#include <string>

namespace rxsim {

class Line {
public:
    // What a wait found.
    struct Ready {
        bool failed = false;     // the wait itself failed: the run ends
        bool newProgram = false; // a program has just connected
        bool readable = false;
        bool writable = false;
        bool gone = false; // the program's end is broken
    };

    virtual ~Line() = default;
    // Where the program connects: the device path or tcp://HOST:PORT.
    virtual std::string address() const = 0;
    // A program is there to receive what is sent.
    virtual bool connected() const = 0;
    // What is sent at this speed and handshaking reaches the program as sent.
    virtual bool understood(long baud, bool rtsCts) const = 0;
    // Bytes sent that the program has not taken yet.
    virtual int unread() const = 0;
    // Waits at most `ms` for input, and with `toWrite` for room to write.
    virtual Ready wait(int ms, bool toWrite) = 0;
    // Bytes moved, 0 when none could be, -1 when the program has gone.
    virtual long read(char* data, std::size_t size) = 0;
    virtual long write(const char* data, std::size_t size) = 0;
    // The program has gone: its end is let go, ready for the next one.
    virtual void drop() {}
    // Everything is sent and taken. True when the program's end is now closed for receiving
    // and the run ends once the program leaves; false when the run is simply over.
    virtual bool endSending() = 0;
};

} // namespace rxsim
