// The proprietary answer handlers: POS, SAT, AT2, SA4, CSN and the NMEA tag answer.

#include "decode/epoch_decoder.h"
#include "base/text.h"

#include <cmath>

namespace trix {

namespace {

constexpr std::size_t kFirstField = 11; // after "$PXKTR,", the code and a comma

std::ptrdiff_t lastProprietaryIndex(std::string_view s) {
    return static_cast<std::ptrdiff_t>(s.size()) - 3;
}

bool intIn(const std::optional<long>& v, long lo, long hi) {
    return v && *v >= lo && *v <= hi;
}
bool realIn(const std::optional<double>& v, double lo, double hi) {
    return v && inRange(*v, lo, hi);
}

} // namespace

bool EpochDecoder::handlePOS(std::string_view s) {
    lastWasRepeat_ = false;
    if (!checksum(s, true))
        return false;
    FieldScanner f(s, kFirstField, lastProprietaryIndex(s));
    if (!f.skip(2))
        return false;
    auto time = f.real();
    if (!realIn(time, 0.0, 235960.0))
        return false;
    if (repeatsEpoch(*time)) {
        count();
        return true;
    }
    beginEpoch(*time, true);

    f.setPosition(kFirstField);
    auto mode = f.next();
    if (!mode || mode->size() != 1)
        return false;
    switch ((*mode)[0]) {
    case '0':
        pos.fixMode = 0;
        break;
    case '1':
        pos.fixMode = 1;
        break;
    case '2':
        pos.fixMode = 3;
        break;
    case '3':
        pos.fixMode = 4;
        break;
    default:
        return false;
    }
    auto used = f.integer();
    if (!intIn(used, 0, kMaxSats))
        return false;
    pos.usedSats = static_cast<std::uint8_t>(*used);
    if (!f.skip(1))
        return false;

    if (LatLon where = readLatLon(f); where != LatLon::Position)
        return where == LatLon::NoPosition;

    auto altitude = f.real();
    if (!altitude || !std::isfinite(*altitude) ||
        (limits_.altitude && !inRange(*altitude, -30000.0, 30000.0)))
        return false;
    if (!f.skip(1))
        return false;
    auto course = f.real();
    if (!realIn(course, 0.0, 360.0))
        return false;
    pos.course = static_cast<float>(*course);
    auto knots = f.real();
    if (!knots || !std::isfinite(*knots) || (limits_.velocity && !inRange(*knots, 0.0, 10000.0)))
        return false;
    pos.speed = static_cast<float>(*knots * speedUnit(units_.speed).factor * scales_.speed);

    auto vvText = f.next();
    if (!vvText)
        return false;
    double vv = parseReal(*vvText);
    if (!std::isfinite(vv) || (limits_.velocity && std::fabs(vv) > 10000.0))
        return false;
    double vertical = vv * verticalSpeedUnit(units_.verticalSpeed).factor;
    if (scales_.vertical < 0.1f)
        scales_.vertical = vvText->find('.') != std::string_view::npos ? 10.0f : 1.0f;
    pos.verticalVelocity = static_cast<float>(vertical * scales_.vertical);

    float* dops[] = {&pos.pdop, &pos.hdop, &pos.vdop, &pos.tdop};
    for (float* dop : dops) {
        auto v = f.real();
        if (!realIn(v, 0.0, 100.0))
            return false;
        *dop = static_cast<float>(*v);
    }

    finishPosition(*altitude, model_ == kModelAttitude);
    count();
    return true;
}

bool EpochDecoder::handleSAT(std::string_view s) {
    if (!checksum(s, true))
        return false;
    sat.inView = 0;
    sat.constellations = 0;
    std::ptrdiff_t last = lastProprietaryIndex(s);
    FieldScanner f(s, kFirstField, last);
    auto n = f.integer(true);
    if (!intIn(n, 0, kMaxSats))
        return false;
    sat.inView = static_cast<std::uint8_t>(*n);
    for (long i = 0; i < *n; ++i) {
        SatEntry& e = sat.sats[static_cast<std::size_t>(i)];
        auto sv = f.integer();
        if (!intIn(sv, 0, 200))
            return false;
        e.svNumber = static_cast<std::uint8_t>(*sv);
        sat.constellations |= constellationBit(static_cast<int>(*sv), model_);
        auto azimuth = f.integer();
        if (!intIn(azimuth, 0, 359))
            return false;
        e.azimuth = static_cast<std::uint16_t>(*azimuth);
        auto elevation = f.integer();
        if (!intIn(elevation, 0, 90))
            return false;
        e.elevation = static_cast<std::uint8_t>(*elevation);
        auto snr = f.integer();
        if (!intIn(snr, 0, 100))
            return false;
        e.snr = static_cast<std::uint8_t>(*snr);
        // The used flag is one character as sent; the next field begins two characters on.
        std::size_t p = f.position();
        if (static_cast<std::ptrdiff_t>(p) > last)
            return false;
        e.usedFlag = s[p];
        f.setPosition(p + 2);
    }
    count();
    return true;
}

bool EpochDecoder::handleAT2(std::string_view s) {
    if (!checksum(s, true))
        return false;
    at2 = AttitudeRecord{};
    std::ptrdiff_t last = lastProprietaryIndex(s);
    FieldScanner f(s, kFirstField, last);
    if (!f.skip(6))
        return false;
    std::size_t p = f.position();
    if (static_cast<std::ptrdiff_t>(p) > last)
        return false;
    char reset = s[p];
    at2.resetFlag = static_cast<std::uint8_t>(reset - '0');
    if (reset != '0') {
        count();
        return true;
    }
    if (!f.skip(2))
        return false;
    // Field 9: the double-difference digits follow its decimal point.
    std::size_t q = f.position();
    std::size_t dot = std::string_view::npos;
    for (std::size_t i = q; static_cast<std::ptrdiff_t>(i) <= last && s[i] != ',' && s[i] != '*';
         ++i) {
        if (s[i] == '.') {
            dot = i;
            break;
        }
    }
    if (dot == std::string_view::npos)
        return false;
    for (std::size_t k = 0; k < 3; ++k) {
        std::size_t i = dot + 1 + k;
        if (i >= s.size() || s[i] < '0' || s[i] > '9')
            break;
        at2.doubleDiff[k] = static_cast<std::uint8_t>(s[i] - '0');
    }

    FieldScanner g(s, kFirstField, last);
    if (!g.skip(1))
        return false;
    auto heading = g.real();
    auto pitch = g.real();
    auto roll = g.real();
    auto mrms = g.real();
    auto brms = g.real();
    if (!realIn(heading, 0.0, 360.0) || !realIn(pitch, -90.0, 90.0) || !realIn(roll, -90.0, 90.0) ||
        !mrms || !(*mrms >= 0.0) || !std::isfinite(*mrms) || !brms || !(*brms >= 0.0) ||
        !std::isfinite(*brms))
        return false;
    at2.heading = static_cast<float>(*heading);
    at2.pitch = static_cast<float>(*pitch);
    at2.roll = static_cast<float>(*roll);
    at2.mrms = static_cast<float>(*mrms);
    at2.brms = static_cast<float>(*brms);
    count();
    return true;
}

bool EpochDecoder::handleSA4(std::string_view s) {
    if (!checksum(s, true))
        return false;
    FieldScanner f(s, kFirstField, lastProprietaryIndex(s));
    auto antenna = f.next();
    if (!antenna || antenna->size() != 1 || (*antenna)[0] < '1' || (*antenna)[0] > '4')
        return false;
    int a = (*antenna)[0] - '1';
    AntennaRecord& rec = sa4[static_cast<std::size_t>(a)];
    rec = AntennaRecord{};
    auto n = f.integer(true);
    if (!intIn(n, 0, kMaxSats))
        return false;
    rec.count = static_cast<std::uint8_t>(*n);
    for (long i = 0; i < *n; ++i) {
        auto sv = f.integer();
        if (!intIn(sv, 1, 200))
            return false;
        auto snr = f.integer(true);
        if (!intIn(snr, 0, 100))
            return false;
        rec.sats[static_cast<std::size_t>(i)] = {static_cast<std::uint8_t>(*sv),
                                                 static_cast<std::uint8_t>(*snr)};
    }
    if (a == 3)
        count(); // only the last antenna's answer completes the set
    return true;
}

bool EpochDecoder::handleCSN(std::string_view s) {
    if (!checksum(s, true))
        return false;
    FieldScanner f(s, 21, lastProprietaryIndex(s));
    auto n = f.integer();
    if (!intIn(n, 0, kMaxSats))
        return false;
    auto signals = f.integer(true);
    if (!intIn(signals, 1, 3))
        return false;
    for (long k = 0; k < *n; ++k) {
        auto sv = f.integer();
        if (!intIn(sv, 1, 200))
            return false;
        int found = -1;
        for (int i = 0; i < sat.inView && i < kMaxSats; ++i) {
            if (sat.sats[static_cast<std::size_t>(i)].svNumber == *sv) {
                found = i;
                break;
            }
        }
        if (found < 0) {
            if (*n <= sat.inView || sat.inView >= kMaxSats)
                return false;
            found = sat.inView++;
            SatEntry& added = sat.sats[static_cast<std::size_t>(found)];
            added = SatEntry{};
            added.svNumber = static_cast<std::uint8_t>(*sv);
        }
        if (!f.skip(static_cast<int>(*signals) - 1))
            return false;
        auto snr = f.integer(true);
        if (!intIn(snr, 0, 100))
            return false;
        sat.sats[static_cast<std::size_t>(found)].snr2 = static_cast<std::uint8_t>(*snr);
    }
    return true;
}

void EpochDecoder::handleTag(std::string_view s) {
    // Only the tag itself is looked at: the answer's own "$PXKTR" prefix holds "XKT" too.
    std::size_t at = s.find("NME,TAG");
    std::string_view tag = at == std::string_view::npos ? s : s.substr(at + 7);
    if (tag.find("XKT") != std::string_view::npos)
        nmeaTag = true;
    else if (tag.find("V23") != std::string_view::npos)
        nmeaTag = false;
}

} // namespace trix
