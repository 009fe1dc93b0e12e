#include "decode/records.h"

#include "decode/models.h"

#include <cmath>

namespace trix {

const char* fixModeText(int fixMode) {
    static const char* const texts[] = {"Autonomous ", "Differential ", "RTCM ", "Float RTK ",
                                        "Fixed RTK "};
    if (fixMode >= 0 && fixMode <= 4)
        return texts[fixMode];
    return "Raw ";
}

std::uint8_t constellationBit(int n, int modelIndex) {
    if (n >= 1 && n <= 32)
        return kGps;
    if (modelCan(modelIndex).wideGlonass) {
        if (n >= 33 && n <= 99)
            return kGlonass;
        if (n >= 100)
            return kSbas;
        return 0;
    }
    if (n >= 33 && n <= 64)
        return kSbas;
    if (n >= 65 && n <= 96)
        return kGlonass;
    return 0;
}

SkyPlotRecord skyPlotFrom(const SatelliteRecord& sat) {
    SkyPlotRecord out;
    out.count = sat.inView;
    int n = sat.inView > kMaxSats ? kMaxSats : sat.inView;
    for (int i = 0; i < n; ++i) {
        const SatEntry& e = sat.sats[static_cast<std::size_t>(i)];
        SkyPlotRecord::Point& p = out.points[static_cast<std::size_t>(i)];
        if (e.elevation == 0) {
            p.svNumber = 0;
            continue;
        }
        double r = (90.0 - e.elevation) * 0.011111111111111112;
        double theta = (90.0 - e.azimuth) * 0.017453292519943295;
        p.x = static_cast<float>(1.0 + r * std::cos(theta));
        p.y = static_cast<float>(1.0 - r * std::sin(theta));
        p.svNumber = e.svNumber;
    }
    return out;
}

} // namespace trix
