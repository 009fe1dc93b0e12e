#include "decode/geo.h"

#include "base/text.h"

#include <cmath>

namespace trix {

TimeParts splitTime(double t) {
    TimeParts p;
    p.hours = static_cast<int>(std::trunc(t * 0.0001));
    p.minutes = static_cast<int>(std::trunc(t * 0.01 - 100.0 * p.hours));
    p.seconds = t - 100.0 * (p.minutes + 100.0 * p.hours);
    return p;
}

double timeDifference(double t1, double t0) {
    TimeParts a = splitTime(t1);
    TimeParts b = splitTime(t0);
    if (a.hours < b.hours)
        a.hours += 24;
    return (3600.0 * a.hours + 60.0 * a.minutes + a.seconds) -
           (3600.0 * b.hours + 60.0 * b.minutes + b.seconds);
}

double ddmmToDegrees(double x) {
    double d = std::floor(x * 0.01);
    return d + (x - 100.0 * d) * 0.016666666666666666;
}

Departure computeDeparture(const GeoPoint& r, const GeoPoint& c) {
    constexpr double kDegToRad = 0.017453292519943295;
    double k = ((r.alt + c.alt) * 0.5 + 6367426.734) * kDegToRad;
    double north = k * (c.lat - r.lat);
    double east = std::cos((r.lat + c.lat) * 0.5 * kDegToRad) * k * (c.lon - r.lon);
    Departure d;
    d.dep.east = static_cast<float>(east);
    d.dep.north = static_cast<float>(north);
    d.dep.up = static_cast<float>(c.alt - r.alt);
    d.horizontalSquared = east * east + north * north;
    return d;
}

namespace {

std::string formatAngle(double value, char letter, int format) {
    double a = std::fabs(value);
    switch (format) {
    case 1: {
        int deg = static_cast<int>(a);
        double minutes = (a - deg) * 60.0;
        // The printed minutes must stay below 60: rounding at the last place must not carry.
        if (minutes >= 59.99999995)
            minutes = 59.9999999;
        return cformat("%3d\u00b0 %010.7lf' %c", deg, minutes, letter);
    }
    case 2: {
        int deg = static_cast<int>(a);
        double m = (a - deg) * 60.0;
        int minutes = static_cast<int>(m);
        double seconds = (m - minutes) * 60.0;
        if (seconds >= 59.9999995)
            seconds = 59.999999;
        return cformat("%3d\u00b0 %02d' %09.6lf\" %c", deg, minutes, seconds, letter);
    }
    default:
        return cformat("%14.10lf\u00b0 %c", a, letter);
    }
}

} // namespace

std::string formatLatitude(double lat, int format) {
    return formatAngle(lat, lat < 0 ? 'S' : 'N', format);
}

std::string formatLongitude(double lon, int format) {
    return formatAngle(lon, lon < 0 ? 'W' : 'E', format);
}

} // namespace trix
