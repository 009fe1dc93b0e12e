#include "logs/static_position.h"

#include "base/strings.h"
#include "base/text.h"

namespace trix::logs {

const char* validateStaticPosition(const StaticPositionInput& in) {
    if (!inRange(in.outlierLimit, 0.0, 10000.0))
        return str::kOutlierLimitRange;
    if (!inRange(in.ring1, 0.00001, 10000.0))
        return str::kRing1Range;
    if (!inRange(in.ring2, 0.00001, 10000.0))
        return str::kRing2Range;
    if (in.ring1 > in.ring2)
        return str::kRingOrder;
    if (in.mode == ReferenceMode::VsTruth && !inRange(in.altitude, -100000.0, 100000.0))
        return str::kAltitudeRange;
    return nullptr;
}

double coordinateFromFields(int format, double degrees, double minutes, double seconds) {
    double v = degrees;
    if (format >= 1)
        v += minutes / 60.0;
    if (format >= 2)
        v += seconds / 3600.0;
    return v == 0.0 ? 0.000001 : v;
}

} // namespace trix::logs
