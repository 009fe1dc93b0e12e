#include "receiver_line.h"

#include "link/console.h"
#include "link/link.h"

#include <algorithm>
#include <csignal>
#include <cstdint>
#include <cstdio>

namespace trixlog {

namespace {
volatile std::sig_atomic_t endSignal = 0;
void onEndSignal(int) {
    endSignal = 1;
}
} // namespace

void addLineOptions(OptionParser& options, LineOptions& line) {
    options.number("--baud", 1, 115200, line.baud);
    options.flag("--rtscts", line.rtscts);
    options.positional({&line.device}, 1);
}

int checkLineOptions(const char* command, LineOptions& line) {
    const int baudIndex = trix::link::baudIndexOf(line.baud);
    if (baudIndex < 0) {
        std::fprintf(stderr, "trixlog %s: %ld is not one of the baud rates 300 to 115200\n",
                     command, line.baud);
        return 2;
    }
    line.settings = trix::link::kPlainPortSettings;
    line.settings.baud = baudIndex;
    line.settings.rtsCts = line.rtscts ? 1 : 0;
    return -1;
}

bool openLine(trix::link::Link& link, const char* command, const LineOptions& line) {
    if (link.openDevice(line.device, line.settings, 1) >= 0)
        return true;
    std::fprintf(stderr, "trixlog %s: cannot open %s: %s\n", command, line.device.c_str(),
                 link.openError().c_str());
    return false;
}

void endOnSignals() {
    std::signal(SIGINT, onEndSignal);
    std::signal(SIGTERM, onEndSignal);
    std::signal(SIGHUP, onEndSignal);
}

bool endRequested() {
    return endSignal != 0;
}

LoopTimers::LoopTimers(trix::link::PollLoop& loop, std::function<void(int)> fired)
    : loop_(loop), fired_(std::move(fired)) {}

bool LoopTimers::start(int id, long long ms) {
    kill(id);
    if (ms <= 0)
        return false;
    std::int64_t due = trix::link::steadyNowMs() + ms;
    running_[id] =
        loop_.addTimer(static_cast<int>(std::min(ms, kStepMs)), [this, id, ms, due]() mutable {
            if (trix::link::steadyNowMs() < due)
                return;
            due += ms;
            fired_(id);
        });
    return true;
}

void LoopTimers::kill(int id) {
    auto it = running_.find(id);
    if (it != running_.end()) {
        loop_.removeTimer(it->second);
        running_.erase(it);
    }
}

} // namespace trixlog
