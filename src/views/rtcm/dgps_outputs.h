#pragma once
// Which receiver outputs the DGPS windows switch on, and which of them may go off again when
// one window closes: an output stays on while another open window or the standard set still
// reads it (closing the RTCM window must not take GSA from an NMEA receiver's standard set,
// nor MSG from an open RTK window).

#include <string>
#include <vector>

namespace trix::dgps {

enum class OutputSet { Standard, Rtcm, Rtk };

// The NME outputs (GSA, GRS, MSG ...) that `set` switches on for receiver model `modelIndex`.
std::vector<std::string> setOutputs(OutputSet set, int modelIndex);

struct OpenSets {
    bool standard = true; // the frame's own set, on while a receiver is connected
    bool rtcm = false;
    bool rtk = false;
};

// The outputs of `closing` that no set still open in `open` needs, in switching order.
// `open` describes the sets that stay on (the closing one is ignored there).
std::vector<std::string> outputsToSwitchOff(OutputSet closing, OpenSets open, int modelIndex);

} // namespace trix::dgps
