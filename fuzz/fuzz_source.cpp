// The source names typed by the user or read from the profile: any byte sequence is either a
// well-formed source or refused with a reason, never both and never a crash.

#include "link/source.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    std::string error;
    auto a = trix::link::parseSource(text, error);
    if (a.has_value() == !error.empty())
        std::abort();
    if (a && a->kind == trix::link::SourceAddress::Kind::Tcp &&
        (a->host.empty() || a->port < 1 || a->port > 65535 || !trix::link::isTcpSource(text)))
        std::abort();
    if (a && a->kind == trix::link::SourceAddress::Kind::Device && a->device != text)
        std::abort();
    return 0;
}
