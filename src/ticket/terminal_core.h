#pragma once
// The terminal's window-free parts: the traffic list with its line limit, the typed-command
// history, and the text shown for bytes that are not printable.

#include <cstddef>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace trix::ticket {

// Kinds of traffic lines, as the link hands them on.
enum class TrafficKind { Sent = 0, Received = 1, Status = 3 };

struct TrafficLine {
    TrafficKind kind = TrafficKind::Received;
    std::string text;
};

class TrafficList {
public:
    static constexpr std::size_t kMaxLines = 129;

    // Adds a line (the oldest goes when the list is full); empty lines are dropped. False when
    // nothing was added.
    bool add(TrafficKind kind, std::string_view text);
    void clear() { lines_.clear(); }
    const std::deque<TrafficLine>& lines() const { return lines_; }
    std::size_t size() const { return lines_.size(); }
    // Every non-empty line followed by CR LF, for the clipboard.
    std::string copyText() const;
    // The longest line, in characters (the horizontal scroll extent follows it).
    std::size_t longest() const;

private:
    std::deque<TrafficLine> lines_;
};

// A line as the terminal shows it: printable ASCII as it is, every other byte as "\xHH"
// (host-mode blocks, the ACK and NAK bytes).
std::string shownText(std::string_view bytes);

// Texts the terminal sends in host mode only.
bool isPseudoCommand(std::string_view text);

// Typed commands, newest first, at most 30; kept per receiver model in the profile.
class CommandHistory {
public:
    static constexpr std::size_t kMaxEntries = 30;

    // Puts `text` first; an equal older entry goes, the list is cut to 30.
    void add(std::string_view text);
    void set(std::vector<std::string> entries);
    const std::vector<std::string>& entries() const { return entries_; }

private:
    std::vector<std::string> entries_;
};

// The profile section of a model's history: its display name and " Commands".
std::string historySection(int modelIndex);

} // namespace trix::ticket
