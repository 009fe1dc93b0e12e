#pragma once
// The checks of the "Static Position Data" dialog on OK, and how its degree, minute and second
// fields become a coordinate.

#include "logs/statistics.h"

namespace trix::logs {

// Values as entered, in metres (the dialog converts from the display units).
struct StaticPositionInput {
    ReferenceMode mode = ReferenceMode::AverageOverTime;
    double outlierLimit = 0.0;
    double ring1 = 1.0;
    double ring2 = 2.0;
    double altitude = 0.0;
};

// nullptr when the values are accepted, else the message of the first check that fails.
const char* validateStaticPosition(const StaticPositionInput& input);

// Degrees from the fields the coordinate format shows (format 0: degrees; 1: degrees and
// minutes; 2: degrees, minutes and seconds). A result of exactly 0 is stored as 0.000001.
double coordinateFromFields(int format, double degrees, double minutes, double seconds);

} // namespace trix::logs
