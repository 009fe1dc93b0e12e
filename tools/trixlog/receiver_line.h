#pragma once
// What the commands that talk to a receiver share: DEVICE with its line options, the port
// settings they make, opening the device, the loop's timers, and ending a run cleanly on a
// signal.

#include "options.h"

#include "link/port_settings.h"
#include "logs/timer_host.h"

#include <functional>
#include <map>
#include <string>

namespace trix::link {
class Link;
class PollLoop;
} // namespace trix::link

namespace trixlog {

struct LineOptions {
    std::string device;
    long baud = 9600;
    bool rtscts = false;
    trix::link::PortSettings settings; // made by checkLineOptions
};

// DEVICE as the one positional argument, "--baud B" and "--rtscts".
void addLineOptions(OptionParser& options, LineOptions& line);

// After parsing: makes the settings, 8N1 at the chosen speed and handshaking. Returns -1, or
// 2 after saying on stderr that the speed is not one of the rates the program offers.
int checkLineOptions(const char* command, LineOptions& line);

// Opens the device; false after "trixlog COMMAND: cannot open DEVICE: reason" on stderr.
bool openLine(trix::link::Link& link, const char* command, const LineOptions& line);

// From now on SIGINT, SIGTERM and SIGHUP (a closed terminal) only ask the run to end, so that
// the command can leave the receiver and its files as its own end does.
void endOnSignals();
bool endRequested();

// The core's timers on the poll loop; `fired` receives the timer's id. The loop's timers hold
// an int of milliseconds; a longer period (a recording every 700 hours) is counted down in
// steps of at most an hour against its own deadline.
class LoopTimers : public trix::logs::TimerHost {
public:
    LoopTimers(trix::link::PollLoop& loop, std::function<void(int id)> fired);
    bool start(int id, long long ms) override;
    void kill(int id) override;

private:
    static constexpr long long kStepMs = 3600000;
    trix::link::PollLoop& loop_;
    std::function<void(int)> fired_;
    std::map<int, int> running_;
};

} // namespace trixlog
