// trixlog detect: open a serial device and identify the receiver on it, as the connection's
// initialization dialog does; optionally scan baud rates and handshaking, and optionally send
// an initialization file afterwards.

#include "command.h"
#include "receiver_line.h"

#include "base/strings.h"
#include "base/text.h"
#include "decode/models.h"
#include "link/console.h"
#include "link/data_pump.h"
#include "link/init_run.h"
#include "link/link.h"

#include <cstdio>
#include <string>

namespace {

constexpr const char* kUsage = "usage: trixlog detect DEVICE [--baud B] [--rtscts] [--scan] "
                               "[--tick-ms MS] [--init FILE] [--no-ack-answer yes|no] "
                               "[--verbose]\n";

constexpr const char* kHelp =
    "Opens DEVICE at B baud (default 9600), 8 data bits, no parity, 1 stop bit, RTS/CTS\n"
    "only with --rtscts, and identifies the receiver. DEVICE may be tcp://HOST:PORT, a\n"
    "receiver behind a TCP listener (no speed there: --baud and --scan do not apply).\n"
    "On success prints\n"
    "  model=<index> name=<name> port=<letter> baud=<baud> rtscts=<0|1> firmware=<version>\n"
    "and exits 0; otherwise prints \"GPS receiver is not detected!\" and exits 1.\n\n"
    "  --scan            when the receiver does not answer, try every baud rate with and\n"
    "                    without RTS/CTS (\"AutoSelect\")\n"
    "  --tick-ms MS      time between detection steps (default 1000)\n"
    "  --init FILE       send the commands of this initialization file after the\n"
    "                    identification, each until acknowledged\n"
    "  --no-ack-answer   answer to \"Continue with next command?\" (default yes)\n"
    "  --verbose         show the traffic on stderr\n";

class DetectHost : public trix::link::InitHost {
public:
    DetectHost(bool scan, bool verbose) : scan_(scan), verbose_(verbose) {}
    trix::link::NotRespondingChoice notResponding() override {
        if (scan_)
            return trix::link::NotRespondingChoice::AutoSelect;
        gaveUp = true;
        return trix::link::NotRespondingChoice::Cancel;
    }
    void scanFailed() override { gaveUp = true; }
    void list(trix::link::Direction d, std::string_view text) override {
        if (!verbose_)
            return;
        const char* tag = d == trix::link::Direction::Sent       ? "->"
                          : d == trix::link::Direction::Received ? "<-"
                                                                 : "--";
        std::fprintf(stderr, "%s %.*s\n", tag, static_cast<int>(text.size()), text.data());
    }
    bool gaveUp = false;

private:
    bool scan_;
    bool verbose_;
};

struct Options {
    trixlog::LineOptions line;
    std::string initFile;
    long tickMs = 1000;
    bool scan = false, verbose = false;
    trix::Answer noAck = trix::Answer::Yes;
};

int parse(int argc, char** argv, Options& o) {
    trixlog::OptionParser options(kUsage, kHelp);
    trixlog::addLineOptions(options, o.line);
    options.flag("--scan", o.scan);
    options.number("--tick-ms", 1, 60000, o.tickMs);
    options.value("--init", [&](std::string_view v) {
        o.initFile = std::string(v);
        return true;
    });
    options.value("--no-ack-answer", [&](std::string_view v) {
        o.noAck = v == "yes" ? trix::Answer::Yes : trix::Answer::No;
        return v == "yes" || v == "no";
    });
    options.flag("--verbose", o.verbose);
    if (int rc = options.parse(argc, argv); rc >= 0)
        return rc;
    if (!trixlog::named(o.line.device))
        return options.usageError();
    return trixlog::checkLineOptions("detect", o.line);
}

int run(int argc, char** argv) {
    Options o;
    if (int rc = parse(argc, argv, o); rc >= 0)
        return rc;

    trix::link::ConsoleSink sink(stderr, o.noAck);
    sink.setVerbose(o.verbose);
    trix::link::Link link(sink);
    link.setWaitHooks({&trix::link::PollLoop::idleWait, nullptr});
    if (!trixlog::openLine(link, "detect", o.line))
        return 1;

    DetectHost host(o.scan, o.verbose);
    trix::link::InitRun::Options options;
    options.detect = true;
    options.fileName = o.initFile;
    trix::link::InitRun init(link, sink, host, options);
    init.start();
    trix::link::DataPump pump(link);
    trix::link::PollLoop loop(link, pump);
    loop.addTimer(
        static_cast<int>(o.tickMs), [&init] { init.tick(); }, true);

    trixlog::endOnSignals();
    loop.run(
        [&] { return trixlog::endRequested() || host.gaveUp || init.finished() || init.closed(); });

    const auto& st = link.state;
    const bool identified = !init.detecting() && st.modelIndex >= 1;
    if (loop.lost()) {
        std::string text =
            trix::cformat(trix::str::kPortLost, o.line.device.c_str(), link.lostReason());
        std::fprintf(stderr, "%s\n", text.c_str());
    }
    if (!identified) {
        if (!host.gaveUp || !o.scan) // the scan has already said so
            std::fprintf(stderr, "%s\n", trix::str::kReceiverNotDetected);
        return 1;
    }
    std::printf("model=%d name=%s port=%c baud=%ld rtscts=%d firmware=%s\n", st.modelIndex,
                trix::modelInfo(st.modelIndex).displayName, st.receiverPort ? st.receiverPort : '-',
                st.portSettings.baudRate(), st.portSettings.rtsCts, st.firmware.c_str());
    std::fflush(stdout);
    if (!o.initFile.empty() && !init.finished())
        return 1;
    return 0;
}

trixlog::Registration reg{{"detect", "identify the receiver on a serial device", run}};

} // namespace
