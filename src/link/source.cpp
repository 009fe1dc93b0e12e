#include "link/source.h"

#include "base/strings.h"
#include "base/text.h"
#include "link/posix_serial_port.h"
#include "link/stream_port.h"
#include "link/tcp_stream.h"

namespace trix::link {

namespace {

constexpr std::string_view kTcpScheme = "tcp://";

bool hostChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
           c == '-' || c == '_';
}

std::optional<SourceAddress> parseTcp(std::string_view text, std::string& error) {
    const std::string shown(text);
    std::string_view rest = text.substr(kTcpScheme.size());
    std::string_view host;
    std::string_view port;
    if (!rest.empty() && rest[0] == '[') {
        std::size_t close = rest.find(']');
        if (close == std::string_view::npos) {
            error = cformat(str::kSourceBadHost, shown.c_str());
            return std::nullopt;
        }
        host = rest.substr(1, close - 1);
        if (host.empty() || host.find_first_not_of(":.0123456789abcdefABCDEF") != host.npos ||
            host.find(':') == host.npos) {
            error = cformat(str::kSourceBadHost, shown.c_str());
            return std::nullopt;
        }
        rest = rest.substr(close + 1);
        if (rest.empty() || rest[0] != ':') {
            error = cformat(rest.empty() ? str::kSourceNoPort : str::kSourceBadHost, shown.c_str());
            return std::nullopt;
        }
        port = rest.substr(1);
    } else {
        std::size_t colon = rest.rfind(':');
        host = colon == std::string_view::npos ? rest : rest.substr(0, colon);
        if (host.empty()) {
            error = cformat(str::kSourceNoHost, shown.c_str());
            return std::nullopt;
        }
        for (char c : host) {
            if (!hostChar(c)) {
                error = cformat(str::kSourceBadHost, shown.c_str());
                return std::nullopt;
            }
        }
        if (colon == std::string_view::npos) {
            error = cformat(str::kSourceNoPort, shown.c_str());
            return std::nullopt;
        }
        port = rest.substr(colon + 1);
    }
    if (port.empty()) {
        error = cformat(str::kSourceNoPort, shown.c_str());
        return std::nullopt;
    }
    long number = 0;
    for (char c : port) {
        if (c < '0' || c > '9' || number > 65535) {
            error = cformat(str::kSourceBadPort, shown.c_str());
            return std::nullopt;
        }
        number = number * 10 + (c - '0');
    }
    if (number < 1 || number > 65535) {
        error = cformat(str::kSourceBadPort, shown.c_str());
        return std::nullopt;
    }
    SourceAddress a;
    a.kind = SourceAddress::Kind::Tcp;
    a.host = std::string(host);
    a.port = static_cast<int>(number);
    return a;
}

} // namespace

bool isTcpSource(std::string_view text) {
    return asciiLower(text.substr(0, kTcpScheme.size())) == kTcpScheme;
}

std::optional<SourceAddress> parseSource(std::string_view text, std::string& error) {
    if (text.empty()) {
        error = str::kSourceEmpty;
        return std::nullopt;
    }
    if (isTcpSource(text))
        return parseTcp(text, error);
    const std::string shown(text);
    // Another scheme, or bytes no device name has, is a typing error and not a path.
    bool control = false;
    for (char c : text)
        control = control || static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
    if (text.find("://") != std::string_view::npos || control) {
        error = cformat(str::kSourceUnknownKind, control ? "?" : shown.c_str());
        return std::nullopt;
    }
    SourceAddress a;
    a.device = shown;
    return a;
}

OpenedSource openSource(std::string_view text, const PortSettings& settings, int connectTimeoutMs) {
    OpenedSource out;
    auto address = parseSource(text, out.error);
    if (!address) {
        out.status = status::kInvalidParameter;
        return out;
    }
    if (address->kind == SourceAddress::Kind::Tcp) {
        auto stream = TcpStream::connect(std::string(text), address->host, address->port,
                                         connectTimeoutMs, out.error);
        if (!stream) {
            out.status = status::kGeneralError;
            return out;
        }
        out.port = std::make_unique<StreamPort>(std::move(stream));
        return out;
    }
    auto port = PosixSerialPort::open(address->device, settings.baudRate(), settings.parityLetter(),
                                      settings.dataBitCount(), settings.stopBitCount());
    if (port->status < 0) {
        out.status = port->status;
        out.error = openFailureText(address->device, out.status, port->systemError());
        port->close();
        return out;
    }
    out.port = std::move(port);
    return out;
}

} // namespace trix::link
