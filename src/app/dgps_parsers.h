#pragma once
// The DGPS windows' share of the session: one RTCM and one RTK line parser. They outlive the
// windows because a viewed log file is read before any window opens: the indexing pass hands
// them every line, and what they found decides whether "DGPS &RTC" and "DGPS RT&K" can open.

#include "logs/log_indexer.h"
#include "views/rtcm/rtcm_parser.h"
#include "views/rtk/rtk_parser.h"

namespace trix {
class EpochDecoder;
struct LimitSettings;
} // namespace trix

namespace trix::app {

class DgpsParsers : public logs::LineListener {
public:
    rtcm::RtcmParser& rtcm() { return rtcm_; }
    rtk::RtkParser& rtk() { return rtk_; }

    // A log file is about to be indexed: fresh parsers that keep the replay, with the checksum
    // and range switches of the Limit Control options.
    void beginLog(const LimitSettings& limits);
    // logs::LineListener: one line of the file being indexed.
    void indexedLine(std::string_view sentence) override;
    // The pass is over: open answers complete, and the decoder learns whether the file holds
    // RTCM and RTK data.
    void endLog(EpochDecoder& decoder);

    // A live window opens: its parser starts empty (the window asks the receiver again).
    void renewRtcm() { rtcm_ = rtcm::RtcmParser{}; }
    void renewRtk() { rtk_ = rtk::RtkParser{}; }
    // Both parsers empty, their replay arrays freed (the references stay valid).
    void clear();

private:
    rtcm::RtcmParser rtcm_;
    rtk::RtkParser rtk_;
    bool indexing_ = false;
    bool rtkFull_ = false; // the RTK history refused a line: it takes no more of this file
};

} // namespace trix::app
