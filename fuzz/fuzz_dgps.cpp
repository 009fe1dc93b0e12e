// The RTCM and RTK windows' parsers over any bytes: the input is cut at line feeds and every
// line goes to both parsers, live and indexed, then the file is "loaded" and followed.

#include "views/rtcm/rtcm_dump.h"
#include "views/rtcm/rtcm_parser.h"
#include "views/rtk/rtk_dump.h"
#include "views/rtk/rtk_parser.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const bool checked = size > 0 && (data[0] & 1) != 0;
    trix::rtcm::RtcmParser rtcm;
    rtcm.setKeepReplay(true);
    rtcm.setChecksum(checked);
    trix::rtk::RtkParser rtk;
    trix::rtk::RtkParser live;
    trix::rtk::RtkLimits limits;
    limits.checksum = checked;
    limits.limitAltitude = size > 1 && (data[1] & 1) != 0;
    rtk.setLimits(limits);
    live.setLimits(limits);
    std::size_t start = 0;
    while (start <= input.size()) {
        std::size_t end = input.find('\n', start);
        if (end == std::string_view::npos)
            end = input.size();
        const std::string_view line = input.substr(start, end - start);
        rtcm.line(line);
        rtk.indexedLine(line);
        live.liveLine(line);
        start = end + 1;
    }
    rtcm.dataLoaded();
    rtk.dataLoaded();
    std::vector<double> epochs{0.0, 120000.0, 235959.0, 1.0};
    trix::rtcm::dumpParser(rtcm);
    trix::rtcm::dumpFollow(rtcm, epochs);
    trix::rtk::dumpRecords(rtk);
    trix::rtk::dumpFollow(rtk, epochs);
    trix::rtk::dumpEnd(live, false);
    return 0;
}
