// trixlog epochs: index a log file as "View log file" does and print its epochs as CSV.

#include "command.h"

#include "decode/models.h"
#include "decode/strings.h"
#include "decode/text.h"
#include "logs/log_naming.h"
#include "logs/scratch_dir.h"
#include "logs/stream_sink.h"
#include "logs/viewed_log.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

constexpr const char* kUsage = "usage: trixlog epochs LOG [--model N]\n";

void help() {
    std::printf("%s\n"
                "Indexes LOG as \"View log file\" does and prints one CSV row per stored epoch:\n"
                "  n,utc,lat,lon,alt,fix,used,inview,pdop,hdop,vdop,tdop,course,speed,vvel,"
                "east,north,up\n"
                "lat/lon in signed degrees, alt and east/north/up in metres, speed in knots,\n"
                "vvel in m/s.\n\n"
                "  --model N   decode as receiver model index N (1 to 21) instead of the model\n"
                "              recognised from the file name\n",
                kUsage);
}

int usage() {
    std::fputs(kUsage, stderr);
    return 2;
}

int run(int argc, char** argv) {
    std::string path;
    int model = -1;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--help" || a == "-h") {
            help();
            return 0;
        }
        if (a == "--model") {
            if (++i >= argc)
                return usage();
            char* end = nullptr;
            long v = std::strtol(argv[i], &end, 10);
            if (!*argv[i] || *end || v < 1 || v >= trix::kModelCount)
                return usage();
            model = static_cast<int>(v);
        } else if (!a.empty() && a[0] == '-') {
            return usage();
        } else if (path.empty()) {
            path = a;
        } else {
            return usage();
        }
    }
    if (path.empty())
        return usage();

    trix::logs::StreamSink sink(stderr);
    trix::UnitSelection units;
    units.distance = 4;      // m
    units.altitude = 0;      // m
    units.speed = 0;         // knots
    units.verticalSpeed = 3; // m/s
    trix::logs::ScratchDirectory scratch;
    trix::logs::ViewedLog log(sink, units);
    log.indexer.setErrorListDirectory(scratch.path());
    bool found = log.open(path, model);
    if (!found) {
        if (!sink.wasShown(trix::cformat(trix::str::kFileNotOpened, path.c_str())) &&
            !sink.wasShown(trix::str::kNoEpochs))
            std::fprintf(stderr, "%s\n", trix::str::kNoEpochs);
        return 1;
    }

    const trix::EpochHistory& h = log.decoder.history;
    const int count = log.decoder.epochsCompleted;
    const int capacity = log.decoder.capacity();
    std::string out = "n,utc,lat,lon,alt,fix,used,inview,pdop,hdop,vdop,tdop,course,speed,vvel,"
                      "east,north,up\n";
    out.reserve(1 << 20);
    for (int k = 0; k < count; ++k) {
        const auto i = static_cast<std::size_t>((h.oldestPosition + k) % capacity);
        if (i >= h.positions.size())
            break;
        const trix::CPos& p = h.positions[i];
        const trix::CDepPt& d = h.departures[i];
        const double lat = p.latHemisphere == 'S' ? -p.latitude : p.latitude;
        const double lon = p.lonHemisphere == 'W' ? -p.longitude : p.longitude;
        out += trix::cformat("%d,%.2f,%.9f,%.9f,%.3f,%u,%u,%u,%.2f,%.2f,%.2f,%.2f,%.2f,%.3f,%.3f,"
                             "%.3f,%.3f,%.3f\n",
                             k + 1, p.utcTime, lat, lon, static_cast<double>(p.altitude),
                             static_cast<unsigned>(p.fixMode), static_cast<unsigned>(p.usedSats),
                             static_cast<unsigned>(h.satellites[i].inView),
                             static_cast<double>(p.pdop), static_cast<double>(p.hdop),
                             static_cast<double>(p.vdop), static_cast<double>(p.tdop),
                             static_cast<double>(p.course), static_cast<double>(p.speed),
                             static_cast<double>(p.verticalVelocity), static_cast<double>(d.east),
                             static_cast<double>(d.north), static_cast<double>(d.up));
        if (out.size() > (1 << 20) - 512) {
            std::fwrite(out.data(), 1, out.size(), stdout);
            out.clear();
        }
    }
    std::fwrite(out.data(), 1, out.size(), stdout);
    if (log.indexer.errorListRequested() || trix::logs::fileExists(log.indexer.errorListPath()))
        std::fprintf(stderr, "trixlog: errors found while indexing are listed in %s\n",
                     log.indexer.errorListPath().c_str());
    return std::fflush(stdout) == 0 ? 0 : 1;
}

const trixlog::Registration reg{{"epochs", "index a log file and print its epochs as CSV", run}};

} // namespace
