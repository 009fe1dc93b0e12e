// Support-ticket scripts and book pages: any bytes read into at most sixteen commands and
// markers, and lay out into lines that stay inside the text.

#include "ticket/book_layout.h"
#include "ticket/ticket_script.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    auto script = trix::ticket::parseTicketScript(text, size % 2 ? 'A' : 0);
    if (script.commands.size() > trix::ticket::kMaxScriptCommands ||
        script.markers.size() > trix::ticket::kMaxScriptCommands)
        std::abort();
    auto layout = trix::ticket::layoutBook(text.substr(0, trix::ticket::kMaxDescription), 240, 318,
                                           13, [](unsigned char c) { return 3 + c % 9; });
    for (const auto& line : layout.lines) {
        if (line.begin > line.end || line.end > size)
            std::abort();
    }
    return 0;
}
