#include "almanac_answers.h"

#include "sentences.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <ctime>

namespace rxsim {
namespace {

constexpr double kPi = 3.141592653589793;
constexpr long long kGpsEpochUnix = 315964800; // 6 January 1980

void putBe(std::string& out, std::uint64_t v, int width) {
    for (int i = width - 1; i >= 0; --i)
        out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}
void putFloat(std::string& out, double v) {
    putBe(out, std::bit_cast<std::uint32_t>(static_cast<float>(v)), 4);
}
void putDouble(std::string& out, double v) {
    putBe(out, std::bit_cast<std::uint64_t>(v), 8);
}

// Seconds since the GPS epoch now (leap seconds aside: the almanac is dated by days).
long long gpsNow() {
    return static_cast<long long>(std::time(nullptr)) - kGpsEpochUnix;
}

// The orbit of GPS PRN `prn`: six planes of four to six satellites, as the constellation
// is laid out, with the small spreads a published almanac shows.
struct GpsOrbit {
    double eccentricity, inclination, rate, sqrtA, rightAscension, perigee, meanAnomaly, af0, af1;
    int health;
};

GpsOrbit gpsOrbit(int prn) {
    const int plane = (prn - 1) % 6;
    const int inPlane = (prn - 1) / 6;
    GpsOrbit o{};
    o.eccentricity = 0.002 + 0.0007 * ((prn * 7) % 23);
    o.inclination = (55.0 + 0.35 * ((prn * 5) % 9 - 4)) * kPi / 180.0; // radians
    o.rate = -(7.75 + 0.02 * ((prn * 3) % 17)) * 1e-9;                 // radians per second
    o.sqrtA = 5153.55 + 0.011 * ((prn * 11) % 29);
    o.rightAscension = std::remainder(-2.9 + plane * (kPi / 3.0) + 0.01 * prn, 2 * kPi);
    o.perigee = std::remainder(0.4 + 1.3 * prn, 2 * kPi);
    o.meanAnomaly = std::remainder(inPlane * (2 * kPi / 6.0) + plane * 0.5, 2 * kPi);
    o.af0 = ((prn * 37) % 101 - 50) * 1.1e-5;
    o.af1 = ((prn * 13) % 7 - 3) * 3.6e-12;
    o.health = prn == 6 ? 63 : 0;
    return o;
}

// The almanac's reference: this week's TOA (a multiple of 4096 s) and the week itself.
struct Reference {
    long week;
    long toa;
    long timeOfWeek;
};

Reference reference() {
    const long long t = gpsNow();
    Reference r{};
    r.week = static_cast<long>(t / 604800);
    r.timeOfWeek = static_cast<long>(t % 604800);
    r.toa = (r.timeOfWeek / 4096) * 4096;
    return r;
}

std::string gpsPayload(int prn) {
    const GpsOrbit o = gpsOrbit(prn);
    const Reference ref = reference();
    std::string p;
    putBe(p, static_cast<std::uint64_t>(prn - 1), 2);
    putBe(p, static_cast<std::uint64_t>(o.health), 2);
    putFloat(p, o.eccentricity);
    putBe(p, static_cast<std::uint64_t>(ref.toa), 4);
    putFloat(p, o.inclination / kPi); // semicircles
    putFloat(p, o.rate / kPi);
    putDouble(p, o.sqrtA);
    putDouble(p, o.rightAscension / kPi);
    putDouble(p, o.perigee / kPi);
    putDouble(p, o.meanAnomaly / kPi);
    putFloat(p, o.af0);
    putFloat(p, o.af1);
    putBe(p, static_cast<std::uint64_t>(ref.week % 256), 2);
    putBe(p, static_cast<std::uint64_t>(ref.week), 2);
    putBe(p, static_cast<std::uint64_t>(ref.timeOfWeek), 4);
    return p;
}

// The GLONASS record of orbital slot `slot`: three planes of eight, day number of today in
// its four-year cycle.
std::string glonassRecord(int slot) {
    const long long day = gpsNow() / 86400; // days since the GPS epoch
    const long long base = ((day + 5) / 1461) * 1461 - 6;
    const int plane = (slot - 1) / 8;
    const int inPlane = (slot - 1) % 8;
    std::string r;
    putBe(r, static_cast<std::uint64_t>(slot), 2);     // SV number
    putBe(r, slot == 11 ? 0 : 1, 2);                   // health flag
    putFloat(r, 0.0004 + 0.00011 * ((slot * 5) % 13)); // eccentricity
    putBe(r, static_cast<std::uint64_t>(day - base), 4);
    putFloat(r, 0.0105 + 0.0002 * ((slot * 3) % 7 - 3)); // inclination correction
    putFloat(r, std::remainder(-0.8 + plane * (2.0 / 3.0) - 0.01 * slot, 2.0)); // longitude
    putFloat(r, 2700.0 * inPlane + 937.5 * plane + 0.03125 * slot);             // node passage, s
    putFloat(r, std::remainder(0.1 + 0.27 * slot, 2.0));   // argument of perigee
    putFloat(r, -2655.5 + 0.0625 * ((slot * 7) % 11 - 5)); // period correction
    putFloat(r, 0.0);
    putFloat(r, ((slot * 29) % 41 - 20) * 2.5e-6); // clock correction
    return r;
}

// Payload and sum with no CR LF pair, which would cut the line: the least significant byte of
// the field at `spare` is nudged until none is left.
std::string sealed(std::string payload, std::size_t spare) {
    for (int tweak = 0; tweak < 256; ++tweak) {
        std::string out = payload;
        putBe(out, wordSum(payload), 2);
        if (out.find("\r\n") == std::string::npos)
            return out;
        payload[spare] = static_cast<char>(static_cast<unsigned char>(payload[spare]) + 1);
    }
    return payload;
}

} // namespace

std::string gpsAlmanacAnswer(int prn, bool garbage) {
    if (garbage)
        return salAnswer(prn);
    return "$PXKTR,SAL," + sealed(gpsPayload(prn), 27) + "\r\n";
}

std::string glonassAlmanacAnswer(int slot, bool garbage) {
    if (garbage)
        return sagAnswer(slot);
    std::string p;
    putBe(p, static_cast<std::uint64_t>(slot), 2);
    p += glonassRecord(slot);
    return "$PXKTR,SAG," + sealed(p, 41) + "\r\n";
}

std::string almanacSegment(bool garbage) {
    if (garbage)
        return segmentAnswer();
    std::string table;
    for (int prn = 1; prn <= 32; ++prn) {
        const std::string p = gpsPayload(prn);
        std::string r = p.substr(4, 16); // eccentricity .. rate
        r += p.substr(2, 2);             // health
        r += p.substr(20, 40);           // four doubles, af0, af1
        r += std::string("\x00\x01", 2); // receiver word
        r += p.substr(60, 8);            // almanac week, week, time of week
        r += std::string("\x00\x01", 2); // receiver word
        table += r;
    }
    std::string out(1, '\x04');
    out += table;
    putBe(out, wordSum(table), 2);
    return out;
}

std::string rawAlmanacOutput(std::string_view setting, char port, bool garbage) {
    // "$PXKTS,RAW,<msg>,<port>,ON"
    const std::string_view prefix = "$PXKTS,RAW,";
    if (setting.substr(0, prefix.size()) != prefix)
        return {};
    setting.remove_prefix(prefix.size());
    if (setting.size() != 9 || setting[3] != ',' || setting[4] != port ||
        setting.substr(5) != ",ON")
        return {};
    std::string out;
    if (setting.substr(0, 3) == "SAL") {
        for (int prn = 1; prn <= 32; ++prn)
            out += gpsAlmanacAnswer(prn, garbage);
    } else if (setting.substr(0, 3) == "SAG") {
        for (int slot = 1; slot <= 24; ++slot)
            out += glonassAlmanacAnswer(slot, garbage);
    }
    return out;
}

} // namespace rxsim
