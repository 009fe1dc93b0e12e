#pragma once
// The plain value records of one epoch. They own no memory and are copied by value into
// the history arrays.

#include <array>
#include <cstdint>

namespace trix {

inline constexpr int kMaxSats = 28;

struct PositionRecord {
    std::uint8_t fixMode =
        0; // 0 autonomous, 1 differential, 2 RTCM, 3 float RTK, 4 fixed RTK, 5 raw
    std::uint8_t usedSats = 0;
    double utcTime = 0.0;  // hhmmss.ss
    double latitude = 0.0; // decimal degrees, not negative
    char latHemisphere = 0;
    double longitude = 0.0;
    char lonHemisphere = 0;
    float altitude = 0.0f; // display altitude unit
    float course = 0.0f;
    float speed = 0.0f;            // display speed unit
    float verticalVelocity = 0.0f; // display vertical-speed unit
    float pdop = 0.0f;
    float hdop = 0.0f;
    float vdop = 0.0f;
    float tdop = 0.0f;
    float diffAge = 0.0f;
};

// Texts the position window shows for a fix mode.
const char* fixModeText(int fixMode);

struct SatEntry {
    std::uint8_t svNumber = 0; // 0 marks an empty entry
    std::uint16_t azimuth = 0;
    std::uint8_t elevation = 0;
    std::uint8_t snr = 0;
    std::uint8_t snr2 = 0;
    char usedFlag = '-';
};

enum ConstellationBit : std::uint8_t { kGps = 1, kGlonass = 2, kSbas = 4 };

struct SatelliteRecord {
    std::uint8_t inView = 0;
    std::uint8_t constellations = 0;
    std::array<SatEntry, kMaxSats> sats{};
};

// Constellation bit of a satellite number; numbering differs for model indices 15 and 16.
std::uint8_t constellationBit(int svNumber, int modelIndex);

struct AntennaRecord {
    std::uint8_t count = 0;
    struct Pair {
        std::uint8_t svNumber = 0;
        std::uint8_t snr = 0;
    };
    std::array<Pair, kMaxSats> sats{};
};

struct AttitudeRecord {
    float heading = 0.0f;
    float pitch = 0.0f;
    float roll = 0.0f;
    float mrms = 0.0f;
    float brms = 0.0f;
    std::uint8_t resetFlag = 0; // 0: attitude valid
    std::array<std::uint8_t, 3> doubleDiff{};
};

struct DeparturePoint {
    float east = 0.0f;
    float north = 0.0f;
    float up = 0.0f;
};

struct SkyPlotRecord {
    std::uint8_t count = 0;
    struct Point {
        float x = 2.0f;
        float y = 2.0f;
        std::uint8_t svNumber = 0;
    };
    std::array<Point, kMaxSats> points{};
};

// Sky-plot positions on the unit circle centred on (1, 1), north up, east right.
SkyPlotRecord skyPlotFrom(const SatelliteRecord& sat);

// Signed geodetic triple: degrees (south and west negative) and metres.
struct GeoPoint {
    double lat = 0.0;
    double lon = 0.0;
    double alt = 0.0;
};

} // namespace trix
