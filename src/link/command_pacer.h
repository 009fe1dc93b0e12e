#pragma once
// Commands that must leave with pauses between them (the receiver needs 100 to 150 ms to take
// one in before the next). With a timer host each pause is a timer step and nothing waits;
// without one (trixlog, the tests) the pauses are slept where the commands are queued.

#include "logs/timer_host.h"

#include <deque>
#include <functional>
#include <string>

namespace trix::link {

class CommandPacer {
public:
    struct Step {
        int pauseMs = 0;     // waited before the command
        std::string command; // empty: a pause only
    };
    using Send = std::function<void(const std::string&)>;
    using Sleep = std::function<void(int ms)>;

    CommandPacer(Send send, Sleep sleep) : send_(std::move(send)), sleep_(std::move(sleep)) {}

    // Timer `id` of `host` paces the steps from now on; null: the pauses are slept.
    void setTimerHost(logs::TimerHost* host, int id);
    // Appends steps; they run after the ones still queued.
    void queue(std::initializer_list<Step> steps);
    // The host's timer `id` fired.
    void timerFired();
    // Runs what is still queued at once, with its pauses slept (before the port closes).
    void finish();
    // Forgets what is queued (the port is gone).
    void clear();
    bool busy() const { return !steps_.empty(); }

private:
    void runDue();
    void arm();

    Send send_;
    Sleep sleep_;
    logs::TimerHost* host_ = nullptr;
    int id_ = 0;
    bool armed_ = false;
    bool running_ = false; // a step is being sent: a nested call must not run the next one
    std::deque<Step> steps_;
};

} // namespace trix::link
