#include "dgps_parsers.h"

#include "decode/epoch_decoder.h"

namespace trix::app {

void DgpsParsers::beginLog(const LimitSettings& limits) {
    clear();
    rtcm_.setKeepReplay(true);
    rtcm_.setChecksum(limits.checksum);
    rtk::RtkLimits l;
    l.checksum = limits.checksum;
    l.limitAltitude = limits.altitude;
    l.limitVelocity = limits.velocity;
    rtk_.setLimits(l);
    indexing_ = true;
}

void DgpsParsers::indexedLine(std::string_view sentence) {
    // Lines of a pass nobody prepared for (the analysis pass) are not the windows' business.
    if (!indexing_)
        return;
    rtcm_.line(sentence);
    if (!rtkFull_ && rtk_.indexedLine(sentence) == rtk::RtkParser::Indexed::Refused)
        rtkFull_ = true;
}

void DgpsParsers::endLog(EpochDecoder& decoder) {
    indexing_ = false;
    rtcm_.dataLoaded();
    decoder.logHasRtcm = rtcm_.hasData();
    decoder.logHasRtk = rtk_.dataLoaded();
}

void DgpsParsers::clear() {
    rtcm_ = rtcm::RtcmParser{};
    rtk_ = rtk::RtkParser{};
    indexing_ = false;
    rtkFull_ = false;
}

} // namespace trix::app
