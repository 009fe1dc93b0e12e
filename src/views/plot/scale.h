#pragma once
// The scale rules of a plot strip: the vertical scale with its tick step and label decimals,
// the tick walk over integer tick indices, the epoch tick step and the time labels.

#include "views/plot/series.h"

#include <string>
#include <vector>

namespace trix::plot {

inline constexpr int kMaxLabelDecimals = 4;

struct VerticalScale {
    bool drawable = false; // false: the series has no valid value, nothing but crosses
    double centre = 0.0;
    double pixelsPerUnit = 0.0; // 0 for a constant series
    double majorStep = 0.0;
    double tickStep = 0.0; // 0: no ticks (constant series or a step too small)
    int decimals = 0;
};

// The scale of a series from its maximum and minimum for a strip `stripHeight` pixels high.
VerticalScale verticalScale(double hi, double lo, int stripHeight);
VerticalScale verticalScale(const Series& s, int stripHeight);

// A value's label in the scale's format ("%-.Nf"); a constant series shows up to four
// decimals with trailing zeros trimmed.
std::string valueLabel(const VerticalScale& scale, double value);

struct Tick {
    double value;
    bool major; // every fifth tick: a longer tick and a label
};
// The ticks whose values lie between `low` and `high` (the values at the strip's edges),
// walked by integer tick index so that nothing drifts; bounded by the strip.
std::vector<Tick> ticks(const VerticalScale& scale, double low, double high);

// The epoch tick step: three average character widths over the pixels per epoch, at least 1.
int epochTickStep(double charWidth, double pixelsPerEpoch);
// The step of the time labels: 1 for up to 4 shown epochs, 2 for 5, else 5 × the tick step.
int timeLabelStep(int shownEpochs, int tickStep);

// The time labels of a run of epochs: the first in full, then with the unchanged hour or hour
// and minute left out.
class TimeLabeler {
public:
    std::string next(const ClockTime& t);

private:
    bool first_ = true;
    int hours_ = -1;
    int minutes_ = -1;
};

// The status bar's time of an epoch under the pointer ("0:0:0" when it has no time).
std::string readoutTime(const ClockTime& t);

} // namespace trix::plot
