#pragma once
// Support-ticket scripts (*.spt): the diagnostic commands of a receiver model and, by ordinal,
// the text that marks each one's answer.

#include <string>
#include <string_view>
#include <vector>

namespace trix::ticket {

inline constexpr std::size_t kMaxScriptCommands = 16;

struct TicketScript {
    bool opened = false;
    std::vector<std::string> commands; // at most kMaxScriptCommands
    std::vector<std::string> markers;  // at most kMaxScriptCommands
    int droppedCommands = 0;           // commands past the limit, not used
    int droppedMarkers = 0;

    // The marker of command `i`; empty (every line contains it) when the script has none.
    std::string_view marker(std::size_t i) const {
        return i < markers.size() ? std::string_view(markers[i]) : std::string_view();
    }
};

// Reads script text: a line beginning with '$' is a command whose word "port" becomes the
// receiver's port letter (the line ends right after it, or where "port" began when no letter
// is known); a line beginning with "->" is a marker; every other line is ignored. Lines are
// taken whole, ending in CR LF, LF or CR.
TicketScript parseTicketScript(std::string_view text, char portLetter);
TicketScript loadTicketScript(const std::string& path, char portLetter);

} // namespace trix::ticket
