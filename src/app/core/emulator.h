#pragma once
// The emulated four-antenna attitude receiver: once a second it synthesises one complete
// epoch as proprietary sentences, driving a vehicle in circles whose speed, climb, heading,
// pitch and roll swing between the limits of the vehicle type. During an analysis the vehicle
// stands still and its position scatters around a base.

#include <array>
#include <functional>
#include <string>
#include <string_view>

namespace trix::app {

enum class VehicleType { Automobile = 0, Aeronautical = 1, Nautical = 2 };

struct MotionLimit {
    int limit;
    int step;
};

struct MotionLimits {
    MotionLimit speed;         // knots, between 0 and the limit
    MotionLimit verticalSpeed; // dm/s, between minus and plus the limit
    MotionLimit headingOffset; // degrees
    MotionLimit pitch;
    MotionLimit roll;
};

extern const std::array<MotionLimits, 3> kMotionLimits;
// Out-of-range vehicle indices use the Automobile row.
const MotionLimits& motionLimits(int vehicleType);

inline constexpr double kBaseLatitude = 37.37313217;
inline constexpr double kBaseLongitude = -121.9975453;
inline constexpr double kBaseAltitude = -5.0;

// Uniform random integers 0 … 32767.
using RandomSource = std::function<int()>;
RandomSource defaultRandomSource(unsigned seed);

struct ClockTime {
    int hours = 0, minutes = 0, seconds = 0;
};

struct EmulationInputs {
    bool analysisActive = false;
    bool truthReference = false; // "Analysis Way" against the known position
    double knownLat = 0.0, knownLon = 0.0, knownAlt = 0.0;
    ClockTime localTime;
};

struct SatelliteSlot {
    int prn = 0;
    int azimuth = 0;
    int elevation = 0;
};

class Emulator {
public:
    explicit Emulator(int vehicleType = 0, RandomSource random = defaultRandomSource(1));

    // Speed, vertical speed, heading offset, pitch and roll return to 0 and every step to the
    // table's step of the vehicle type.
    void resetMotion(int vehicleType);

    // One epoch: the attitude, position and satellites sentences, then the four per-antenna
    // sentences, each handed to `feed` in this order. `currentPrns` is asked for the PRNs of
    // the decoder's satellite entries 1 to 3 after the satellites sentence has been fed (0
    // where there is none).
    void tick(const EmulationInputs& in, const std::function<void(std::string_view)>& feed,
              const std::function<std::array<int, 3>()>& currentPrns);

    // The steps of one tick, in the order tick() runs them.
    std::string attitudeSentence(const EmulationInputs& in);
    std::string positionSentence(const EmulationInputs& in);
    std::string satellitesSentence();
    std::string antennaSentence(int antenna, const std::array<int, 3>& prns);

    // State, for the windows and the tests.
    int course() const { return course_; }
    int speed() const { return speed_; }
    int verticalSpeed() const { return verticalSpeed_; }
    int headingOffset() const { return headingOffset_; }
    int pitch() const { return pitch_; }
    int roll() const { return roll_; }
    double heading() const { return heading_; }
    double latitude() const { return lat_; }
    double longitude() const { return lon_; }
    double altitude() const { return alt_; }
    const std::array<SatelliteSlot, 3>& satelliteSlots() const { return slots_; }
    int lastPrn() const { return lastPrn_; }
    void setSlot(int i, SatelliteSlot s) { slots_[static_cast<std::size_t>(i)] = s; }
    void setLastPrn(int prn) { lastPrn_ = prn; }

private:
    double random(double low, double high);
    int nextPrn(std::size_t slot);

    RandomSource random_;
    int vehicle_ = 0;
    int course_ = 0;
    int speed_ = 0, speedStep_ = 0;
    int verticalSpeed_ = 0, verticalStep_ = 0;
    int headingOffset_ = 0, headingStep_ = 0;
    int pitch_ = 0, pitchStep_ = 0;
    int roll_ = 0, rollStep_ = 0;
    double heading_ = 0.0;
    double latOffset_ = 0.0, lonOffset_ = 0.0, altOffset_ = 0.0;
    double lat_ = kBaseLatitude, lon_ = kBaseLongitude, alt_ = kBaseAltitude;
    float attitudeTime_ = 121100.5f;
    int resetCounter_ = 0;
    std::array<SatelliteSlot, 3> slots_{{{1, 0, 10}, {2, 120, 40}, {3, 240, 80}}};
    int lastPrn_ = 3;
};

// Appends "*" and the two lower-case hex digits of the XOR of every character after the first.
std::string withChecksum(std::string_view body);

} // namespace trix::app
