#include "terminal_answers.h"

#include "sentences.h"

#include "base/text.h"

#include <cstring>

namespace rxsim {

bool terminalOption(int argc, char** argv, int& i, TerminalConfig& config) {
    const std::string a = argv[i];
    if (a == "--ack-byte") {
        config.ackByte = true;
        return true;
    }
    if (i + 1 >= argc)
        return false;
    const char* v = argv[i + 1];
    if (a == "--answer-delay-ms" && *v && std::strspn(v, "0123456789") == std::strlen(v) &&
        std::strlen(v) <= 6) {
        config.answerDelayMs = static_cast<int>(trix::parseInteger(v));
    } else if (a == "--nak" && *v) {
        config.nak.emplace_back(v);
    } else {
        return false;
    }
    ++i;
    return true;
}

const char* terminalUsage() {
    return "  --ack-byte         answer settings with a bare ACK byte (0x06) and refusals\n"
           "                     with a bare NAK byte (0x15)\n"
           "  --answer-delay-ms MS  answer commands MS milliseconds late\n"
           "  --nak WORD         refuse commands containing WORD (repeatable)\n";
}

std::string TerminalAnswers::ack(std::string_view word) const {
    if (config_.ackByte)
        return "\x06";
    return withChecksum("$PXKTR,ACK," + std::string(word));
}

std::string TerminalAnswers::nak(std::string_view word) const {
    if (config_.ackByte)
        return "\x15";
    return withChecksum("$PXKTR,NAK," + std::string(word));
}

bool TerminalAnswers::refused(std::string_view line) const {
    for (const auto& w : config_.nak) {
        if (line.find(w) != std::string_view::npos)
            return true;
    }
    return false;
}

void TerminalAnswers::remember(std::string_view body) {
    // "$PXKTS," WORD "," values
    std::string_view rest = body.substr(7);
    std::size_t comma = rest.find(',');
    if (comma == std::string_view::npos || comma == 0)
        return;
    settings_[std::string(rest.substr(0, comma))] = std::string(rest.substr(comma + 1));
}

bool TerminalAnswers::answer(std::string_view body, std::string_view word,
                             const std::set<std::string>& on, char port, long baud,
                             std::string& out) const {
    std::string_view rest = body.substr(7 + word.size());
    if (word == "RIO") {
        out += withChecksum(trix::cformat("$PXKTR,RIO,%c,%ld,%zu", port, baud, on.size()));
        return true;
    }
    if (word == "NME" && rest.size() == 2 && rest[0] == ',') {
        std::string list = "$PXKTR,NME,";
        list.push_back(rest[1]);
        if (rest[1] == port) {
            for (const auto& m : on)
                list += "," + m;
        }
        out += withChecksum(list);
        return true;
    }
    if (!rest.empty())
        return false;
    auto it = settings_.find(std::string(word));
    if (it == settings_.end())
        return false;
    out += withChecksum("$PXKTR," + it->first + "," + it->second);
    return true;
}

void TerminalAnswers::deliver(std::string answers, std::string& out) {
    if (answers.empty())
        return;
    if (config_.answerDelayMs <= 0) {
        out += answers;
        return;
    }
    held_.emplace_back(Clock::now() + std::chrono::milliseconds(config_.answerDelayMs),
                       std::move(answers));
}

std::string TerminalAnswers::due() {
    std::string out;
    const auto now = Clock::now();
    while (!held_.empty() && held_.front().first <= now) {
        out += held_.front().second;
        held_.pop_front();
    }
    return out;
}

int TerminalAnswers::untilNextMs(int timeout) const {
    if (held_.empty())
        return timeout;
    auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(held_.front().first - Clock::now())
            .count();
    if (left < 0)
        left = 0;
    return timeout < 0 || left < timeout ? static_cast<int>(left) : timeout;
}

} // namespace rxsim
