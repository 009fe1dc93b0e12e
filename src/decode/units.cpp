#include "decode/units.h"

namespace trix {

namespace {
template <std::size_t N> const Unit& pick(const std::array<Unit, N>& table, int index) {
    if (index < 0)
        index = 0;
    if (index >= static_cast<int>(N))
        index = static_cast<int>(N) - 1;
    return table[static_cast<std::size_t>(index)];
}
} // namespace

const Unit& distanceUnit(int index) {
    return pick(kDistanceUnits, index);
}
const Unit& altitudeUnit(int index) {
    return pick(kAltitudeUnits, index);
}
const Unit& speedUnit(int index) {
    return pick(kSpeedUnits, index);
}
const Unit& verticalSpeedUnit(int index) {
    return pick(kVerticalSpeedUnits, index);
}

} // namespace trix
