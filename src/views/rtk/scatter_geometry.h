#pragma once
// The RTK scatter plot's geometry, without drawing: every point as a departure (east, north in
// metres) from the reference position, or from the first point when no reference is set, the
// scale and the mapping to pixels.

#include "decode/records.h"
#include "views/rtk/rtk_data.h"

#include <optional>
#include <vector>

namespace trix::rtk {

struct PlanePoint {
    double east = 0.0;
    double north = 0.0;
};

// VEC points are east, north, up already; CBN points (degrees) become departures from
// `reference` (signed degrees, metres), or from the first CBN point without one.
std::vector<PlanePoint> scatterDepartures(const std::vector<ScatterPoint>& points,
                                          std::optional<GeoPoint> reference);
// The departure of the current solution in the same frame; nullopt while there is none.
std::optional<PlanePoint> currentDeparture(const RtkData& d,
                                           const std::vector<ScatterPoint>& points,
                                           std::optional<GeoPoint> reference);

// Scale S: the largest horizontal distance divided by the zoom (0 while there is none).
double scatterScale(const std::vector<PlanePoint>& points, double zoom);

struct Pixel {
    int x = 0;
    int y = 0;
};
// x = r + trunc(r·e/S), y = r − trunc(r·n/S): north is up on screen and on paper alike, since
// the page is drawn in the same top-down coordinates as the screen.
Pixel scatterPixel(PlanePoint p, int radius, double scale);

} // namespace trix::rtk
