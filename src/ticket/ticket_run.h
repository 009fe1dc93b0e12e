#pragma once
// One support ticket being made: the script's commands go out one step apart, at most twice
// each, and everything sent and received is written to the ticket file. Driven by a step timer
// and by the received lines; the window around it only shows the progress.

#include "base/ui.h"
#include "logs/timer_host.h"
#include "ticket/ticket_file.h"
#include "ticket/ticket_script.h"

#include <string>
#include <string_view>

namespace trix::ticket {

inline constexpr int kStepTimer = 8;

// What a ticket needs of the link.
class TicketPort {
public:
    virtual ~TicketPort() = default;
    virtual bool connected() const = 0;
    virtual bool hostMode() const = 0;
    // Sends `command` with a checksum; on success `sentence` is what went out, otherwise
    // `error` says why not.
    virtual bool send(std::string_view command, std::string& sentence, std::string& error) = 0;
};

// Told about the progress (the window's title) and the end.
class TicketEvents {
public:
    virtual ~TicketEvents() = default;
    virtual void progress(int /*percent*/) {}
    virtual void finished(bool /*complete*/) {}
};

struct TicketSetup {
    int modelIndex = 0;
    char portLetter = 0;
    long baud = 9600;
    std::string scriptPath;
    std::string directory;      // the logging folder
    bool seriesRunning = false; // no message box for a complete ticket of a series
};

class TicketRun {
public:
    enum class State { Idle, Running, Complete, Cancelled, Failed };

    TicketRun(TicketSetup setup, TicketPort& port, logs::TimerHost& timers, MessageSink& messages,
              TicketEvents* events = nullptr);
    ~TicketRun();
    TicketRun(const TicketRun&) = delete;
    TicketRun& operator=(const TicketRun&) = delete;

    // 11,520,000 / baud + 200 ms: about twelve lines of 96 characters and a margin.
    static long stepIntervalMs(long baud);

    // Reads the script, creates the file and starts the step timer; false (after the message)
    // when the ticket cannot be made.
    bool start();
    // The step timer.
    void step();
    // A line received from the receiver.
    void line(std::string_view text);
    // The user cancels (or closes the window); `reason`, when given, is shown first.
    void cancel(std::string_view reason = {});
    // The link was closed: the ticket cannot go on.
    void disconnected();

    State state() const { return state_; }
    bool running() const { return state_ == State::Running; }
    int percent() const { return percent_; }
    const std::string& path() const { return file_.path(); }
    int commandCount() const { return static_cast<int>(script_.commands.size()); }
    int sends() const { return sends_; }
    int answered() const { return answeredCount_; }

private:
    void sendCurrent();
    void complete();
    void finish(bool complete);

    TicketSetup setup_;
    TicketPort& port_;
    logs::TimerHost& timers_;
    MessageSink& messages_;
    TicketEvents* events_;
    TicketScript script_;
    TicketFile file_;
    State state_ = State::Idle;
    int current_ = -1;
    bool answered_ = false;
    int sendsOfCurrent_ = 0;
    int percent_ = 0;
    int sends_ = 0;
    int answeredCount_ = 0;
};

} // namespace trix::ticket
