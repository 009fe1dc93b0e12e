#include "link/init_file.h"

#include "decode/models.h"

#include <fstream>
#include <iterator>

namespace trix::link {

std::string resolveInitFileName(std::string_view configured, int modelIndex) {
    if (configured == "default.gps" && modelIndex != 1)
        return std::string(modelInfo(modelIndex).code) + ".gps";
    return std::string(configured);
}

std::vector<std::string> initCommands(std::string_view text) {
    std::vector<std::string> commands;
    std::size_t start = 0;
    while (start < text.size() && commands.size() < kMaxInitCommands) {
        std::size_t end = text.find('\n', start);
        std::string_view line = text.substr(
            start, end == std::string_view::npos ? std::string_view::npos : end - start);
        start = end == std::string_view::npos ? text.size() : end + 1;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        for (std::size_t at = 0; at < line.size() && commands.size() < kMaxInitCommands;
             at += kInitLineLength) {
            std::string_view piece = line.substr(at, kInitLineLength);
            if (piece.front() == '$')
                commands.emplace_back(piece);
        }
    }
    return commands;
}

InitFile loadInitFile(const std::string& path) {
    InitFile f;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return f;
    f.opened = true;
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    f.commands = initCommands(text);
    return f;
}

} // namespace trix::link
