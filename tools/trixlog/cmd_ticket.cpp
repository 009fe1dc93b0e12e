// trixlog ticket: make a support ticket (or a series of them) from a receiver on a serial
// device, as the program does: the script's commands one step apart, everything sent and
// received written to a numbered file.

#include "command.h"
#include "receiver_line.h"

#include "base/strings.h"
#include "base/text.h"
#include "decode/models.h"
#include "link/console.h"
#include "link/data_pump.h"
#include "link/link.h"
#include "logs/timer_host.h"
#include "ticket/command_sender.h"
#include "ticket/ticket_run.h"
#include "ticket/ticket_series.h"

#include <cstdio>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr const char* kUsage =
    "usage: trixlog ticket DEVICE --model N [--baud B] [--rtscts] [--port-letter L]\n"
    "                      [--script FILE] [--dir DIR] [--series H,M]\n";

constexpr const char* kHelp =
    "Opens DEVICE (8 data bits, no parity, 1 stop bit) and makes a support ticket for the\n"
    "receiver model N (2 to 19): the commands of its script go out one step apart\n"
    "(11,520,000 / baud + 200 ms), each once more when unanswered, and everything sent and\n"
    "received goes to a new numbered file <code>_NNN.txt in DIR. Prints for each ticket\n"
    "  ticket PATH complete commands=C sends=S answered=A\n"
    "or\n"
    "  ticket PATH cancelled\n"
    "with the messages on stderr; exits 0 when every ticket completed.\n\n"
    "  --baud B          line speed (default 9600)\n"
    "  --rtscts          RTS/CTS handshaking\n"
    "  --port-letter L   the receiver's port letter (replaces \"port\" in the script)\n"
    "  --script FILE     the ticket script (default: <code>.spt of the installed receiver\n"
    "                    files)\n"
    "  --dir DIR         where the ticket goes (default: the current folder)\n"
    "  --series H,M      a ticket every M minutes during H hours, the first at once\n";

std::string installedScript(const std::string& code) {
    char exe[4096];
    ssize_t n = ::readlink("/proc/self/exe", exe, sizeof exe - 1);
    if (n <= 0)
        return code + ".spt";
    std::string dir(exe, static_cast<std::size_t>(n));
    dir.resize(dir.rfind('/') + 1);
    return dir + "../share/trix32/RECEIVER/" + code + ".spt";
}

class TicketTool : public trix::ticket::SeriesHost,
                   public trix::ticket::TicketEvents,
                   public trix::link::LinkListener {
public:
    TicketTool(trix::link::Link& link, trix::MessageSink& sink, trix::ticket::TicketSetup setup)
        : link_(link), sink_(sink), port_(link), setup_(std::move(setup)) {}

    void attach(trix::logs::TimerHost& timers, trix::ticket::TicketSeries& series) {
        timers_ = &timers;
        series_ = &series;
    }

    // SeriesHost
    bool ticketRunning() const override { return current_ && current_->running(); }
    bool linkReady() const override { return link_.port() && !link_.state.hostMode; }
    void startTicket() override {
        trix::ticket::TicketSetup s = setup_;
        s.seriesRunning = series_->running();
        runs_.push_back(std::make_unique<trix::ticket::TicketRun>(s, port_, *timers_, sink_, this));
        current_ = runs_.back().get();
        ++started_;
        if (!current_->start()) {
            ++failed_;
            if (!current_->path().empty() &&
                current_->state() == trix::ticket::TicketRun::State::Cancelled)
                std::printf("ticket %s cancelled\n", current_->path().c_str());
            std::fflush(stdout);
            series_->ticketEnded();
        }
    }

    // TicketEvents
    void finished(bool complete) override {
        if (complete) {
            std::printf("ticket %s complete commands=%d sends=%d answered=%d\n",
                        current_->path().c_str(), current_->commandCount(), current_->sends(),
                        current_->answered());
        } else {
            ++failed_;
            std::printf("ticket %s cancelled\n", current_->path().c_str());
        }
        std::fflush(stdout);
        series_->ticketEnded();
    }

    // LinkListener
    void ticketLine(std::string_view text) override {
        if (current_)
            current_->line(text);
    }

    void step() {
        if (current_)
            current_->step();
    }
    void cancel() {
        if (current_)
            current_->cancel();
    }
    void disconnected() {
        if (current_ && current_->running())
            current_->disconnected();
        series_->disconnected();
    }
    bool allDone() const { return !ticketRunning() && !series_->running(); }
    bool succeeded() const { return started_ > 0 && failed_ == 0; }

private:
    trix::link::Link& link_;
    trix::MessageSink& sink_;
    trix::ticket::LinkTicketPort port_;
    trix::ticket::TicketSetup setup_;
    trix::logs::TimerHost* timers_ = nullptr;
    trix::ticket::TicketSeries* series_ = nullptr;
    std::vector<std::unique_ptr<trix::ticket::TicketRun>> runs_;
    trix::ticket::TicketRun* current_ = nullptr;
    int started_ = 0;
    int failed_ = 0;
};

