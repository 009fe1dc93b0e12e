#pragma once
// Unit tables. A value is held in its display unit; a factor converts from the base unit.

#include <array>

namespace trix {

struct Unit {
    const char* name;
    double factor;
};

inline constexpr std::array<Unit, 8> kDistanceUnits{{{"n.ml", 0.00053996},
                                                     {"ml", 0.0006215},
                                                     {"km", 0.001},
                                                     {"cb", 0.0053996},
                                                     {"m", 1.0},
                                                     {"ft", 3.28084},
                                                     {"in", 39.37},
                                                     {"cm", 100.0}}};

inline constexpr std::array<Unit, 2> kAltitudeUnits{{{"m", 1.0}, {"ft", 3.28084}}};

// Base unit: knot.
inline constexpr std::array<Unit, 5> kSpeedUnits{{{"knots", 1.0},
                                                  {"mph", 1.1510111860138377},
                                                  {"km/h", 1.851989036225},
                                                  {"m/s", 0.5144412549077972},
                                                  {"ft/s", 1.687799837025051}}};

// Base unit: 0.1 m/s.
inline constexpr std::array<Unit, 5> kVerticalSpeedUnits{
    {{"knots", 0.19438444}, {"mph", 0.22374145}, {"km/h", 0.36}, {"m/s", 0.1}, {"ft/s", 0.328084}}};

// The unit indices in force (settings; defaults are those of a fresh profile).
struct UnitSelection {
    int distance = 4;      // m
    int altitude = 0;      // m
    int speed = 2;         // km/h
    int verticalSpeed = 3; // m/s
    int coordinateFormat = 1;
};

// Index lookups clamp out-of-range indices to the nearest valid one.
const Unit& distanceUnit(int index);
const Unit& altitudeUnit(int index);
const Unit& speedUnit(int index);
const Unit& verticalSpeedUnit(int index);

} // namespace trix
