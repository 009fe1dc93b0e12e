#pragma once
// What the RTK window shows: one snapshot of the receiver's carrier-phase differential state
// and its periodic solution.

#include <array>
#include <string>

namespace trix::rtk {

inline constexpr int kValueCount = 21;
// The time that means "no time yet".
inline constexpr double kNoTime = 235960.1;
// The history and the scatter points hold at most this many entries.
inline constexpr std::size_t kHistoryCapacity = 65536;

// Named values of the snapshot.
enum Value : int {
    UsedSatellites = 0,
    Component1 = 1, // latitude (degrees, CBN) or vector component 1 (m, VEC)
    Component2 = 2,
    Component3 = 3,
    Rms1 = 4,
    Rms2 = 5,
    Rms3 = 6,
    VelocityX = 7,
    VelocityY = 8,
    VelocityZ = 9,
    VelocityRmsX = 10,
    VelocityRmsY = 11,
    VelocityRmsZ = 12,
    Latency = 13,
    BaseSatellites = 14,
    RoverSatellites = 15,
    Residual = 16,
    LinkQuality = 17,
    BaseAge = 18,
    Ambiguity = 19,
    BasePosition = 20,
};

struct ValueEntry {
    double value = 0.0;
    std::string unit;
    std::string code; // the answer that last set it; empty when never set
};

enum Warning : int { BaseL1 = 0, RoverL1 = 1, BaseL2 = 2, RoverL2 = 3 };

struct RtkData {
    int mode = 0; // 0 Off, 1 Base, 2 Rover, 3 RVP Rover, 4 RVP Base
    double utcTime = kNoTime;
    double running = 0.0; // utcTime on the running clock, when utcTime is a time
    std::string timeCode;
    std::array<bool, 4> warnings{};
    char linkSign = ' ';
    char latHemisphere = ' ';
    char lonHemisphere = ' ';
    std::array<ValueEntry, kValueCount> values = initialValues();
    int line = 0; // the line that made this a history record

    bool hasTime() const { return utcTime < 235960.0; }

    static std::array<ValueEntry, kValueCount> initialValues() {
        std::array<ValueEntry, kValueCount> v{};
        v[Latency].value = 999.0;
        v[BaseAge].value = 999.0;
        v[BasePosition].value = -1.0;
        return v;
    }
};

// Where a scatter point comes from: VEC gives east, north, up in metres; CBN gives latitude
// and longitude in degrees and the altitude in metres.
enum class PointKind { Metres, Degrees };

struct ScatterPoint {
    double a = 0.0;
    double b = 0.0;
    double c = 0.0;
    PointKind kind = PointKind::Metres;
};

} // namespace trix::rtk
