#pragma once
// Time of day, angle conversion, departure and coordinate texts.

#include "decode/records.h"

#include <string>

namespace trix {

struct TimeParts {
    int hours = 0;
    int minutes = 0;
    double seconds = 0.0;
};

// hhmmss.ss into its parts (hours and minutes truncated).
TimeParts splitTime(double t);

// Seconds from the earlier time t0 to the later time t1, allowing one midnight rollover.
double timeDifference(double t1, double t0);

// ddmm.mmmm or dddmm.mmmm into decimal degrees.
double ddmmToDegrees(double x);

struct Departure {
    DeparturePoint dep;
    double horizontalSquared = 0.0; // east² + north²
};

Departure computeDeparture(const GeoPoint& reference, const GeoPoint& current);

// The three display formats of latitude/longitude, indexed by the coordinate-format setting.
// The degree sign is written in UTF-8.
std::string formatLatitude(double signedLatitude, int format);
std::string formatLongitude(double signedLongitude, int format);

} // namespace trix
