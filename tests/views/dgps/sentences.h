#pragma once
// Hand-made receiver lines for the DGPS parser tests.

#include <cstdio>
#include <string>
#include <string_view>

namespace trix::testing {

// "$" + body + "*hh" with the checksum of body.
inline std::string sentence(std::string_view body) {
    unsigned x = 0;
    for (char c : body)
        x ^= static_cast<unsigned char>(c);
    char tail[8];
    std::snprintf(tail, sizeof tail, "*%02X", x);
    return "$" + std::string(body) + tail;
}

} // namespace trix::testing
