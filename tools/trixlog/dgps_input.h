#pragma once
// What "trixlog rtcm" and "trixlog rtk" share: their arguments and the two ways of framing a
// log file, as the indexing pass frames it or as the data pump does.

#include "base/strings.h"
#include "base/text.h"
#include "decode/framing.h"
#include "decode/models.h"
#include "logs/line_reader.h"
#include "logs/scratch_dir.h"
#include "logs/stream_sink.h"
#include "logs/viewed_log.h"
#include "options.h"
#include "views/rtcm/running_clock.h"

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace trixlog::dgps {

using trixlog::named;
using trixlog::OptionParser;

struct Options {
    std::string path;
    int model = -1;
    bool live = false;
    bool follow = false;
    bool checksum = true;
    bool limitAltitude = true;
    bool limitVelocity = true;
};

// -1 to go on, else the exit code (0 after the help, 2 after the usage line).
inline int parse(int argc, char** argv, Options& o, const char* command, const char* what) {
    const std::string usage = std::string("usage: trixlog ") + command +
                              " LOG [--model N] [--live] [--follow] [--no-checksum] "
                              "[--no-limit-alt] [--no-limit-vel]\n";
    OptionParser options(usage.c_str(), [&] {
        std::printf("%s\n", usage.c_str());
        std::printf("Feeds LOG to the %s and prints its blocks as key=value lines.\n\n"
                    "  --model N        receiver model index N (1 to 21) instead of the model\n"
                    "                   recognised from the file name\n"
                    "  --live           frame LOG as received lines (CR LF) instead of indexed "
                    "ones\n"
                    "  --follow         then print which entry each stored epoch shows\n"
                    "  --no-checksum    accept sentences whatever their checksum\n"
                    "  --no-limit-alt   no altitude range test\n"
                    "  --no-limit-vel   no velocity range test\n",
                    what);
    });
    long model = -1;
    bool noChecksum = false, noLimitAltitude = false, noLimitVelocity = false;
    options.number("--model", 1, trix::kModelCount - 1, model);
    options.flag("--live", o.live);
    options.flag("--follow", o.follow);
    options.flag("--no-checksum", noChecksum);
    options.flag("--no-limit-alt", noLimitAltitude);
    options.flag("--no-limit-vel", noLimitVelocity);
    options.positional({&o.path}, 1);
    if (int rc = options.parse(argc, argv); rc >= 0)
        return rc;
    if (!named(o.path) || (o.follow && o.live))
        return options.usageError();
    o.model = static_cast<int>(model);
    o.checksum = !noChecksum;
    o.limitAltitude = !noLimitAltitude;
    o.limitVelocity = !noLimitVelocity;
    return -1;
}

inline int cannotOpen(const std::string& path) {
    std::fprintf(stderr, "%s\n", trix::cformat(trix::str::kFileNotOpened, path.c_str()).c_str());
    return 1;
}

// Every line of the file as the indexing pass hands it to its line listeners.
inline bool feedIndexed(const std::string& path, const std::function<void(std::string_view)>& f) {
    trix::logs::LineReader reader;
    if (!reader.open(path))
        return false;
    std::string_view raw;
    while (reader.next(raw))
        f(trix::logLineSentence(raw));
    return !reader.failed();
}

// Every line of the file as the data pump frames received bytes.
inline bool feedLive(const std::string& path, const std::function<void(std::string_view)>& f) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return false;
    trix::LineFramer framer;
    int c;
    while ((c = std::fgetc(file)) != EOF) {
        if (c == 0x06 || c == 0x15)
            continue; // acknowledgements never reach a line
        if (framer.push(static_cast<std::uint8_t>(c)))
            f(framer.line());
    }
    const bool ok = !std::ferror(file);
    std::fclose(file);
    return ok;
}

// The times of the epochs "trixlog epochs" finds in the file.
inline bool epochTimes(const Options& o, std::vector<double>& times) {
    trix::logs::StreamSink sink(stderr);
    trix::logs::ScratchDirectory scratch;
    trix::logs::ViewedLog log(sink, trix::UnitSelection{});
    log.indexer.setErrorListDirectory(scratch.path());
    if (!log.open(o.path, o.model))
        return false;
    // The epochs the windows follow when the counter shows them.
    times = trix::dgps::storedEpochTimes(log.decoder);
    return true;
}

inline int write(const std::string& out) {
    std::fwrite(out.data(), 1, out.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}

} // namespace trixlog::dgps
