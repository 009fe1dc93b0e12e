#include "app/connect/recent_sources.h"

#include <algorithm>

namespace trix::app {

std::vector<std::string> splitRecentSources(std::string_view stored) {
    std::vector<std::string> out;
    while (!stored.empty()) {
        std::size_t bar = stored.find('|');
        std::string entry = typedSource(stored.substr(0, bar));
        if (!entry.empty() && out.size() < kRecentSourceCount &&
            std::find(out.begin(), out.end(), entry) == out.end())
            out.push_back(std::move(entry));
        if (bar == std::string_view::npos)
            break;
        stored.remove_prefix(bar + 1);
    }
    return out;
}

std::string joinRecentSources(const std::vector<std::string>& sources) {
    std::string out;
    for (const auto& s : sources) {
        // A bar would split the entry when read back; such a name is not kept.
        if (s.empty() || s.find('|') != std::string::npos)
            continue;
        if (!out.empty())
            out += '|';
        out += s;
    }
    return out;
}

void rememberSource(std::vector<std::string>& sources, const std::string& source) {
    if (source.empty())
        return;
    sources.erase(std::remove(sources.begin(), sources.end(), source), sources.end());
    sources.insert(sources.begin(), source);
    if (sources.size() > kRecentSourceCount)
        sources.resize(kRecentSourceCount);
}

std::string typedSource(std::string_view text) {
    const char* blanks = " \t\r\n";
    std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos)
        return {};
    std::size_t last = text.find_last_not_of(blanks);
    return std::string(text.substr(first, last - first + 1));
}

} // namespace trix::app
