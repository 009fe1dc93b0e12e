// trixlog ticket: make a support ticket (or a series of them) from a receiver on a serial
// device, as the program does: the script's commands one step apart, everything sent and
// received written to a numbered file.

#include "command.h"

#include "base/strings.h"
#include "base/text.h"
#include "decode/models.h"
#include "link/console.h"
#include "link/data_pump.h"
#include "link/link.h"
#include "link/port_settings.h"
#include "link/status.h"
#include "logs/timer_host.h"
#include "ticket/command_sender.h"
#include "ticket/ticket_run.h"
#include "ticket/ticket_series.h"

#include <csignal>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr const char* kUsage =
    "usage: trixlog ticket DEVICE --model N [--baud B] [--rtscts] [--port-letter L]\n"
    "                      [--script FILE] [--dir DIR] [--series H,M]\n";

void help() {
    std::printf(
        "%s\n"
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
        "  --series H,M      a ticket every M minutes during H hours, the first at once\n",
        kUsage);
}

int usage() {
    std::fputs(kUsage, stderr);
    return 2;
}

volatile std::sig_atomic_t interrupted = 0;
void onSignal(int) {
    interrupted = 1;
}

bool wholeNumber(const char* text, long lo, long hi, long& out) {
    std::string s(text);
    if (s.empty() || s.size() > 9 || s.find_first_not_of("0123456789") != std::string::npos)
        return false;
    out = trix::parseInteger(s);
    return out >= lo && out <= hi;
}

std::string installedScript(const std::string& code) {
    char exe[4096];
    ssize_t n = ::readlink("/proc/self/exe", exe, sizeof exe - 1);
    if (n <= 0)
        return code + ".spt";
    std::string dir(exe, static_cast<std::size_t>(n));
    dir.resize(dir.rfind('/') + 1);
    return dir + "../share/trix32/RECEIVER/" + code + ".spt";
}

// The tool's timers on the poll loop, by the identifiers the ticket and the series use.
class LoopTimers : public trix::logs::TimerHost {
public:
    LoopTimers(trix::link::PollLoop& loop, std::map<int, std::function<void()>> handlers)
        : loop_(loop), handlers_(std::move(handlers)) {}
    bool start(int id, long long ms) override {
        kill(id);
        auto it = handlers_.find(id);
        if (it == handlers_.end() || ms <= 0 || ms > 0x7FFFFFFF)
            return false;
        running_[id] = loop_.addTimer(static_cast<int>(ms), it->second);
        return true;
    }
    void kill(int id) override {
        auto it = running_.find(id);
        if (it != running_.end()) {
            loop_.removeTimer(it->second);
            running_.erase(it);
        }
    }

private:
    trix::link::PollLoop& loop_;
    std::map<int, std::function<void()>> handlers_;
    std::map<int, int> running_;
};

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

int run(int argc, char** argv) {
    std::string device, script, dir = ".";
    long baud = 9600, model = -1;
    char letter = 0;
    bool rtscts = false;
    trix::ticket::TicketMode mode;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--help" || a == "-h") {
            help();
            return 0;
        }
        if (a == "--model") {
            if (++i >= argc || !wholeNumber(argv[i], 0, 99, model))
                return usage();
        } else if (a == "--baud") {
            if (++i >= argc || !wholeNumber(argv[i], 1, 115200, baud))
                return usage();
        } else if (a == "--port-letter") {
            if (++i >= argc || std::string(argv[i]).size() != 1)
                return usage();
            letter = argv[i][0];
        } else if (a == "--script") {
            if (++i >= argc)
                return usage();
            script = argv[i];
        } else if (a == "--dir") {
            if (++i >= argc)
                return usage();
            dir = argv[i];
        } else if (a == "--series") {
            if (++i >= argc)
                return usage();
            std::string v = argv[i];
            std::size_t comma = v.find(',');
            if (comma == std::string::npos ||
                v.find_first_not_of("0123456789.,") != std::string::npos)
                return usage();
            mode.series = true;
            mode.hours = trix::parseReal(v.substr(0, comma));
            mode.minutes = trix::parseReal(v.substr(comma + 1));
        } else if (a == "--rtscts") {
            rtscts = true;
        } else if (!a.empty() && a[0] == '-') {
            return usage();
        } else if (device.empty()) {
            device = a;
        } else {
            return usage();
        }
    }
    if (device.empty() || model < 0)
        return usage();
    if (model < 2 || model > 19) {
        std::fprintf(stderr, "trixlog ticket: receiver models 2 to 19 make tickets, not %ld\n",
                     model);
        return 2;
    }
    if (trix::ticket::checkTicketMode(mode) != trix::ticket::ModeField::None) {
        std::fprintf(stderr, "%s\n", trix::str::kUndefinedMode);
        return 2;
    }
    int baudIndex = trix::link::baudIndexOf(baud);
    if (baudIndex < 0) {
        std::fprintf(stderr, "trixlog ticket: %ld is not one of the baud rates 300 to 115200\n",
                     baud);
        return 2;
    }
    const std::string code = trix::modelInfo(static_cast<int>(model)).code;
    if (script.empty())
        script = installedScript(code);

    trix::link::ConsoleSink sink(stderr);
    trix::link::Link link(sink);
    link.setWaitHooks({&trix::link::PollLoop::idleWait, nullptr});
    trix::link::PortSettings settings = trix::link::kPlainPortSettings;
    settings.baud = baudIndex;
    settings.rtsCts = rtscts ? 1 : 0;
    if (int rc = link.openDevice(device, settings, 1); rc < 0) {
        std::string reason(trix::link::statusText(rc));
        std::fprintf(stderr, "trixlog ticket: cannot open %s: %s\n", device.c_str(),
                     reason.c_str());
        return 1;
    }
    link.state.modelIndex = static_cast<int>(model);
    link.state.receiverPort = letter;

    trix::ticket::TicketSetup setup;
    setup.modelIndex = static_cast<int>(model);
    setup.portLetter = letter;
    setup.baud = baud;
    setup.scriptPath = script;
    setup.directory = dir;

    trix::link::DataPump pump(link);
    trix::link::PollLoop loop(link, pump);
    TicketTool tool(link, sink, setup);
    trix::ticket::TicketSeries* seriesPtr = nullptr;
    LoopTimers timers(loop, {{trix::ticket::kStepTimer, [&tool] { tool.step(); }},
                             {trix::ticket::kSeriesTimer, [&] { seriesPtr->seriesTick(); }},
                             {trix::ticket::kSeriesEndTimer, [&] { seriesPtr->endTick(); }}});
    trix::ticket::TicketSeries series(tool, timers, sink);
    seriesPtr = &series;
    tool.attach(timers, series);
    link.listeners.set(trix::link::Slot::Ticket, &tool);

    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
    if (!series.start(mode))
        return 1;
    loop.run([&] { return interrupted || tool.allDone(); });
    if (loop.lost())
        tool.disconnected();
    else if (interrupted) {
        tool.cancel();
        series.stop();
    }
    link.listeners.remove(&tool);
    return tool.succeeded() ? 0 : 1;
}

trixlog::Registration reg{{"ticket", "make a support ticket from a receiver", run}};

} // namespace
