#include "views/instruments/scales.h"

#include <cmath>

namespace trix::views {

namespace {
constexpr int kTableSize = static_cast<int>(ScaleTable{}.size());
// Larger values are treated as this one: the scale still ends above them and no doubling
// overflows an int.
constexpr int kLargestValue = 1'000'000'000;
} // namespace

StepScale firstScale(const ScaleTable& table) {
    return {table[0], 0};
}

void stepUp(StepScale& s, const ScaleTable& table) {
    ++s.position;
    s.full = s.position < kTableSize ? table[s.position] : s.full * 2;
}

void stepDown(StepScale& s, const ScaleTable& table) {
    if (s.position <= 0)
        return;
    --s.position;
    s.full = s.position < kTableSize ? table[s.position] : s.full / 2;
}

void adapt(StepScale& s, const ScaleTable& table, int v, int divisor) {
    while (s.position > 0 && v < s.full / divisor)
        stepDown(s, table);
    while (v > s.full)
        stepUp(s, table);
}

int scaleValue(double value) {
    if (!std::isfinite(value))
        return std::isnan(value) ? 1 : kLargestValue;
    const double t = std::trunc(std::fabs(value));
    if (t >= kLargestValue - 1)
        return kLargestValue;
    return static_cast<int>(t) + 1;
}

Altimeter altimeterFor(double altitude) {
    Altimeter a;
    const double t = std::isfinite(altitude) ? std::fabs(std::trunc(altitude)) : kLargestValue;
    a.absolute = t >= kLargestValue ? kLargestValue - 1 : static_cast<int>(t);
    while (a.absolute / a.decade > 0)
        a.decade *= 10;
    a.remainder = a.absolute % (a.decade / 10);
    return a;
}

const ScaleTable& speedTable(int vehicle) {
    return vehicle == 2 ? kNauticalSpeedScales : kLandAirSpeedScales;
}

int speedDivisor(int vehicle) {
    return vehicle == 2 ? 8 : 10;
}

void adaptScales(ScaleState& s, int vehicle, double speed, double verticalSpeed, double altitude) {
    // The speed value is trunc(speed) + 1 for the scale; speeds are not negative, but a
    // broken one must not drive the scale below zero.
    adapt(s.speed, speedTable(vehicle), scaleValue(speed), speedDivisor(vehicle));
    adapt(s.vertical, kVerticalSpeedScales, scaleValue(verticalSpeed), 4);
    s.altimeter = altimeterFor(altitude);
}

} // namespace trix::views
