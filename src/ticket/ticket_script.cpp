#include "ticket/ticket_script.h"

#include <fstream>
#include <sstream>

namespace trix::ticket {

TicketScript parseTicketScript(std::string_view text, char portLetter) {
    TicketScript s;
    s.opened = true;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find_first_of("\r\n", pos);
        std::string_view line =
            text.substr(pos, end == std::string_view::npos ? text.size() - pos : end - pos);
        if (end == std::string_view::npos)
            pos = text.size();
        else
            pos = end +
                  ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);

        if (line.starts_with("$")) {
            std::string command(line);
            std::size_t at = command.find("port");
            if (at != std::string::npos) {
                command.resize(at);
                if (portLetter)
                    command.push_back(portLetter);
            }
            if (s.commands.size() < kMaxScriptCommands)
                s.commands.push_back(std::move(command));
            else
                ++s.droppedCommands;
        } else if (line.starts_with("->")) {
            if (s.markers.size() < kMaxScriptCommands)
                s.markers.emplace_back(line.substr(2));
            else
                ++s.droppedMarkers;
        }
    }
    return s;
}

TicketScript loadTicketScript(const std::string& path, char portLetter) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return {};
    std::ostringstream all;
    all << in.rdbuf();
    return parseTicketScript(all.str(), portLetter);
}

} // namespace trix::ticket
