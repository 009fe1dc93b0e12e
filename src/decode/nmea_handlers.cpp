// The NMEA sentence handlers: GGA, GSA, GSV, VTG.

#include "base/text.h"
#include "decode/epoch_decoder.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace trix {

namespace {

std::ptrdiff_t lastNmeaIndex(std::string_view s) {
    return static_cast<std::ptrdiff_t>(s.size()) - 1;
}

// A value read from a field that has no range check of its own still must be a number.
double finiteOr0(double v) {
    return std::isfinite(v) ? v : 0.0;
}

} // namespace

bool EpochDecoder::handleGGA(std::string_view s) {
    lastWasRepeat_ = false;
    if (!checksum(s, false))
        return false;
    FieldScanner f(s, 7, lastNmeaIndex(s));
    auto time = f.real();
    if (!time || !inRange(*time, 0.0, 235960.0))
        return false;
    if (repeatsEpoch(*time)) {
        count();
        return true;
    }
    beginEpoch(*time, false);

    if (LatLon where = readLatLon(f); where != LatLon::Position)
        return where == LatLon::NoPosition;

    auto quality = f.integer();
    if (!quality)
        return false;
    switch (*quality) {
    case 1:
        pos.fixMode = 0;
        break;
    case 2:
        pos.fixMode = nmeaTag ? 1 : 2;
        break;
    case 3:
    case 5:
        pos.fixMode = 3;
        break;
    case 4:
        pos.fixMode = 4;
        break;
    default:
        return false;
    }
    auto used = f.integer();
    if (!used || *used < 0 || *used > kMaxSats)
        return false;
    pos.usedSats = static_cast<std::uint8_t>(*used);
    auto hdop = f.real();
    if (!hdop || !inRange(*hdop, 0.0, 100.0))
        return false;
    pos.hdop = static_cast<float>(*hdop);

    auto altitudeOk = [this](double v) {
        return std::isfinite(v) && (!limits_.altitude || inRange(v, -30000.0, 30000.0));
    };
    auto msl = f.real();
    if (!msl || !altitudeOk(*msl))
        return false;
    if (!f.skip(1))
        return false;
    auto separation = f.real();
    if (!separation || !altitudeOk(*separation))
        return false;
    if (!f.skip(1))
        return false;
    auto age = f.real();
    if (!age)
        return false;
    pos.diffAge = static_cast<float>(finiteOr0(*age));

    finishPosition(*msl + *separation, false);
    count();
    return true;
}

bool EpochDecoder::handleGSA(std::string_view s) {
    if (!checksum(s, false))
        return false;
    pos.pdop = 0.0f;
    pos.vdop = 0.0f;
    // NMEA 4.10 adds a system id after VDOP, and some receivers more fields still: a GSA with
    // more than the classic 17 fields has its DOPs at their fixed places.
    std::string_view body = s.size() > 7 ? s.substr(7) : std::string_view();
    body = body.substr(0, body.find('*'));
    if (std::count(body.begin(), body.end(), ',') + 1 > 17) {
        FieldScanner f(body, 0, static_cast<std::ptrdiff_t>(body.size()));
        std::optional<double> pdop, vdop;
        if (!f.skip(14) || !(pdop = f.real()) || !f.skip(1) || !(vdop = f.real()))
            return false;
        if (!inRange(*pdop, 0.0, 100.0) || !inRange(*vdop, 0.0, 100.0))
            return false;
        pos.pdop = static_cast<float>(*pdop);
        pos.vdop = static_cast<float>(*vdop);
        count();
        return true;
    }
    auto len = static_cast<std::ptrdiff_t>(s.size());
    std::size_t vdopComma = lastCommaAtOrBefore(s, len - 2);
    if (vdopComma == std::string_view::npos || vdopComma == 0)
        return false;
    double vdop = parseReal(s.substr(vdopComma + 1));
    if (!inRange(vdop, 0.0, 100.0))
        return false;
    std::size_t hdopComma = lastCommaAtOrBefore(s, static_cast<std::ptrdiff_t>(vdopComma) - 1);
    if (hdopComma == std::string_view::npos || hdopComma == 0)
        return false;
    std::size_t pdopComma = lastCommaAtOrBefore(s, static_cast<std::ptrdiff_t>(hdopComma) - 1);
    if (pdopComma == std::string_view::npos)
        return false;
    double pdop = parseReal(s.substr(pdopComma + 1));
    if (!inRange(pdop, 0.0, 100.0))
        return false;
    pos.vdop = static_cast<float>(vdop);
    pos.pdop = static_cast<float>(pdop);
    count();
    return true;
}

