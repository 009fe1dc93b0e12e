#pragma once
// The sources typed in the connection dialog (tcp://HOST:PORT or a device path), newest
// first, as the profile keeps them in one text.

#include <string>
#include <string_view>
#include <vector>

namespace trix::app {

inline constexpr std::size_t kRecentSourceCount = 8;

// The list stored as "first|second|..."; empty entries are dropped.
std::vector<std::string> splitRecentSources(std::string_view stored);
std::string joinRecentSources(const std::vector<std::string>& sources);
// Puts `source` first, removing an earlier copy and what falls off the end.
void rememberSource(std::vector<std::string>& sources, const std::string& source);
// The source the dialog's field hands back: without surrounding blanks.
std::string typedSource(std::string_view text);

} // namespace trix::app
