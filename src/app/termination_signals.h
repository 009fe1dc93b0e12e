#pragma once
// SIGTERM, SIGHUP and SIGINT (a logout, `kill`, Ctrl+C in the starting terminal) end the
// program the way "Exit" does: the handler only writes a byte into a pipe, and the event
// loop, woken by it, runs the ordinary close path (profile saved, recording closed).

#include <QObject>

#include <functional>
#include <memory>

class QSocketNotifier;

namespace trix::app {

class TerminationSignals {
public:
    // `endProgram` is called in the event loop once per signal received.
    explicit TerminationSignals(std::function<void()> endProgram);
    ~TerminationSignals();
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

    bool installed() const { return notifier_ != nullptr; }

private:
    std::function<void()> endProgram_;
    std::unique_ptr<QSocketNotifier> notifier_;
};

} // namespace trix::app
