// trixlog epochs: index a log file as "View log file" does and print its epochs as CSV.

#include "command.h"
#include "options.h"
#include "output.h"

#include "base/strings.h"
#include "base/text.h"
#include "decode/models.h"
#include "logs/log_naming.h"
#include "logs/scratch_dir.h"
#include "logs/stream_sink.h"
#include "logs/viewed_log.h"

#include <charconv>
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

// "%.<precision>f" followed by a comma, without printf.
void appendFixed(std::string& out, double v, int precision) {
    trix::appendFixed(out, v, precision);
    out += ',';
}

void appendInt(std::string& out, long v) {
    char buf[24];
    auto r = std::to_chars(buf, buf + sizeof buf, v);
    out.append(buf, r.ptr);
    out += ',';
}

int run(int argc, char** argv) {
    std::string path;
    long model = -1;
    trixlog::OptionParser options(kUsage, help);
    options.number("--model", 1, trix::kModelCount - 1, model);
    options.positional({&path}, 1);
    if (int rc = options.parse(argc, argv); rc >= 0)
        return rc;

    trix::logs::StreamSink sink(stderr);
    trix::UnitSelection units;
    units.distance = 4;      // m
    units.altitude = 0;      // m
    units.speed = 0;         // knots
    units.verticalSpeed = 3; // m/s
    trix::logs::ScratchDirectory scratch;
    trix::logs::ViewedLog log(sink, units);
    log.indexer.setErrorListDirectory(scratch.path());
    bool found = log.open(path, static_cast<int>(model));
    if (!found) {
        // The indexer has said why; a file it could read but found nothing in gets the word.
        if (!log.indexer.openFailed() && !sink.wasShown(trix::str::kNoEpochs))
            std::fprintf(stderr, "%s\n", trix::str::kNoEpochs);
        trixlog::reportIndexingErrors(log.indexer);
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
        const trix::PositionRecord& p = h.positions[i];
        const trix::DeparturePoint& d = h.departures[i];
        const double lat = p.latHemisphere == 'S' ? -p.latitude : p.latitude;
        const double lon = p.lonHemisphere == 'W' ? -p.longitude : p.longitude;
        appendInt(out, k + 1);
        appendFixed(out, p.utcTime, 2);
        appendFixed(out, lat, 9);
        appendFixed(out, lon, 9);
        appendFixed(out, p.altitude, 3);
        appendInt(out, p.fixMode);
        appendInt(out, p.usedSats);
        appendInt(out, h.satellites[i].inView);
        appendFixed(out, p.pdop, 2);
        appendFixed(out, p.hdop, 2);
        appendFixed(out, p.vdop, 2);
        appendFixed(out, p.tdop, 2);
        appendFixed(out, p.course, 2);
        appendFixed(out, p.speed, 3);
        appendFixed(out, p.verticalVelocity, 3);
        appendFixed(out, d.east, 3);
        appendFixed(out, d.north, 3);
        appendFixed(out, d.up, 3);
        out.back() = '\n';
        if (out.size() > (1 << 20) - 512) {
            if (!trixlog::writeOut(out))
                break;
            out.clear();
        }
    }
    trixlog::writeOut(out);
    trixlog::reportIndexingErrors(log.indexer);
    return trixlog::finishOutput(0);
}

const trixlog::Registration reg{{"epochs", "index a log file and print its epochs as CSV", run}};

} // namespace
