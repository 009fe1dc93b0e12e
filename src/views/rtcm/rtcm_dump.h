#pragma once
// The headless dump of the RTCM window's parser: its replay blocks and its final state.

#include "views/rtcm/rtcm_parser.h"

#include <string>
#include <vector>

namespace trix::rtcm {

// The answer and message-epoch blocks in line order, then the end block.
std::string dumpParser(const RtcmParser& parser);
// The lines of the end block after "block=end" (the state shown now).
std::string dumpState(const RtcmParser& parser);
// One "follow=" line per epoch: `utcTimes` are the stored epochs' times, unwrapped from the
// parser's first position sentence.
std::string dumpFollow(RtcmParser& parser, const std::vector<double>& utcTimes);

} // namespace trix::rtcm
