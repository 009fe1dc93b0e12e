#pragma once
// Window timers without a window: the GUI backs this with QTimer, trixlog with its own loop,
// the tests with a fake clock.

namespace trix::logs {

class TimerHost {
public:
    virtual ~TimerHost() = default;
    // Starts (or restarts) timer `id` with the period `ms`; false when no timer is available.
    virtual bool start(int id, long long ms) = 0;
    virtual void kill(int id) = 0;
};

} // namespace trix::logs
