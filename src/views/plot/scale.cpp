#include "views/plot/scale.h"

#include "base/strings.h"
#include "base/text.h"

#include <cmath>

namespace trix::plot {

namespace {
constexpr double kSmallestTick = 0.00001;
constexpr double kWalkTolerance = 1e-8;
constexpr int kMaxTicks = 4096;
} // namespace

VerticalScale verticalScale(double hi, double lo, int stripHeight) {
    VerticalScale s;
    if (!std::isfinite(hi) || !std::isfinite(lo) || hi < lo)
        return s;
    s.drawable = true;
    s.centre = (hi + lo) / 2.0;
    if (hi == lo || stripHeight <= 10)
        return s;
    s.pixelsPerUnit = (stripHeight - 10) / (hi - lo);
    const double u = 25.0 / s.pixelsPerUnit;
    if (!(u > 0.0) || !std::isfinite(u))
        return s;
    int e = 0;
    double m = u;
    if (u > 10.0) {
        while (m > 10.0) {
            m /= 10.0;
            ++e;
        }
    } else if (u < 1.0) {
        while (m < 1.0) {
            m *= 10.0;
            --e;
        }
    }
    double major;
    if (m < 2.5) {
        major = 2.0 * std::pow(10.0, e);
    } else if (m < 7.5) {
        major = 5.0 * std::pow(10.0, e);
    } else {
        ++e;
        major = std::pow(10.0, e);
    }
    const double tick = major / 5.0;
    if (std::fabs(tick) < kSmallestTick * (1.0 - 1e-9))
        return s; // too fine to label
    s.majorStep = major;
    s.tickStep = tick;
    s.decimals = e < 0 ? std::min(-e, kMaxLabelDecimals) : 0;
    return s;
}

VerticalScale verticalScale(const Series& series, int stripHeight) {
    if (!series.computed())
        return {};
    return verticalScale(series.maximum, series.minimum, stripHeight);
}

namespace {
// A tick walked to zero from below may print as "-0" or "-0.00": zero has no sign.
void dropSignOfZero(std::string& text) {
    if (!text.empty() && text[0] == '-' && text.find_first_not_of("-0.") == std::string::npos)
        text.erase(0, 1);
}
} // namespace

std::string valueLabel(const VerticalScale& scale, double value) {
    std::string text;
    if (scale.tickStep > 0.0) {
        text = cformat("%-.*f", scale.decimals, value);
    } else {
        text = cformat("%.*f", kMaxLabelDecimals, value);
        while (!text.empty() && text.back() == '0')
            text.pop_back();
        if (!text.empty() && text.back() == '.')
            text.pop_back();
    }
    dropSignOfZero(text);
    return text;
}

std::vector<Tick> ticks(const VerticalScale& scale, double low, double high) {
    std::vector<Tick> out;
    if (scale.tickStep <= 0.0 || !(high >= low))
        return out;
    const double firstIndex = std::ceil(low / scale.tickStep - kWalkTolerance);
    const double lastIndex = std::floor(high / scale.tickStep + kWalkTolerance);
    if (!std::isfinite(firstIndex) || !std::isfinite(lastIndex) ||
        lastIndex - firstIndex > kMaxTicks)
        return out;
    for (double i = firstIndex; i <= lastIndex; i += 1.0) {
        const double r = std::fmod(i, 5.0);
        out.push_back({i * scale.tickStep, r == 0.0});
    }
    return out;
}

int epochTickStep(double charWidth, double pixelsPerEpoch) {
    if (!(pixelsPerEpoch > 0.0))
        return 1;
    const double k = std::floor(3.0 * charWidth / pixelsPerEpoch);
    if (!(k >= 1.0))
        return 1;
    return k > 1e9 ? 1000000000 : static_cast<int>(k);
}

int timeLabelStep(int shownEpochs, int tickStep) {
    if (shownEpochs <= 4)
        return 1;
    if (shownEpochs == 5)
        return 2;
    return 5 * std::max(1, tickStep);
}

std::string TimeLabeler::next(const ClockTime& t) {
    std::string text;
    if (first_ || t.hours != hours_)
        text = cformat(str::kPlotTimeLabelFull, t.hours, t.minutes, t.seconds);
    else if (t.minutes != minutes_)
        text = cformat(str::kPlotTimeLabelMinutes, t.minutes, t.seconds);
    else
        text = cformat(str::kPlotTimeLabelSeconds, t.seconds);
    first_ = false;
    hours_ = t.hours;
    minutes_ = t.minutes;
    return text;
}

std::string readoutTime(const ClockTime& t) {
    if (!t.set)
        return str::kPlotNoTime;
    return cformat(str::kPlotReadoutTime, t.hours, t.minutes, t.seconds);
}

} // namespace trix::plot
