#include "link/console.h"

#include "link/serial_port.h"

#include <algorithm>
#include <chrono>
#include <poll.h>
#include <thread>

namespace trix::link {

Answer ConsoleSink::show(std::string_view text, Buttons buttons, Icon) {
    shown_.emplace_back(text);
    std::fprintf(out_, "%.*s\n", static_cast<int>(text.size()), text.data());
    std::fflush(out_);
    switch (buttons) {
    case Buttons::YesNo:
        return yesNo_ == Answer::No ? Answer::No : Answer::Yes;
    case Buttons::OkCancel:
    case Buttons::Ok:
        break;
    }
    return Answer::Ok;
}

void ConsoleSink::status(std::string_view text) {
    if (verbose_ && !text.empty())
        std::fprintf(out_, "%.*s\n", static_cast<int>(text.size()), text.data());
}

void PollLoop::idleWait() {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

int PollLoop::addTimer(int periodMs, std::function<void()> callback, bool fireNow) {
    int id = nextId_++;
    timers_.push_back(
        {id, periodMs, steadyNowMs() + (fireNow ? 0 : periodMs), std::move(callback)});
    return id;
}

void PollLoop::removeTimer(int id) {
    timers_.erase(
        std::remove_if(timers_.begin(), timers_.end(), [id](const Timer& t) { return t.id == id; }),
        timers_.end());
}

void PollLoop::fireTimers() {
    std::int64_t now = steadyNowMs();
    // A callback may add or remove timers: work on the ids due now.
    std::vector<int> due;
    for (const auto& t : timers_) {
        if (t.due <= now)
            due.push_back(t.id);
    }
    for (int id : due) {
        auto it = std::find_if(timers_.begin(), timers_.end(),
                               [id](const Timer& t) { return t.id == id; });
        if (it == timers_.end())
            continue;
        it->due += it->periodMs;
        if (it->due <= now)
            it->due = now + it->periodMs;
        auto callback = it->callback; // the timer may be removed inside
        callback();
    }
}

void PollLoop::runOnce(int maxWaitMs) {
    std::int64_t now = steadyNowMs();
    int wait = maxWaitMs;
    for (const auto& t : timers_)
        wait =
            static_cast<int>(std::min<std::int64_t>(wait, std::max<std::int64_t>(0, t.due - now)));
    SerialPort* port = link_.port();
    if (port && port->pollDescriptor() >= 0 && !lost_) {
        // Input the port has already taken from the device (a tick that ran out of time
        // leaves it there) is invisible to poll(): it is handed on without waiting.
        const bool pending = port->rxCount() > 0;
        // A block being received is ticked on silence too, so that one that stops is given up.
        const bool block = pump_.awaitingBlock();
        if (block)
            wait = std::min(wait, 100);
        pollfd p{port->pollDescriptor(), POLLIN, 0};
        int n = ::poll(&p, 1, pending ? 0 : wait);
        if (n > 0 || pending || block) {
            auto r = pump_.tick();
            bytes_ += r.bytes;
            // A hang-up with nothing left to read: the device is gone.
            if (r.lost || ((p.revents & (POLLHUP | POLLERR | POLLNVAL)) && r.bytes == 0))
                lost_ = true;
        }
    } else if (wait > 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(wait));
    }
    fireTimers();
}

void PollLoop::run(const std::function<bool()>& done) {
    while (!lost_ && !done())
        runOnce(100);
}

} // namespace trix::link