bool EpochDecoder::handleGSV(std::string_view s) {
    if (!checksum(s, false))
        return false;
    FieldScanner f(s, 7, lastNmeaIndex(s));
    auto total = f.integer();
    auto number = f.integer();
    if (!total || !number)
        return false;
    // A message number below 1 would place the entries before the list.
    if (*number < 1)
        return false;
    if (s.size() > 2 && s[2] == 'L') {
        // GLONASS talker: its satellites are not listed, but its group still counts for the
        // epoch like any other GSV.
        if (*number == *total)
            count();
        return true;
    }
    if (*number == 1) {
        sat.inView = 0;
        sat.constellations = 0;
    }
    auto inView = f.integer();
    if (!inView || *inView < 0 || *inView > kMaxSats)
        return false;
    sat.inView = static_cast<std::uint8_t>(*inView);

    // A message number far past the list stores no group (and must not overflow).
    long index = *number > kMaxSats ? kMaxSats : (*number - 1) * 4;
    for (int group = 0; group < 4 && index < sat.inView; ++group, ++index) {
        auto sv = f.integer();
        if (!sv)
            return false;
        if (*sv == 0)
            break;
        if (*sv < 1 || *sv > 200)
            return false;
        SatEntry& e = sat.sats[static_cast<std::size_t>(index)];
        e.svNumber = static_cast<std::uint8_t>(*sv);
        sat.constellations |= constellationBit(static_cast<int>(*sv), model_);
        auto elevation = f.integer();
        if (!elevation || *elevation < 0 || *elevation > 90)
            return false;
        e.elevation = static_cast<std::uint8_t>(*elevation);
        auto azimuth = f.integer();
        if (!azimuth || *azimuth < 0 || *azimuth > 359)
            return false;
        e.azimuth = static_cast<std::uint16_t>(*azimuth);
        auto snr = f.integer(true);
        if (!snr || *snr < 0 || *snr > 100)
            return false;
        e.snr = static_cast<std::uint8_t>(*snr);
        e.usedFlag = *snr >= 1 ? 'U' : '-';
    }
    if (*number == *total)
        count();
    return true;
}

bool EpochDecoder::handleVTG(std::string_view s) {
    if (!checksum(s, false))
        return false;
    pos.course = 0.0f;
    pos.speed = 0.0f;
    FieldScanner f(s, 7, lastNmeaIndex(s));
    auto course = f.real();
    if (!course || !inRange(*course, 0.0, 360.0))
        return false;
    pos.course = static_cast<float>(*course);
    if (!f.skip(3))
        return false;
    auto knots = f.real();
    if (!knots || !std::isfinite(*knots) || (limits_.velocity && !inRange(*knots, 0.0, 10000.0)))
        return false;
    pos.speed = static_cast<float>(*knots * speedUnit(units_.speed).factor * scales_.speed);
    std::size_t modeComma = lastCommaAtOrBefore(s, static_cast<std::ptrdiff_t>(s.size()) - 2);
    if (modeComma == std::string_view::npos)
        return false;
    if (pos.fixMode < 2 && modeComma + 1 < s.size()) {
        switch (s[modeComma + 1]) {
        case 'A':
            pos.fixMode = 0;
            break;
        case 'D':
            pos.fixMode = 1;
            break;
        case 'N':
            pos.fixMode = 5;
            break;
        default:
            break;
        }
    }
    count();
    return true;
}

} // namespace trix
