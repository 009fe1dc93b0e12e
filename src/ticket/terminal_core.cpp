#include "ticket/terminal_core.h"

#include "base/text.h"
#include "decode/models.h"

#include <algorithm>

namespace trix::ticket {

bool TrafficList::add(TrafficKind kind, std::string_view text) {
    if (text.empty())
        return false;
    while (lines_.size() >= kMaxLines)
        lines_.pop_front();
    lines_.push_back({kind, std::string(text)});
    return true;
}

std::string TrafficList::copyText() const {
    std::string out;
    for (const auto& l : lines_) {
        if (l.text.empty())
            continue;
        out += l.text;
        out += "\r\n";
    }
    return out;
}

std::size_t TrafficList::longest() const {
    std::size_t n = 0;
    for (const auto& l : lines_)
        n = std::max(n, l.text.size());
    return n;
}

std::string shownText(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (unsigned char c : bytes) {
        if (c >= 0x20 && c < 0x7F)
            out.push_back(static_cast<char>(c));
        else
            out += cformat("\\x%02X", c);
    }
    return out;
}

bool isPseudoCommand(std::string_view text) {
    return text.starts_with("C_CLOSECOMM") || text.starts_with("C_GETSEG");
}

void CommandHistory::add(std::string_view text) {
    if (text.empty())
        return;
    entries_.erase(std::remove(entries_.begin(), entries_.end(), text), entries_.end());
    entries_.insert(entries_.begin(), std::string(text));
    if (entries_.size() > kMaxEntries)
        entries_.resize(kMaxEntries);
}

void CommandHistory::set(std::vector<std::string> entries) {
    entries_.clear();
    for (auto it = entries.rbegin(); it != entries.rend(); ++it)
        add(*it);
}

std::string historySection(int modelIndex) {
    return std::string(modelInfo(modelIndex).displayName) + " Commands";
}

} // namespace trix::ticket
