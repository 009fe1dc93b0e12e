#include "link/command_pacer.h"

namespace trix::link {

void CommandPacer::setTimerHost(logs::TimerHost* host, int id) {
    if (host_ && armed_)
        host_->kill(id_);
    armed_ = false;
    host_ = host;
    id_ = id;
    if (host_)
        arm();
    else
        finish();
}

void CommandPacer::queue(std::initializer_list<Step> steps) {
    steps_.insert(steps_.end(), steps);
    if (host_)
        arm();
    else
        finish();
}

void CommandPacer::arm() {
    if (armed_ || running_)
        return;
    while (!steps_.empty() && steps_.front().pauseMs <= 0)
        runDue();
    if (steps_.empty())
        return;
    armed_ = host_->start(id_, steps_.front().pauseMs);
    if (!armed_)
        finish(); // no timer to be had: the pauses are slept after all
}

void CommandPacer::runDue() {
    Step step = std::move(steps_.front());
    steps_.pop_front();
    if (!step.command.empty()) {
        running_ = true;
        send_(step.command);
        running_ = false;
    }
}

void CommandPacer::timerFired() {
    if (!armed_)
        return;
    host_->kill(id_);
    armed_ = false;
    if (!steps_.empty())
        runDue();
    arm();
}

void CommandPacer::finish() {
    if (host_ && armed_)
        host_->kill(id_);
    armed_ = false;
    if (running_)
        return;
    while (!steps_.empty()) {
        if (steps_.front().pauseMs > 0)
            sleep_(steps_.front().pauseMs);
        if (!steps_.empty())
            runDue();
    }
}

void CommandPacer::clear() {
    if (host_ && armed_)
        host_->kill(id_);
    armed_ = false;
    steps_.clear();
}

} // namespace trix::link
