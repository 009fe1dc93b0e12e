#pragma once
// The adaptive scales of the instruments: the horizontal-speed and vertical-speed full scales
// that step through a table and double or halve beyond it, and the altimeter decade.

#include <array>

namespace trix::views {

using ScaleTable = std::array<int, 5>;

inline constexpr ScaleTable kLandAirSpeedScales{10, 50, 100, 500, 1000};
inline constexpr ScaleTable kNauticalSpeedScales{8, 40, 160, 560, 1600};
inline constexpr ScaleTable kVerticalSpeedScales{8, 40, 100, 400, 1000};

// A full scale with its position in its table (positions beyond 4 are doublings).
struct StepScale {
    int full = 0;
    int position = 0;
};

StepScale firstScale(const ScaleTable& table);
// One step up: the next entry, or double beyond the table.
void stepUp(StepScale& s, const ScaleTable& table);
// One step down: halve beyond the table, the entry within it; never below position 0.
void stepDown(StepScale& s, const ScaleTable& table);
// Steps down while v < full / divisor (and a step is possible), then up while v > full.
void adapt(StepScale& s, const ScaleTable& table, int v, int divisor);

struct Altimeter {
    int decade = 10;   // P: the smallest power of ten above A, at least 10
    int absolute = 0;  // A
    int remainder = 0; // A mod (P / 10)
};

Altimeter altimeterFor(double altitude);

struct ScaleState {
    StepScale speed = firstScale(kLandAirSpeedScales);
    StepScale vertical = firstScale(kVerticalSpeedScales);
    Altimeter altimeter;
};

const ScaleTable& speedTable(int vehicle);
// The divisor of the step-down rule: 8 nautical, 10 otherwise.
int speedDivisor(int vehicle);

// v = trunc(|value|) + 1 as the scales compare it, saturated so that huge or broken values
// cannot overflow.
int scaleValue(double value);

// The epoch's speeds and altitude applied to the scales.
void adaptScales(ScaleState& s, int vehicle, double speed, double verticalSpeed, double altitude);

} // namespace trix::views
