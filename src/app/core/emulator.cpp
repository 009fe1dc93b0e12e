#include "app/core/emulator.h"

#include "base/text.h"

#include <cmath>
#include <cstdlib>
#include <memory>
#include <numbers>
#include <random>

namespace trix::app {

const std::array<MotionLimits, 3> kMotionLimits{{
    // speed, vertical speed, heading offset, pitch, roll
    {{90, 1}, {3, 1}, {10, 1}, {15, 1}, {10, 1}},      // Automobile
    {{990, 10}, {990, 10}, {30, 1}, {60, 3}, {90, 5}}, // Aeronautical
    {{35, 1}, {3, 1}, {10, 1}, {15, 1}, {35, 1}},      // Nautical
}};

const MotionLimits& motionLimits(int vehicleType) {
    if (vehicleType < 0 || vehicleType >= static_cast<int>(kMotionLimits.size()))
        vehicleType = 0;
    return kMotionLimits[static_cast<std::size_t>(vehicleType)];
}

RandomSource defaultRandomSource(unsigned seed) {
    auto engine = std::make_shared<std::mt19937>(seed);
    return [engine] { return static_cast<int>((*engine)() % 32768u); };
}

namespace {

// The new step has the opposite sign of the old one and the table's step as its size.
int reversed(int step, int size) {
    return step > 0 ? -size : size;
}

void splitDegrees(double value, int& degrees, double& minutes) {
    degrees = static_cast<int>(value);
    minutes = (value - degrees) * 60.0;
    // Minutes that would print as 60.00000 are carried into the degrees, so the sentence never
    // holds an impossible minute value.
    if (std::round(minutes * 1e5) >= 60.0 * 1e5) {
        ++degrees;
        minutes = 0.0;
    }
}

} // namespace

std::string withChecksum(std::string_view body) {
    unsigned sum = 0;
    for (std::size_t i = 1; i < body.size(); ++i)
        sum ^= static_cast<unsigned char>(body[i]);
    return std::string(body) + cformat("*%02x", sum);
}

Emulator::Emulator(int vehicleType, RandomSource random) : random_(std::move(random)) {
    resetMotion(vehicleType);
}

void Emulator::resetMotion(int vehicleType) {
    vehicle_ = vehicleType;
    const MotionLimits& m = motionLimits(vehicleType);
    speed_ = verticalSpeed_ = headingOffset_ = pitch_ = roll_ = 0;
    speedStep_ = m.speed.step;
    verticalStep_ = m.verticalSpeed.step;
    headingStep_ = m.headingOffset.step;
    pitchStep_ = m.pitch.step;
    rollStep_ = m.roll.step;
}

double Emulator::random(double low, double high) {
    int r = random_ ? random_() : 0;
    return low + r * (high - low) / 32767.0;
}

void Emulator::tick(const EmulationInputs& in, const std::function<void(std::string_view)>& feed,
                    const std::function<std::array<int, 3>()>& currentPrns) {
    feed(attitudeSentence(in));
    feed(positionSentence(in));
    feed(satellitesSentence());
    for (int n = 1; n <= 4; ++n)
        feed(antennaSentence(n, currentPrns ? currentPrns() : std::array<int, 3>{}));
}

std::string Emulator::attitudeSentence(const EmulationInputs& in) {
    const MotionLimits& m = motionLimits(vehicle_);
    attitudeTime_ += 1.0f;
    int resetFlag = 0;
    if (++resetCounter_ >= 10) {
        resetCounter_ = 0;
        resetFlag = 1;
    }
    double pitch = 0.0;
    double roll = 0.0;
    if (in.analysisActive) {
        heading_ = random(-5.0, 5.0);
        if (heading_ < 0.0)
            heading_ += 360.0;
        pitch = random(-3.0, 3.0);
        roll = random(-4.0, 4.0);
    } else {
        auto swing = [](int& value, int& step, const MotionLimit& lim) {
            value += step;
            if (std::abs(value) >= lim.limit)
                step = reversed(step, lim.step);
        };
        swing(headingOffset_, headingStep_, m.headingOffset);
        swing(pitch_, pitchStep_, m.pitch);
        swing(roll_, rollStep_, m.roll);
        course_ += 5;
        if (course_ > 359)
            course_ = 0;
        int h = course_ + headingOffset_;
        if (h < 0)
            h += 360;
        else if (h > 360)
            h -= 360;
        heading_ = h;
        pitch = pitch_;
        roll = roll_;
    }
    int d1 = static_cast<int>(random(4.0, 9.0));
    int d2 = static_cast<int>(random(4.0, 9.0));
    int d3 = static_cast<int>(random(4.0, 9.0));
    return withChecksum(cformat("$PXKTR,AT2,%.1f,%06.2f,%+07.2f,%+07.2f,0.0027,0.0103,%d,00,"
                                "%d.%d%d%d,02.5",
                                static_cast<double>(attitudeTime_), heading_, pitch, roll,
                                resetFlag, resetFlag, d1, d2, d3));
}

std::string Emulator::positionSentence(const EmulationInputs& in) {
    const MotionLimits& m = motionLimits(vehicle_);
    speed_ += speedStep_;
    if (speed_ >= m.speed.limit || speed_ <= 0)
        speedStep_ = reversed(speedStep_, m.speed.step);
    verticalSpeed_ += verticalStep_;
    if (std::abs(verticalSpeed_) > m.verticalSpeed.limit)
        verticalStep_ = reversed(verticalStep_, m.verticalSpeed.step);

    double baseLat = kBaseLatitude, baseLon = kBaseLongitude, baseAlt = kBaseAltitude;
    if (in.analysisActive) {
        if (in.truthReference) {
            baseLat = in.knownLat;
            baseLon = in.knownLon;
            baseAlt = in.knownAlt;
        }
        latOffset_ = random(-0.000003, 0.000003);
        lonOffset_ = random(-0.000003, 0.000003);
        altOffset_ = random(-10.0, 10.0);
    } else {
        double c = course_ * std::numbers::pi / 180.0;
        latOffset_ += std::cos(c) * speed_ / 216000.0;
        lonOffset_ += std::sin(c) * speed_ / 216000.0;
        altOffset_ += verticalSpeed_ * 0.1;
    }
    lat_ = baseLat + latOffset_;
    lon_ = baseLon + lonOffset_;
    alt_ = baseAlt + altOffset_;
    if (std::abs(lat_) > 90.0 || std::abs(lon_) > 180.0) {
        latOffset_ = lonOffset_ = 0.0;
        // The next epoch starts again at the base; this one must still be a valid position.
        lat_ = baseLat;
        lon_ = baseLon;
    }
    if (std::abs(alt_) > 30000.0) {
        altOffset_ = 0.0;
        alt_ = baseAlt;
    }

    int latDeg = 0, lonDeg = 0;
    double latMin = 0.0, lonMin = 0.0;
    splitDegrees(std::abs(lat_), latDeg, latMin);
    splitDegrees(std::abs(lon_), lonDeg, lonMin);
    return withChecksum(cformat(
        "$PXKTR,POS,0,%d,%02d%02d%02d,%02d%08.5lf,%c,%03d%08.5lf,%c,%.2lf,,%d,%d,%d,1.2,1.3,1.2,"
        "0.3,C100",
        3, in.localTime.hours, in.localTime.minutes, in.localTime.seconds, latDeg, latMin,
        lat_ < 0.0 ? 'S' : 'N', lonDeg, lonMin, lon_ > 0.0 ? 'E' : 'W', alt_, course_, speed_,
        verticalSpeed_));
}

int Emulator::nextPrn(std::size_t slot) {
    int prn = lastPrn_;
    for (int tries = 0; tries < 200; ++tries) {
        prn = prn + 1 > 200 ? 1 : prn + 1;
        bool held = false;
        for (std::size_t i = 0; i < slots_.size(); ++i)
            held = held || (i != slot && slots_[i].prn == prn);
        if (!held)
            break;
    }
    lastPrn_ = prn;
    return prn;
}

std::string Emulator::satellitesSentence() {
    std::string s = "$PXKTR,SAT,3";
    for (std::size_t i = 0; i < slots_.size(); ++i) {
        SatelliteSlot& sl = slots_[i];
        sl.elevation += sl.azimuth < 180 ? -1 : 1;
        if (sl.elevation < 0) {
            sl.prn = nextPrn(i);
            sl.elevation = 0;
            sl.azimuth += 180;
        }
        if (sl.elevation > 90) {
            sl.elevation = 90;
            sl.azimuth -= 180;
        }
        if (++sl.azimuth > 359)
            sl.azimuth = 0;
        s += cformat(",%d,%d,%d,30,U", sl.prn, sl.azimuth, sl.elevation);
    }
    return withChecksum(s);
}

std::string Emulator::antennaSentence(int antenna, const std::array<int, 3>& prns) {
    std::string s = cformat("$PXKTR,SA4,%d,%d", antenna, 3);
    for (int prn : prns)
        s += cformat(",%02d,%02d", prn, static_cast<int>(random(0.0, 99.0)));
    return withChecksum(s);
}

} // namespace trix::app
