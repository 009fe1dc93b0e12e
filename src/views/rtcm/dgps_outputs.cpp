#include "views/rtcm/dgps_outputs.h"

#include <algorithm>

namespace trix::dgps {

std::vector<std::string> setOutputs(OutputSet set, int m) {
    const bool noMsg = m == 5 || m == 6 || m == 7;
    std::vector<std::string> out;
    switch (set) {
    case OutputSet::Standard:
        if (m == 2)
            break; // that receiver is polled, it has no switched outputs
        if (m == 1 || m == 19) {
            out = {"GSV", "GGA", "GSA", "VTG"};
        } else {
            out = {"SAT", "POS"};
            if (m == 17)
                out.push_back("SA4");
        }
        break;
    case OutputSet::Rtcm:
        out.push_back("GSA");
        if (m != 12 && m != 13) {
            out.push_back("GRS");
            if (!noMsg)
                out.push_back("GSN");
        }
        if (!noMsg)
            out.push_back("MSG");
        break;
    case OutputSet::Rtk:
        if (!noMsg)
            out.push_back("MSG");
        if (m == 16)
            out.push_back("VEC");
        break;
    }
    return out;
}

std::vector<std::string> outputsToSwitchOff(OutputSet closing, OpenSets open, int m) {
    std::vector<std::string> needed;
    auto need = [&](bool isOpen, OutputSet s) {
        if (!isOpen || s == closing)
            return;
        for (auto& o : setOutputs(s, m))
            needed.push_back(o);
    };
    need(open.standard, OutputSet::Standard);
    need(open.rtcm, OutputSet::Rtcm);
    need(open.rtk, OutputSet::Rtk);
    std::vector<std::string> off;
    for (auto& o : setOutputs(closing, m)) {
        if (std::find(needed.begin(), needed.end(), o) == needed.end())
            off.push_back(o);
    }
    return off;
}

} // namespace trix::dgps
