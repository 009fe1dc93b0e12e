#pragma once
// Initialization command files (*.gps): plain text, one receiver command per line that
// begins with '$', every other line ignored.

#include <string>
#include <string_view>
#include <vector>

namespace trix::link {

inline constexpr std::size_t kMaxInitCommands = 20;
inline constexpr std::size_t kInitLineLength = 126;

// The file actually read: "default.gps" (exactly) stands for the model's own file unless the
// model is the unknown receiver.
std::string resolveInitFileName(std::string_view configured, int modelIndex);

struct InitFile {
    bool opened = false;
    std::vector<std::string> commands; // at most kMaxInitCommands
};

// Reads the commands of a file. Lines longer than 126 characters are cut into pieces of 126;
// a piece counts only when it begins with '$'.
InitFile loadInitFile(const std::string& path);
// The same rules on text already in memory.
std::vector<std::string> initCommands(std::string_view text);

} // namespace trix::link
