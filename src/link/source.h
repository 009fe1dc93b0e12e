#pragma once
// Input sources by name: a device path opens a serial port, `tcp://HOST:PORT` connects to a
// receiver behind a TCP listener (HOST a name, an IPv4 address or a bracketed IPv6 address).
// To add a back end: give it a ByteStream (or a SerialPort when it has line settings), a
// scheme in parseSource() and a branch in openSource().

#include "link/port_settings.h"
#include "link/serial_port.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace trix::link {

struct SourceAddress {
    enum class Kind { Device, Tcp };
    Kind kind = Kind::Device;
    std::string device; // Device: the path
    std::string host;   // Tcp: without brackets
    int port = 0;       // Tcp: 1 to 65535
};

// The source `text` names; nothing, with the reason in `error`, when it is malformed.
std::optional<SourceAddress> parseSource(std::string_view text, std::string& error);

// True when `text` names a TCP source (whether well-formed or not).
bool isTcpSource(std::string_view text);

struct OpenedSource {
    std::unique_ptr<SerialPort> port; // null on failure
    int status = 0;                   // negative on failure
    std::string error;                // why it failed, for the user
};

// Opens the source `text` names. A serial port gets `settings`' line and the given queue sizes;
// a TCP source waits at most `connectTimeoutMs` for the connection.
OpenedSource openSource(std::string_view text, const PortSettings& settings,
                        int connectTimeoutMs = 5000);

} // namespace trix::link
