#include "views/panel/figures_text.h"

#include "decode/geo.h"
#include "decode/models.h"
#include "base/strings.h"
#include "base/text.h"

namespace trix::views {

std::string fixModeLine(int fixMode, int constellations) {
    std::string line = fixModeText(fixMode);
    std::string joined;
    auto add = [&](int bit, const char* name) {
        if ((constellations & bit) == 0)
            return;
        if (!joined.empty())
            joined += str::kIndicatorJoin;
        joined += name;
    };
    add(kGps, str::kIndicatorGps);
    add(kGlonass, str::kIndicatorGlonass);
    add(kSbas, str::kIndicatorSbas);
    return line + joined;
}

void FiguresBuilder::update(const EpochDecoder& d, int modelIndex, const UnitSelection& units) {
    const PositionRecord& pos = d.pos;
    const double lat = pos.latHemisphere == 'S' ? -pos.latitude : pos.latitude;
    const double lon = pos.lonHemisphere == 'W' ? -pos.longitude : pos.longitude;
    text_.latitude = formatLatitude(lat, units.coordinateFormat);
    text_.longitude = formatLongitude(lon, units.coordinateFormat);
    text_.altitude = cformat("%.2f %s", pos.altitude, altitudeUnit(units.altitude).name);
    // A new constellation set with an unchanged mode must show too, or the line goes stale.
    if (pos.fixMode != lastFixMode_ || d.sat.constellations != lastConstellations_) {
        lastFixMode_ = pos.fixMode;
        lastConstellations_ = d.sat.constellations;
        text_.mode = fixModeLine(pos.fixMode, d.sat.constellations);
        ++modeRebuilds_;
    }
    const TimeParts t = splitTime(pos.utcTime);
    text_.time = cformat(str::kIndicatorTime, t.hours, t.minutes, t.seconds);
    text_.dop1 = cformat(str::kIndicatorDop1, pos.pdop, pos.hdop);
    const std::string tdop =
        modelIndex == kModelUnknown ? std::string(str::kNotAvailable) : cformat("%.1f", pos.tdop);
    text_.dop2 = cformat(str::kIndicatorDop2, pos.vdop, tdop.c_str());
    if (modelIndex == kModelAttitude) {
        const AttitudeRecord& a = d.at2;
        text_.vector12 = cformat(str::kIndicatorVector12, a.doubleDiff[0]);
        text_.vector13 = cformat(str::kIndicatorVector13, a.doubleDiff[1]);
        text_.vector14 = cformat(str::kIndicatorVector14, a.doubleDiff[2]);
        text_.brms = cformat(str::kIndicatorBrms, a.brms * 1000.0);
        text_.mrms = cformat(str::kIndicatorMrms, a.mrms * 1000.0);
    }
}

} // namespace trix::views
