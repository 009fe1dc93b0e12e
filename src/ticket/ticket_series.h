#pragma once
// The ticket mode (once or a series of tickets) and the series timers: a ticket every M
// minutes during N hours. A turn with no link, in host mode or while the previous ticket is
// still being made passes; a disconnect ends the series.

#include "base/ui.h"
#include "logs/timer_host.h"

#include <functional>

namespace trix::ticket {

inline constexpr int kSeriesTimer = 10;
inline constexpr int kSeriesEndTimer = 11;

// The parameter check of the ticket dialog.
struct TicketMode {
    bool series = false;
    double hours = 1;    // N
    double minutes = 15; // M
};
enum class ModeField { None, Hours, Minutes };
// The field to go back to (with the "Undefined mode" message), or None. For "Once" unusable
// values are set to 1 hour and 15 minutes.
ModeField checkTicketMode(TicketMode& mode);

// "Support Ticket..." is offered with no ticket being made, a connected port, the link not in
// host mode and a receiver model of index 2 to 19.
bool ticketCommandEnabled(bool ticketRunning, bool connected, bool hostMode, int modelIndex);

// What a series needs of the program around it.
class SeriesHost {
public:
    virtual ~SeriesHost() = default;
    virtual bool ticketRunning() const = 0;
    virtual bool linkReady() const = 0; // connected and not in host mode
    virtual void startTicket() = 0;
    // Pane 2 of the status bar: 0 while tickets are made, -1 when they end.
    virtual void ticketPane(int /*value*/) {}
};

class TicketSeries {
public:
    TicketSeries(SeriesHost& host, logs::TimerHost& timers, MessageSink& messages)
        : host_(host), timers_(timers), messages_(messages) {}

    // Starts the mode: for a series its timers, then the first ticket at once. False (after
    // "Out of system timers.") when a timer is refused; nothing is started then.
    bool start(const TicketMode& mode);
    void seriesTick(); // timer 10
    void endTick();    // timer 11
    // The user stops the series ("Support Ticket..." while it runs, answered Yes).
    void stop();
    // The link went away: the series ends.
    void disconnected();
    // A ticket ended (complete or not); a single ticket outside a series clears pane 2.
    void ticketEnded();

    bool running() const { return running_; }

    // How long a minute of the series lasts, in milliseconds; tests shorten it.
    void setMinuteMs(double ms) { minuteMs_ = ms; }

private:
    void end();
    SeriesHost& host_;
    logs::TimerHost& timers_;
    MessageSink& messages_;
    bool running_ = false;
    double minuteMs_ = 60000.0;
};

} // namespace trix::ticket
