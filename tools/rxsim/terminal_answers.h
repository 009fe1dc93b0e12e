#pragma once
// What the simulated receiver answers to the terminal's and the support ticket's commands:
// the port information query, the read-back of settings, the output listing, bare ACK and NAK
// bytes instead of sentences, refused commands and answers held back for a while.

#include <chrono>
#include <deque>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace rxsim {

struct TerminalConfig {
    bool ackByte = false;         // 0x06 / 0x15 instead of the ACK and NAK sentences
    int answerDelayMs = 0;        // answers go out this long after the command
    std::vector<std::string> nak; // commands containing one of these are refused
};

// Reads the options of this part; true when argv[i] was one (i then points at its last word).
bool terminalOption(int argc, char** argv, int& i, TerminalConfig& config);
// Their lines of the usage text.
const char* terminalUsage();

class TerminalAnswers {
public:
    explicit TerminalAnswers(TerminalConfig config) : config_(std::move(config)) {}

    std::string ack(std::string_view word) const;
    std::string nak(std::string_view word) const;
    bool refused(std::string_view line) const;

    // Keeps the values of a setting command ("$PXKTS,ELM,10") for its read-back.
    void remember(std::string_view body);
    // Answers "$PXKTQ,RIO", "$PXKTQ,NME,<letter>" and the read-back of a remembered setting;
    // false when the query is none of these.
    bool answer(std::string_view body, std::string_view word, const std::set<std::string>& on,
                char port, long baud, std::string& out) const;

    // Answers go out at once or after the delay.
    void deliver(std::string answers, std::string& out);
    // The answers whose time has come.
    std::string due();
    // `timeout` shortened to the next held answer.
    int untilNextMs(int timeout) const;

private:
    using Clock = std::chrono::steady_clock;
    TerminalConfig config_;
    std::map<std::string, std::string> settings_;
    std::deque<std::pair<Clock::time_point, std::string>> held_;
};

} // namespace rxsim
