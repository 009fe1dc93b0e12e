#pragma once
// The behaviour of one simulated receiver: what it answers to the commands it understands and
// what it sends each epoch. Independent of the pseudo-terminal, so it can run anywhere.

#include "almanac_answers.h"
#include "rtk_answers.h"
#include "sentences.h"
#include "terminal_answers.h"

#include <functional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace rxsim {

struct ReceiverConfig {
    int model = 8;
    char port = 'A';
    long baud = 9600;
    bool rtsCts = false;
    bool outputsOn = false;          // POS/SAT (or the NMEA set) on from the start
    std::vector<std::string> ignore; // commands containing one of these get no answer
    bool silent = false;             // answers nothing at all
    bool almanacGarbage = false;     // almanac answers are byte patterns
    TerminalConfig terminal;         // ACK bytes, refusals, answer delay
    DgpsConfig dgps;                 // the differential side
};

// The command line reported for the request that ends host mode (two NUL bytes).
inline constexpr const char* kLeaveHostMode = "C_CLOSECOMM";

class Receiver {
public:
    explicit Receiver(ReceiverConfig config);

    // Bytes received from the program, already judged intelligible. Answers are appended to
    // `out`; `commands` receives each complete command line, and kLeaveHostMode when a host
    // mode ends.
    void receive(std::string_view bytes, std::string& out, std::vector<std::string>& commands);
    // The sentences of one epoch (empty while every output is off); advances the clock.
    std::string epoch();
    // One epoch of every sentence the model has, whatever the switches say (blast mode).
    std::string blastEpoch();

    long baud() const { return baud_; }
    bool rtsCts() const { return config_.rtsCts; }
    const ReceiverConfig& config() const { return config_; }
    bool hostMode() const { return hostMode_; }
    // Answers held back by the answer delay whose time has come, and the wait for the next.
    std::string dueAnswers() { return terminal_.due(); }
    int untilNextAnswerMs(int timeout) const { return terminal_.untilNextMs(timeout); }

private:
    void handleLine(const std::string& line, std::string& out);
    void handleSetting(const std::string& body, std::string_view word, std::string& out);
    void handleQuery(const std::string& body, std::string_view word, std::string& out);
    void handleYqn(std::string_view word, std::string& out);
    void hostBytes(std::string_view bytes, std::string& out, std::vector<std::string>& commands);
    bool ignored(const std::string& line) const;
    void allOff();
    bool proprietary() const;
    std::string ridCode() const;

    ReceiverConfig config_;
    long baud_;
    std::set<std::string> on_;
    std::string line_;
    std::string host_;
    bool hostMode_ = false;
    bool binary_ = false; // "OUT,x,BIN"
    EpochClock clock_;
    TerminalAnswers terminal_;
    RtkAnswers dgps_;
};

// The baud rate of the program's settings table at index i (0 to 9), 0 outside.
long baudOfIndex(long index);

} // namespace rxsim