struct Options {
    trixlog::LineOptions line;
    std::string script, dir = ".";
    long model = -1;
    char letter = 0;
    trix::ticket::TicketMode mode;
};

int parse(int argc, char** argv, Options& o) {
    trixlog::OptionParser options(kUsage, kHelp);
    trixlog::addLineOptions(options, o.line);
    options.number("--model", 0, 99, o.model);
    options.value("--port-letter", [&](std::string_view v) {
        o.letter = v.empty() ? 0 : v[0];
        return v.size() == 1;
    });
    options.value("--script", [&](std::string_view v) {
        o.script = std::string(v);
        return true;
    });
    options.value("--dir", [&](std::string_view v) {
        o.dir = std::string(v);
        return true;
    });
    options.value("--series", [&](std::string_view v) {
        const std::size_t comma = v.find(',');
        if (comma == std::string_view::npos || v.find_first_not_of("0123456789.,") != v.npos)
            return false;
        o.mode.series = true;
        o.mode.hours = trix::parseReal(v.substr(0, comma));
        o.mode.minutes = trix::parseReal(v.substr(comma + 1));
        return true;
    });
    if (int rc = options.parse(argc, argv); rc >= 0)
        return rc;
    if (!trixlog::named(o.line.device) || o.model < 0)
        return options.usageError();
    if (o.model < 2 || o.model > 19) {
        std::fprintf(stderr, "trixlog ticket: receiver models 2 to 19 make tickets, not %ld\n",
                     o.model);
        return 2;
    }
    if (trix::ticket::checkTicketMode(o.mode) != trix::ticket::ModeField::None) {
        std::fprintf(stderr, "%s\n", trix::str::kUndefinedMode);
        return 2;
    }
    return trixlog::checkLineOptions("ticket", o.line);
}

int run(int argc, char** argv) {
    Options o;
    if (int rc = parse(argc, argv, o); rc >= 0)
        return rc;
    const int model = static_cast<int>(o.model);
    const std::string code = trix::modelInfo(model).code;
    if (o.script.empty())
        o.script = installedScript(code);

    trix::link::ConsoleSink sink(stderr);
    trix::link::Link link(sink);
    link.setWaitHooks({&trix::link::PollLoop::idleWait, nullptr});
    if (!openLine(link, "ticket", o.line))
        return 1;
    link.state.modelIndex = model;
    link.state.receiverPort = o.letter;

    trix::ticket::TicketSetup setup;
    setup.modelIndex = model;
    setup.portLetter = o.letter;
    setup.baud = o.line.baud;
    setup.scriptPath = o.script;
    setup.directory = o.dir;

    trix::link::DataPump pump(link);
    trix::link::PollLoop loop(link, pump);
    TicketTool tool(link, sink, setup);
    trix::ticket::TicketSeries* seriesPtr = nullptr;
    trixlog::LoopTimers timers(loop, [&](int id) {
        if (id == trix::ticket::kStepTimer)
            tool.step();
        else if (id == trix::ticket::kSeriesTimer)
            seriesPtr->seriesTick();
        else if (id == trix::ticket::kSeriesEndTimer)
            seriesPtr->endTick();
    });
    trix::ticket::TicketSeries series(tool, timers, sink);
    seriesPtr = &series;
    tool.attach(timers, series);
    link.listeners.set(trix::link::Slot::Ticket, &tool);

    trixlog::endOnSignals();
    if (!series.start(o.mode))
        return 1;
    loop.run([&] { return trixlog::endRequested() || tool.allDone(); });
    if (loop.lost())
        tool.disconnected();
    else if (trixlog::endRequested()) {
        tool.cancel();
        series.stop();
    }
    link.listeners.remove(&tool);
    return tool.succeeded() ? 0 : 1;
}

trixlog::Registration reg{{"ticket", "make a support ticket from a receiver", run}};

} // namespace
