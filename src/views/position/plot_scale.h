#pragma once
// The scale of the position plot: the range of the trace about the reference, the zoom, the
// visible radius and the mapping of a departure to a pixel; and the rule that formats the
// distance texts of the plot.

#include <string>

namespace trix::views {

struct ScaleInputs {
    double largestHorizontalSquared = 0.0; // of the history, m²
    bool analysisActive = false;
    bool vsTruth = false;
    double ring2 = 0.0;        // metres
    double outlierLimit = 0.0; // metres
};

class PlotScale {
public:
    static constexpr double kZoomStep = 1.2;
    static constexpr double kZoomOutStep = 0.8333333333333334;
    static constexpr double kMinZoom = 0.01;
    static constexpr double kMaxZoom = 100.0;

    // Creation and a change of the analysis: zoom 1, range from the history, raised to Ring2 during
    // an analysis and to the outlier limit in "vs Truth" mode.
    void reset(const ScaleInputs& in);
    // A new epoch: the range grows with the history (never shrinks).
    void grow(double largestHorizontalSquared);
    // False (and no change) when the new zoom would leave 0.01 … 100.
    bool zoomIn();
    bool zoomOut();
    void zoomAll() { zoom_ = 1.0; }

    double range() const { return range_; }
    double zoom() const { return zoom_; }
    // Visible radius S in metres; Ring2 when the range gives 0.
    double visibleRadius(double ring2) const;

private:
    bool setZoom(double z);
    double range_ = 0.0;
    double zoom_ = 1.0;
};

struct PlotPixel {
    int x = 0;
    int y = 0;
    friend bool operator==(const PlotPixel&, const PlotPixel&) = default;
};

// x = r + trunc(r·e/S), y = r − trunc(r·n/S). Offsets far outside the plot are held at a
// bound that keeps them off the disc without overflowing the pixel type.
PlotPixel plotPixel(double east, double north, int r, double s);

// Ring radius in pixels: r × ring / S, rounded by adding 0.5 and truncating.
int ringRadius(int r, double ring, double s);

// Distance texts: "%.2g" below 0.0001, "%.4f" below 0.001, "%.3f" below 1, "%.1f" from 100
// on, else "%.2f".
std::string formatScale(double value);

} // namespace trix::views
