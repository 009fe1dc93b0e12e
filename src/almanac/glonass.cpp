#include "almanac/glonass.h"

#include "almanac/calendar.h"

#include <cfloat>
#include <cmath>

namespace trix::almanac {
namespace {
constexpr double kPi = 3.141592653589793;
constexpr double kEarthRotation = 2.3211523423851732e-5; // semicircles per second
constexpr double kNodalFactor = -6.430041152263374e-7;
constexpr double kMu = 398600.44; // km^3/s^2
constexpr double kEarthRadius = 6378136.0;
} // namespace

bool fitsSingle(double v) {
    return v >= -static_cast<double>(FLT_MAX) && v <= static_cast<double>(FLT_MAX);
}

double normalizeSemicircles(double v) {
    if (!std::isfinite(v))
        return v;
    // fmod is exact, and so is each single correction by 2 (Sterbenz); stepping by 2 is
    // exact as long as it ends, so both give the one value of v - 2k in (-1, 1].
    double r = std::fmod(v, 2.0);
    if (r > 1.0)
        r -= 2.0;
    else if (r <= -1.0)
        r += 2.0;
    // Stepping up from an even negative value ends at +0, never at -0.
    if (r == 0.0 && v <= -1.0)
        r = 0.0;
    return r;
}

KeplerAlmanac glonassToKepler(const GlonassAlmanac& g, double base) {
    KeplerAlmanac k;
    if (g.day == 0)
        return k;
    const double t = (g.day + base) * 86400.0 + g.nodeTime - 10800.0;
    const double week = std::floor(t / 604800.0);
    const double s = std::fmod(t, 604800.0);
    k.toa = saturateInt(s);
    const double n = (2 * kPi) / (43200.0 + g.periodCorrection);
    const double a = std::pow(kMu / (n * n), 1.0 / 3.0);
    k.sqrtA = std::sqrt(1000.0 * a);
    k.inclination = static_cast<float>(g.inclinationCorrection + 0.35);
    const double bigA = k.sqrtA * k.sqrtA;
    k.rate = static_cast<float>(std::pow(kEarthRadius / bigA, 3.5) * std::cos(k.inclination * kPi) *
                                kNodalFactor);
    k.rightAscension = normalizeSemicircles(g.longitude + s * kEarthRotation);
    const double e = g.eccentricity;
    const double nu = -g.perigee * kPi;
    const double d = 1.0 + e * std::cos(nu);
    const double cosE = (e + std::cos(nu)) / d;
    const double sinE = std::sqrt(1.0 - e * e) * std::sin(nu) / d;
    double bigE = std::atan(sinE / cosE);
    if (cosE < 0)
        bigE += kPi;
    k.meanAnomaly = normalizeSemicircles((bigE - e * sinE) / kPi);
    k.perigee = normalizeSemicircles(g.perigee);
    k.eccentricity = g.eccentricity;
    k.af0 = -g.clock;
    k.af1 = 0;
    k.health = g.healthFlag == 1 ? 0 : 1;
    k.word58 = static_cast<std::uint16_t>(k.health);
    const std::int16_t w = saturateShort(week);
    k.week = w;
    k.weekMod = static_cast<std::uint16_t>(w);
    k.timeOfWeek = 0;
    k.word68 = 0;
    return k;
}

std::optional<GlonassFromText> keplerToGlonass(const KeplerAlmanac& k) {
    if (k.week == 0 && k.toa == 0)
        return std::nullopt;
    const double t = k.week * 604800.0 + k.toa + 10800.0;
    const double day = std::floor(t / 86400.0);
    GlonassFromText out;
    out.base = cycleBaseOfDay(day);
    GlonassAlmanac& g = out.record;
    g.day = saturateInt(day - out.base);
    g.nodeTime = static_cast<float>(std::fmod(t, 86400.0));
    const double dincl = k.inclination - 0.35;
    const double lon = normalizeSemicircles(k.rightAscension - k.toa * kEarthRotation);
    const double a = k.sqrtA * k.sqrtA * 0.001;
    const double dT = (2 * kPi) / std::sqrt(kMu / (a * a * a)) - 43200.0;
    if (!fitsSingle(dincl) || !fitsSingle(lon) || !fitsSingle(dT) || !fitsSingle(k.perigee))
        return std::nullopt;
    g.inclinationCorrection = static_cast<float>(dincl);
    g.longitude = static_cast<float>(lon);
    g.periodCorrection = static_cast<float>(dT);
    g.perigee = static_cast<float>(normalizeSemicircles(static_cast<float>(k.perigee)));
    g.sv = k.word58;
    g.healthFlag = k.health == 0 ? 1 : 0;
    g.clock = -k.af0;
    g.eccentricity = k.eccentricity;
    g.spare = 0;
    return out;
}

} // namespace trix::almanac
