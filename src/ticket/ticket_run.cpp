#include "ticket/ticket_run.h"

#include "base/strings.h"
#include "base/text.h"
#include "decode/models.h"

#include <ctime>

namespace trix::ticket {

TicketRun::TicketRun(TicketSetup setup, TicketPort& port, logs::TimerHost& timers,
                     MessageSink& messages, TicketEvents* events)
    : setup_(std::move(setup)), port_(port), timers_(timers), messages_(messages), events_(events) {
}

TicketRun::~TicketRun() {
    if (state_ == State::Running)
        cancel();
}

long TicketRun::stepIntervalMs(long baud) {
    return (baud > 0 ? 11520000L / baud : 0) + 200;
}

bool TicketRun::start() {
    percent_ = 0;
    if (events_)
        events_->progress(0);
    script_ = loadTicketScript(setup_.scriptPath, setup_.portLetter);
    if (!script_.opened) {
        messages_.show(cformat(str::kFileNotOpened, setup_.scriptPath.c_str()), Buttons::Ok,
                       Icon::Stop);
        state_ = State::Failed;
        return false;
    }
    if (script_.commands.empty()) {
        messages_.beep();
        messages_.show(cformat(str::kNoCommandsInFile, setup_.scriptPath.c_str()), Buttons::Ok,
                       Icon::Warning);
        state_ = State::Failed;
        return false;
    }
    if (script_.droppedCommands > 0 || script_.droppedMarkers > 0) {
        std::string note = cformat(str::kScriptTooLong, setup_.scriptPath.c_str(),
                                   static_cast<int>(kMaxScriptCommands));
        if (setup_.seriesRunning)
            messages_.status(note);
        else
            messages_.show(note, Buttons::Ok, Icon::Information);
    }
    if (!file_.create(setup_.directory, modelInfo(setup_.modelIndex).code)) {
        std::string name = file_.path().empty() ? setup_.directory : file_.path();
        messages_.show(cformat(str::kFileNotOpened, name.c_str()), Buttons::Ok, Icon::Stop);
        state_ = State::Failed;
        return false;
    }
    state_ = State::Running;
    if (!file_.writeStatus(file_.path()) ||
        !file_.writeStatus(ticketDateLine(std::time(nullptr)))) {
        cancel(cformat(str::kTicketWriteError, file_.path().c_str(), file_.error().c_str()));
        return false;
    }
    if (!timers_.start(kStepTimer, stepIntervalMs(setup_.baud))) {
        cancel(str::kOutOfTimers);
        return false;
    }
    return true;
}

void TicketRun::step() {
    if (state_ != State::Running)
        return;
    if (!port_.connected() || port_.hostMode()) {
        disconnected();
        return;
    }
    const int count = commandCount();
    if (current_ >= 0 && !answered_ && sendsOfCurrent_ == 1) {
        sendCurrent();
        return;
    }
    if (current_ >= 0) {
        // A single command is the whole ticket once it is done.
        percent_ = count > 1 ? current_ * 100 / (count - 1) : 100;
        if (percent_ < 8)
            percent_ = 7;
    }
    sendsOfCurrent_ = 0;
    answered_ = false;
    ++current_;
    if (percent_ >= 100 || current_ >= count) {
        percent_ = 100;
        if (events_)
            events_->progress(100);
        complete();
        return;
    }
    if (events_)
        events_->progress(percent_);
    sendCurrent();
}

void TicketRun::sendCurrent() {
    const std::string& command = script_.commands[static_cast<std::size_t>(current_)];
    std::string sentence, error;
    if (!port_.send(command, sentence, error)) {
        cancel(error.empty() ? std::string(str::kErrorWritingPort) : error);
        return;
    }
    ++sendsOfCurrent_;
    ++sends_;
    if (!file_.writeLine(sentence))
        cancel(cformat(str::kTicketWriteError, file_.path().c_str(), file_.error().c_str()));
}

void TicketRun::line(std::string_view text) {
    if (state_ != State::Running)
        return;
    if (!file_.writeLine(text)) {
        cancel(cformat(str::kTicketWriteError, file_.path().c_str(), file_.error().c_str()));
        return;
    }
    // Lines before the first command answer nothing.
    if (current_ < 0 || answered_ || sendsOfCurrent_ == 0)
        return;
    if (text.find(script_.marker(static_cast<std::size_t>(current_))) != std::string_view::npos) {
        answered_ = true;
        ++answeredCount_;
    }
}

void TicketRun::complete() {
    timers_.kill(kStepTimer);
    const std::string path = file_.path();
    if (!file_.close()) {
        std::string why = cformat(str::kTicketWriteError, path.c_str(), file_.error().c_str());
        state_ = State::Running;
        cancel(why);
        return;
    }
    state_ = State::Complete;
    std::string done = cformat(str::kTicketCreated, path.c_str());
    messages_.status(done);
    if (!setup_.seriesRunning)
        messages_.show(done, Buttons::Ok, Icon::Information);
    if (events_)
        events_->finished(true);
}

void TicketRun::cancel(std::string_view reason) {
    if (state_ != State::Running)
        return;
    timers_.kill(kStepTimer);
    state_ = State::Cancelled;
    file_.discard();
    if (!reason.empty())
        messages_.show(reason, Buttons::Ok, Icon::Stop);
    messages_.status(str::kTicketCancelled);
    messages_.show(str::kTicketCancelled, Buttons::Ok, Icon::Information);
    if (events_)
        events_->finished(false);
}

void TicketRun::disconnected() {
    cancel(str::kTicketNoLink);
}

} // namespace trix::ticket
