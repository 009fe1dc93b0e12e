#pragma once
// The headless dump of the RTK window's parser: its history records (or, live, its redraws)
// and its final state.

#include "views/rtk/rtk_parser.h"

#include <string>
#include <vector>

namespace trix::rtk {

// The data lines of one snapshot: utc to v20.
std::string dumpData(const RtkData& d);
// One "block=record N" per history record.
std::string dumpRecords(const RtkParser& parser);
// One "block=redraw N" for a live line that redrew the panes.
std::string dumpRedraw(const RtkParser& parser, int n);
// "block=end" with the state shown now; `closed` when the window closed at data-loaded.
std::string dumpEnd(const RtkParser& parser, bool closed);
std::string dumpFollow(RtkParser& parser, const std::vector<double>& utcTimes);

} // namespace trix::rtk
