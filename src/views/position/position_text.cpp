#include "views/position/position_text.h"

#include "decode/epoch_decoder.h"
#include "decode/geo.h"
#include "base/strings.h"
#include "base/text.h"
#include "decode/units.h"

namespace trix::views {

std::string constellationText(unsigned bits) {
    std::string out;
    const auto add = [&](unsigned bit, const char* name) {
        if ((bits & bit) == 0)
            return;
        if (!out.empty())
            out += str::kConstellationJoin;
        out += name;
    };
    add(kGps, str::kConstellationGps);
    add(kGlonass, str::kConstellationGlonass);
    add(kSbas, str::kConstellationSbas);
    return out;
}

TextLines positionTextLines(const EpochDecoder& d, int model, const UnitSelection& units) {
    TextLines t;
    const PositionRecord& pos = d.pos;
    const TimeParts time = splitTime(pos.utcTime);
    const std::string mode =
        std::string(fixModeText(pos.fixMode)) + constellationText(d.sat.constellations);
    t.lines.push_back(cformat(str::kPositionLine1, mode.c_str(), pos.usedSats, time.hours,
                              time.minutes, time.seconds));

    const double lat = pos.latHemisphere == 'S' ? -pos.latitude : pos.latitude;
    const double lon = pos.lonHemisphere == 'W' ? -pos.longitude : pos.longitude;
    const std::string latText = formatLatitude(lat, units.coordinateFormat);
    const std::string lonText = formatLongitude(lon, units.coordinateFormat);
    t.lines.push_back(cformat(str::kPositionLine2, latText.c_str(), lonText.c_str(),
                              static_cast<double>(pos.altitude),
                              altitudeUnit(units.altitude).name));

    const std::string tdop = model == kModelUnknown
                                 ? std::string(str::kNotAvailable)
                                 : cformat("%.1f", static_cast<double>(pos.tdop));
    t.lines.push_back(cformat(str::kPositionLine3, static_cast<double>(pos.pdop),
                              static_cast<double>(pos.hdop), static_cast<double>(pos.vdop),
                              tdop.c_str()));

    const AttitudeRecord& at = d.at2;
    t.lines.push_back(cformat(str::kPositionLine4, at.doubleDiff[0], at.doubleDiff[1],
                              at.doubleDiff[2], static_cast<double>(at.brms) * 1000.0,
                              static_cast<double>(at.mrms) * 1000.0));
    t.attitudeLineGrey = model != kModelAttitude;
    return t;
}

} // namespace trix::views
