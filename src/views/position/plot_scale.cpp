#include "views/position/plot_scale.h"

#include "base/text.h"

#include <algorithm>
#include <cmath>

namespace trix::views {

void PlotScale::reset(const ScaleInputs& in) {
    zoom_ = 1.0;
    range_ = std::sqrt(std::max(0.0, in.largestHorizontalSquared));
    if (in.analysisActive) {
        range_ = std::max(range_, in.ring2);
        if (in.vsTruth)
            range_ = std::max(range_, in.outlierLimit);
    }
}

void PlotScale::grow(double largestHorizontalSquared) {
    const double r = std::sqrt(std::max(0.0, largestHorizontalSquared));
    if (r > range_)
        range_ = r;
}

bool PlotScale::setZoom(double z) {
    if (z < kMinZoom || z > kMaxZoom)
        return false;
    zoom_ = z;
    return true;
}

bool PlotScale::zoomIn() {
    return setZoom(zoom_ * kZoomStep);
}

bool PlotScale::zoomOut() {
    return setZoom(zoom_ * kZoomOutStep);
}

double PlotScale::visibleRadius(double ring2) const {
    const double s = range_ / zoom_;
    return s == 0.0 ? ring2 : s;
}

namespace {

// Far beyond any plot, well inside the pixel type.
constexpr double kOffsetBound = 1e6;

int offset(double r, double v, double s) {
    const double o = r * v / s;
    if (!(o > -kOffsetBound))
        return std::isnan(o) ? 0 : -static_cast<int>(kOffsetBound);
    if (o > kOffsetBound)
        return static_cast<int>(kOffsetBound);
    return static_cast<int>(o); // truncation toward zero
}

} // namespace

PlotPixel plotPixel(double east, double north, int r, double s) {
    if (s == 0.0)
        return {r, r};
    return {r + offset(r, east, s), r - offset(r, north, s)};
}

int ringRadius(int r, double ring, double s) {
    if (s == 0.0)
        return 0;
    const double px = r * ring / s + 0.5;
    if (!(px < kOffsetBound))
        return static_cast<int>(kOffsetBound);
    return px > 0.0 ? static_cast<int>(px) : 0;
}

std::string formatScale(double v) {
    if (v < 0.0001)
        return cformat("%.2g", v);
    if (v < 0.001)
        return cformat("%.4f", v);
    if (v < 1.0)
        return cformat("%.3f", v);
    if (v >= 100.0)
        return cformat("%.1f", v);
    return cformat("%.2f", v);
}

} // namespace trix::views
