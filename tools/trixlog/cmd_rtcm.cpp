// trixlog rtcm: the RTCM corrections window's parser over a log file, dumped.

#include "command.h"
#include "dgps_input.h"

#include "views/rtcm/rtcm_dump.h"

namespace {

int run(int argc, char** argv) {
    trixlog::dgps::Options o;
    if (int rc = trixlog::dgps::parse(argc, argv, o, "rtcm", "RTCM corrections window's parser");
        rc >= 0)
        return rc;
    trix::rtcm::RtcmParser parser;
    parser.setKeepReplay(true);
    parser.setChecksum(o.checksum);
    auto feed = [&](std::string_view line) { parser.line(line); };
    const bool read =
        o.live ? trixlog::dgps::feedLive(o.path, feed) : trixlog::dgps::feedIndexed(o.path, feed);
    if (!read)
        return trixlog::dgps::cannotOpen(o.path);
    if (!o.live)
        parser.dataLoaded();
    std::string out = trix::rtcm::dumpParser(parser);
    if (o.follow) {
        std::vector<double> times;
        if (!trixlog::dgps::epochTimes(o, times))
            return 1;
        out += trix::rtcm::dumpFollow(parser, times);
    }
    return trixlog::dgps::write(out);
}

const trixlog::Registration reg{
    {"rtcm", "dump what the RTCM corrections window reads from a log file", run}};

} // namespace
