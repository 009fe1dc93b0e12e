#pragma once
// The almanac records as the receiver stores them (big-endian, fixed layout) and the common
// Kepler form in host byte order from which listings are made.

#include <array>
#include <cstdint>
#include <span>

namespace trix::almanac {

inline constexpr int kGpsSlots = 32;
inline constexpr int kGlonassSlots = 24;
inline constexpr std::size_t kGpsRecordSize = 70;
inline constexpr std::size_t kGlonassRecordSize = 40;
inline constexpr std::size_t kGpsTableSize = kGpsSlots * kGpsRecordSize;             // 2240
inline constexpr std::size_t kGlonassTableSize = kGlonassSlots * kGlonassRecordSize; // 960

using GpsBytes = std::array<std::uint8_t, kGpsRecordSize>;
using GlonassBytes = std::array<std::uint8_t, kGlonassRecordSize>;

// A GPS record in host byte order; also the form into which text is parsed and from which the
// 14 listing lines are made. Angles in semicircles.
struct KeplerAlmanac {
    float eccentricity = 0;
    std::int32_t toa = 0; // time of applicability, s of week
    float inclination = 0;
    float rate = 0; // rate of right ascension, semicircles/s
    std::int16_t health = 0;
    double sqrtA = 0;
    double rightAscension = 0;
    double perigee = 0;
    double meanAnomaly = 0;
    float af0 = 0;
    float af1 = 0;
    std::uint16_t word58 = 0;
    std::uint16_t weekMod = 0; // offset 60
    std::int16_t week = 0;     // offset 62
    std::int32_t timeOfWeek = 0;
    std::uint16_t word68 = 0;

    bool present() const { return week != 0 || toa != 0; }
};

// A GLONASS record in host byte order.
struct GlonassAlmanac {
    std::uint16_t sv = 0;
    std::uint16_t healthFlag = 0; // 1 = healthy
    float eccentricity = 0;
    std::int32_t day = 0; // N within the leap cycle, 1 = 1 January of the leap year; 0 = empty
    float inclinationCorrection = 0;
    float longitude = 0;
    float nodeTime = 0; // s within day N, 10800 s ahead of GPS time
    float perigee = 0;
    float periodCorrection = 0;
    float spare = 0;
    float clock = 0;

    bool present() const { return day != 0; }
};

GpsBytes encode(const KeplerAlmanac& k);
KeplerAlmanac decodeGps(std::span<const std::uint8_t, kGpsRecordSize> bytes);
GlonassBytes encode(const GlonassAlmanac& g);
GlonassAlmanac decodeGlonass(std::span<const std::uint8_t, kGlonassRecordSize> bytes);

// 16-bit sum of the big-endian words of `bytes` (an even count), as the receiver seals its
// binary answers.
std::uint16_t wordSum(std::span<const std::uint8_t> bytes);

} // namespace trix::almanac
