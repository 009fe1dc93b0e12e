#include "views/rtk/scatter_geometry.h"

#include "decode/geo.h"

#include <algorithm>
#include <cmath>

namespace trix::rtk {
namespace {

PlanePoint fromDegrees(const GeoPoint& origin, double lat, double lon, double alt) {
    const Departure d = computeDeparture(origin, GeoPoint{lat, lon, alt});
    return {d.dep.east, d.dep.north};
}

std::optional<GeoPoint> originOf(const std::vector<ScatterPoint>& points,
                                 std::optional<GeoPoint> reference) {
    if (reference)
        return reference;
    for (const ScatterPoint& p : points) {
        if (p.kind == PointKind::Degrees)
            return GeoPoint{p.a, p.b, p.c};
    }
    return std::nullopt;
}

} // namespace

std::vector<PlanePoint> scatterDepartures(const std::vector<ScatterPoint>& points,
                                          std::optional<GeoPoint> reference) {
    const std::optional<GeoPoint> origin = originOf(points, reference);
    std::vector<PlanePoint> out;
    out.reserve(points.size());
    for (const ScatterPoint& p : points) {
        if (p.kind == PointKind::Metres)
            out.push_back({p.a, p.b});
        else
            out.push_back(fromDegrees(*origin, p.a, p.b, p.c));
    }
    return out;
}

std::optional<PlanePoint> currentDeparture(const RtkData& d,
                                           const std::vector<ScatterPoint>& points,
                                           std::optional<GeoPoint> reference) {
    const ValueEntry& v = d.values[Component1];
    if (v.code.empty())
        return std::nullopt;
    if (v.code != "CBN")
        return PlanePoint{v.value, d.values[Component2].value};
    std::optional<GeoPoint> origin = originOf(points, reference);
    if (!origin)
        origin = GeoPoint{v.value, d.values[Component2].value, d.values[Component3].value};
    return fromDegrees(*origin, v.value, d.values[Component2].value, d.values[Component3].value);
}

double scatterScale(const std::vector<PlanePoint>& points, double zoom) {
    double largest = 0.0;
    for (const PlanePoint& p : points) {
        const double sq = p.east * p.east + p.north * p.north;
        if (std::isfinite(sq))
            largest = std::max(largest, sq);
    }
    if (largest <= 0.0 || zoom <= 0.0)
        return 0.0;
    return std::sqrt(largest) / zoom;
}

Pixel scatterPixel(PlanePoint p, int radius, double scale) {
    if (scale <= 0.0 || !std::isfinite(scale))
        return {radius, radius};
    const double r = radius;
    auto clampTrunc = [](double v) {
        v = std::trunc(v);
        return static_cast<int>(std::clamp(v, -1.0e6, 1.0e6));
    };
    const int dx = clampTrunc(r * p.east / scale);
    const int dy = clampTrunc(r * p.north / scale);
    return {radius + dx, radius - dy};
}

} // namespace trix::rtk
