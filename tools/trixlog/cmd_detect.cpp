// trixlog detect: open a serial device and identify the receiver on it, as the connection's
// initialization dialog does; optionally scan baud rates and handshaking, and optionally send
// an initialization file afterwards.

#include "command.h"

#include "base/strings.h"
#include "base/text.h"
#include "decode/models.h"
#include "link/console.h"
#include "link/data_pump.h"
#include "link/init_run.h"
#include "link/link.h"
#include "link/port_settings.h"

#include <csignal>
#include <cstdio>
#include <string>

namespace {

constexpr const char* kUsage = "usage: trixlog detect DEVICE [--baud B] [--rtscts] [--scan] "
                               "[--tick-ms MS] [--init FILE] [--no-ack-answer yes|no] "
                               "[--verbose]\n";

void help() {
    std::printf(
        "%s\n"
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
        "  --verbose         show the traffic on stderr\n",
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

bool parseNumber(const char* text, long lo, long hi, long& out) {
    std::string s(text);
    if (s.empty() || s.find_first_not_of("0123456789") != std::string::npos)
        return false;
    out = trix::parseInteger(s);
    return out >= lo && out <= hi;
}

int run(int argc, char** argv) {
    std::string device, initFile;
    long baud = 9600, tickMs = 1000;
    bool rtscts = false, scan = false, verbose = false;
    trix::Answer noAck = trix::Answer::Yes;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--help" || a == "-h") {
            help();
            return 0;
        }
        if (a == "--baud") {
            if (++i >= argc || !parseNumber(argv[i], 1, 115200, baud))
                return usage();
        } else if (a == "--tick-ms") {
            if (++i >= argc || !parseNumber(argv[i], 1, 60000, tickMs))
                return usage();
        } else if (a == "--init") {
            if (++i >= argc)
                return usage();
            initFile = argv[i];
        } else if (a == "--no-ack-answer") {
            if (++i >= argc)
                return usage();
            std::string v = argv[i];
            if (v != "yes" && v != "no")
                return usage();
            noAck = v == "yes" ? trix::Answer::Yes : trix::Answer::No;
        } else if (a == "--rtscts") {
            rtscts = true;
        } else if (a == "--scan") {
            scan = true;
        } else if (a == "--verbose") {
            verbose = true;
        } else if (!a.empty() && a[0] == '-') {
            return usage();
        } else if (device.empty()) {
            device = a;
        } else {
            return usage();
        }
    }
    if (device.empty())
        return usage();
    int baudIndex = trix::link::baudIndexOf(baud);
    if (baudIndex < 0) {
        std::fprintf(stderr, "trixlog detect: %ld is not one of the baud rates 300 to 115200\n",
                     baud);
        return 2;
    }

    trix::link::ConsoleSink sink(stderr, noAck);
    sink.setVerbose(verbose);
    trix::link::Link link(sink);
    link.setWaitHooks({&trix::link::PollLoop::idleWait, nullptr});
    trix::link::PortSettings settings = trix::link::kPlainPortSettings;
    settings.baud = baudIndex;
    settings.rtsCts = rtscts ? 1 : 0;
    if (int rc = link.openDevice(device, settings, 1); rc < 0) {
        const std::string& reason = link.openError();
        std::fprintf(stderr, "trixlog detect: cannot open %s: %s\n", device.c_str(),
                     reason.c_str());
        return 1;
    }

    DetectHost host(scan, verbose);
    trix::link::InitRun::Options options;
    options.detect = true;
    options.fileName = initFile;
    trix::link::InitRun init(link, sink, host, options);
    init.start();
    trix::link::DataPump pump(link);
    trix::link::PollLoop loop(link, pump);
    loop.addTimer(
        static_cast<int>(tickMs), [&init] { init.tick(); }, true);

    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
    loop.run([&] { return interrupted || host.gaveUp || init.finished() || init.closed(); });

    const auto& st = link.state;
    const bool identified = !init.detecting() && st.modelIndex >= 1;
    if (loop.lost()) {
        std::string text = trix::cformat(trix::str::kPortLost, device.c_str(), link.lostReason());
        std::fprintf(stderr, "%s\n", text.c_str());
    }
    if (!identified) {
        if (!host.gaveUp || !scan) // the scan has already said so
            std::fprintf(stderr, "%s\n", trix::str::kReceiverNotDetected);
        return 1;
    }
    std::printf("model=%d name=%s port=%c baud=%ld rtscts=%d firmware=%s\n", st.modelIndex,
                trix::modelInfo(st.modelIndex).displayName, st.receiverPort ? st.receiverPort : '-',
                st.portSettings.baudRate(), st.portSettings.rtsCts, st.firmware.c_str());
    std::fflush(stdout);
    if (!initFile.empty() && !init.finished())
        return 1;
    return 0;
}

trixlog::Registration reg{{"detect", "identify the receiver on a serial device", run}};

} // namespace
