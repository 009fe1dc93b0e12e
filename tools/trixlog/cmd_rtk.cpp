// trixlog rtk: the RTK window's parser over a log file, dumped.

#include "command.h"
#include "dgps_input.h"

#include "views/rtk/rtk_dump.h"

namespace {

int run(int argc, char** argv) {
    trixlog::dgps::Options o;
    if (int rc = trixlog::dgps::parse(argc, argv, o, "rtk", "RTK window's parser"); rc >= 0)
        return rc;
    trix::rtk::RtkParser parser;
    trix::rtk::RtkLimits limits;
    limits.checksum = o.checksum;
    limits.limitAltitude = o.limitAltitude;
    limits.limitVelocity = o.limitVelocity;
    parser.setLimits(limits);
    std::string out;
    int redraws = 0;
    auto live = [&](std::string_view line) {
        if (parser.liveLine(line))
            out += trix::rtk::dumpRedraw(parser, ++redraws);
    };
    auto indexed = [&](std::string_view line) { parser.indexedLine(line); };
    const bool read = o.live ? trixlog::dgps::feedLive(o.path, live)
                             : trixlog::dgps::feedIndexed(o.path, indexed);
    if (!read)
        return trixlog::dgps::cannotOpen(o.path);
    bool closed = false;
    if (!o.live) {
        closed = !parser.dataLoaded();
        out += trix::rtk::dumpRecords(parser);
    }
    out += trix::rtk::dumpEnd(parser, closed);
    if (o.follow && !closed) {
        std::vector<double> times;
        if (!trixlog::dgps::epochTimes(o, times))
            return 1;
        out += trix::rtk::dumpFollow(parser, times);
    }
    return trixlog::dgps::write(out);
}

const trixlog::Registration reg{{"rtk", "dump what the RTK window reads from a log file", run}};

} // namespace
