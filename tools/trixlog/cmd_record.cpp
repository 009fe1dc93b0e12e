// trixlog record: record what a receiver sends into log files, as a log session of the
// program does, with its naming and split rules, while the data pump feeds the decoder.

#include "command.h"
#include "options.h"
#include "receiver_line.h"

#include "base/strings.h"
#include "base/text.h"
#include "decode/epoch_decoder.h"
#include "decode/models.h"
#include "link/console.h"
#include "link/data_pump.h"
#include "link/link.h"
#include "logs/log_naming.h"
#include "logs/log_recorder.h"
#include "logs/log_settings.h"

#include <cstdint>
#include <cstdio>
#include <string>

namespace {

constexpr const char* kUsage =
    "usage: trixlog record DEVICE [--baud B] [--rtscts] [--model N] [--port-letter L] "
    "[--enable] [--dir DIR] [--seconds S] [--auto-save-epochs N | --auto-save-minutes N] "
    "[--multiple HOURS,MINUTES]\n";

constexpr const char* kHelp =
    "Opens DEVICE at B baud (default 9600), 8N1, RTS/CTS only with --rtscts, and records\n"
    "every received byte into log files in DIR (default: the current directory), named\n"
    "from the model code and a running number. Prints each file's name when it is closed.\n"
    "Stops after S seconds (default: on SIGINT or SIGTERM). DEVICE may be\n"
    "tcp://HOST:PORT, a receiver behind a TCP listener (--baud does not apply there).\n\n"
    "  --model N             receiver model index 1 to 21 (default 1, plain NMEA)\n"
    "  --port-letter L       the receiver's port the device is attached to (default A)\n"
    "  --enable              switch the model's standard messages on at the start and off\n"
    "                        at the end\n"
    "  --auto-save-epochs N  start a new file after N epochs\n"
    "  --auto-save-minutes N start a new file every N minutes\n"
    "  --multiple H,M        a new recording every H hours, each M minutes long\n";

// Prints the name of every log file as it is closed.
class FileEvents : public trix::logs::RecorderEvents {
public:
    void setRecorder(trix::logs::LogRecorder* r) { recorder_ = r; }
    void postPerformLogSession() override { stopPosted = true; }
    void logFileChanged(bool) override {
        if (!recorder_)
            return;
        const std::string& now = recorder_->fileName();
        if (now == open_)
            return;
        if (!open_.empty() && trix::logs::fileExists(open_)) {
            std::printf("%s\n", open_.c_str());
            std::fflush(stdout);
        }
        open_ = now;
    }
    bool stopPosted = false;

private:
    trix::logs::LogRecorder* recorder_ = nullptr;
    std::string open_;
};

class RecorderBytes : public trix::link::ByteRecorder {
public:
    explicit RecorderBytes(trix::logs::LogRecorder& r) : r_(r) {}
    bool recording() const override { return r_.active(); }
    void writeLogByte(std::uint8_t byte) override { r_.writeLogByte(byte); }

private:
    trix::logs::LogRecorder& r_;
};

struct Options {
    trixlog::LineOptions line;
    std::string dir = ".";
    long model = 1, seconds = 0;
    char port = 'A';
    bool enable = false;
    trix::logs::LoggingPageInput page;
};

int parse(int argc, char** argv, Options& o) {
    bool autoSaveGiven = false, twice = false;
    trixlog::OptionParser options(kUsage, kHelp);
    trixlog::addLineOptions(options, o.line);
    options.number("--model", 1, trix::kModelCount - 1, o.model);
    options.value("--port-letter", [&](std::string_view v) {
        o.port = v.empty() ? 'A' : v[0];
        return v.size() == 1;
    });
    options.flag("--enable", o.enable);
    options.value("--dir", [&](std::string_view v) {
        o.dir = std::string(v);
        return !v.empty();
    });
    options.number("--seconds", 0, 100000000, o.seconds);
    auto autoSave = [&](trix::logs::AutoSaveUnit unit) {
        return [&, unit](std::string_view v) {
            long n = 0;
            twice = twice || autoSaveGiven;
            autoSaveGiven = true;
            o.page.autoSaveUnit = unit;
            if (!trixlog::readWhole(v, 0, 5000, n))
                return false;
            o.page.autoSaveCount = static_cast<int>(n);
            return !twice;
        };
    };
    options.value("--auto-save-epochs", autoSave(trix::logs::AutoSaveUnit::Epochs));
    options.value("--auto-save-minutes", autoSave(trix::logs::AutoSaveUnit::Minutes));
    options.value("--multiple", [&](std::string_view v) {
        std::size_t comma = v.find(',');
        long minutes = 0;
        double hours = 0;
        if (comma == std::string_view::npos || !trixlog::readReal(v.substr(0, comma), hours) ||
            !trixlog::readWhole(v.substr(comma + 1), 0, 600, minutes))
            return false;
        o.page.mode = trix::logs::RecordMode::Multiple;
        o.page.periodHours = hours;
        o.page.durationMinutes = static_cast<int>(minutes);
        return true;
    });
    if (int rc = options.parse(argc, argv); rc >= 0)
        return rc;
    if (autoSaveGiven && o.page.mode == trix::logs::RecordMode::Multiple) {
        std::fputs("trixlog record: auto-save applies to single recording only\n", stderr);
        return 2;
    }
    return trixlog::checkLineOptions("record", o.line);
}

int run(int argc, char** argv) {
    Options o;
    if (int rc = parse(argc, argv, o); rc >= 0)
        return rc;
    trix::logs::LogSettings settings;
    if (const char* problem = trix::logs::validateLoggingPage(o.page, settings)) {
        std::fprintf(stderr, "trixlog record: %s\n", problem);
        return 2;
    }
    settings.directory = o.dir;

    trix::link::ConsoleSink sink(stderr);
    trix::link::Link link(sink);
    link.setWaitHooks({&trix::link::PollLoop::idleWait, nullptr});
    if (!trixlog::openLine(link, "record", o.line))
        return 1;
    link.state.modelIndex = static_cast<int>(o.model);
    link.state.receiverPort = o.port;
    link.state.turnOffOnDetach = true;

    trix::link::DataPump pump(link);
    trix::link::PollLoop loop(link, pump);
    trix::logs::LogRecorder* recording = nullptr;
    trixlog::LoopTimers timers(loop, [&recording](int id) {
        if (recording)
            recording->timerFired(id);
    });
    FileEvents events;
    trix::logs::LogRecorder recorder(sink, timers, &events);
    recording = &recorder;
    events.setRecorder(&recorder);
    recorder.setSettings(settings);

    trix::EpochDecoder::Hooks hooks;
    hooks.messages = &sink;
    hooks.logSession = &recorder;
    hooks.port = &link;
    trix::EpochDecoder decoder(static_cast<int>(o.model), hooks);
    link.setDecoder(&decoder);
    recorder.setDecoder(&decoder);
    RecorderBytes bytes(recorder);
    pump.setRecorder(&bytes);

    trixlog::endOnSignals();
    if (!recorder.startSession()) {
        std::fputs("trixlog record: the log session did not start\n", stderr);
        return 1;
    }
    if (o.enable)
        link.standardSet(true);

    const std::int64_t end = o.seconds > 0 ? trix::link::steadyNowMs() + o.seconds * 1000 : 0;
    loop.run([&] {
        return trixlog::endRequested() || events.stopPosted ||
               (end != 0 && trix::link::steadyNowMs() >= end);
    });

    const bool lost = loop.lost();
    if (lost) {
        std::fprintf(
            stderr, "%s\n",
            trix::cformat(trix::str::kPortLost, o.line.device.c_str(), link.lostReason()).c_str());
        link.closePort();
    } else if (o.enable) {
        link.standardSet(false);
        // What the receiver sends until it has switched off still belongs in the log.
        const std::int64_t drainEnd = trix::link::steadyNowMs() + 300;
        loop.run([&] { return trix::link::steadyNowMs() >= drainEnd; });
    }
    recorder.stopSession();
    link.setDecoder(nullptr);
    link.closePort();
    if (loop.bytes() == 0)
        std::fprintf(stderr, "trixlog record: nothing was received from %s%s\n",
                     o.line.device.c_str(),
                     recorder.emptyFilesRemoved() > 0 ? "; no log was kept" : "");
    return lost || events.stopPosted ? 1 : 0;
}

trixlog::Registration reg{{"record", "record a receiver's output into log files", run}};

} // namespace
