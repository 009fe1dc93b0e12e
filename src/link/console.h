#pragma once
// Headless operation of the link: a message sink that writes to a stream and answers
// questions from a fixed choice, and a poll()-based loop that runs the data pump whenever the
// port has input and calls timers on time.

#include "base/ui.h"
#include "link/data_pump.h"
#include "link/link.h"

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace trix::link {

class ConsoleSink : public MessageSink {
public:
    explicit ConsoleSink(std::FILE* out, Answer yesNo = Answer::Yes) : out_(out), yesNo_(yesNo) {}
    Answer show(std::string_view text, Buttons buttons, Icon icon) override;
    void status(std::string_view text) override;
    void setVerbose(bool on) { verbose_ = on; }
    const std::vector<std::string>& shown() const { return shown_; }

private:
    std::FILE* out_;
    Answer yesNo_;
    bool verbose_ = false;
    std::vector<std::string> shown_;
};

class PollLoop {
public:
    PollLoop(Link& link, DataPump& pump) : link_(link), pump_(pump) {}

    // A timer called every `periodMs`, the first time after one period (or at once).
    int addTimer(int periodMs, std::function<void()> callback, bool fireNow = false);
    void removeTimer(int id);

    // Waits at most `maxWaitMs` for input or a due timer and handles what happened.
    void runOnce(int maxWaitMs);
    // Runs until `done` says so (checked after every pass) or the device is lost.
    void run(const std::function<bool()>& done);

    bool lost() const { return lost_; }
    std::uint64_t bytes() const { return bytes_; }
    // The port's timed operations wait here: a short sleep, nothing else runs meanwhile.
    static void idleWait();

private:
    struct Timer {
        int id;
        int periodMs;
        std::int64_t due;
        std::function<void()> callback;
    };
    void fireTimers();

    Link& link_;
    DataPump& pump_;
    std::vector<Timer> timers_;
    int nextId_ = 1;
    bool lost_ = false;
    std::uint64_t bytes_ = 0;
};

} // namespace trix::link
