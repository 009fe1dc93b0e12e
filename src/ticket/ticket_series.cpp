#include "ticket/ticket_series.h"

#include "base/strings.h"

#include <cmath>

namespace trix::ticket {

ModeField checkTicketMode(TicketMode& m) {
    if (!m.series) {
        if (!(m.hours > 0))
            m.hours = 1;
        if (!(m.minutes > 0))
            m.minutes = 15;
        return ModeField::None;
    }
    if (!(m.hours > 0 && m.hours <= 24 && m.hours * 60 >= m.minutes))
        return ModeField::Hours;
    if (!(m.minutes > 0 && m.minutes <= 1440))
        return ModeField::Minutes;
    return ModeField::None;
}

bool ticketCommandEnabled(bool ticketRunning, bool connected, bool hostMode, int modelIndex) {
    return !ticketRunning && connected && !hostMode && modelIndex >= 2 && modelIndex <= 19;
}

bool TicketSeries::start(const TicketMode& mode) {
    if (mode.series) {
        const auto endMs = static_cast<long long>(std::llround(mode.hours * 60.0 * minuteMs_));
        const auto everyMs = static_cast<long long>(std::llround(mode.minutes * minuteMs_));
        if (endMs > 0 && !timers_.start(kSeriesEndTimer, endMs)) {
            messages_.show(str::kOutOfTimers, Buttons::Ok, Icon::Stop);
            return false;
        }
        if (everyMs > 0 && !timers_.start(kSeriesTimer, everyMs)) {
            timers_.kill(kSeriesEndTimer);
            messages_.show(str::kOutOfTimers, Buttons::Ok, Icon::Stop);
            return false;
        }
        running_ = true;
    }
    host_.ticketPane(0);
    if (!host_.ticketRunning())
        host_.startTicket();
    return true;
}

void TicketSeries::seriesTick() {
    if (!running_)
        return;
    if (!host_.linkReady()) {
        messages_.status(str::kSeriesTurnSkipped);
        return;
    }
    if (!host_.ticketRunning())
        host_.startTicket();
}

void TicketSeries::end() {
    timers_.kill(kSeriesTimer);
    timers_.kill(kSeriesEndTimer);
    running_ = false;
    host_.ticketPane(-1);
}

void TicketSeries::endTick() {
    if (!running_)
        return;
    end();
    messages_.status(str::kTicketsCreated);
}

void TicketSeries::stop() {
    if (!running_)
        return;
    end();
    messages_.status(str::kTicketCancelled);
}

void TicketSeries::disconnected() {
    if (!running_)
        return;
    end();
    messages_.status(str::kSeriesEndedNoLink);
}

void TicketSeries::ticketEnded() {
    if (!running_)
        host_.ticketPane(-1);
}

} // namespace trix::ticket
