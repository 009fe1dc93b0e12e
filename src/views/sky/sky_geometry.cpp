#include "views/sky/sky_geometry.h"

#include "decode/models.h"

#include <algorithm>
#include <bitset>
#include <cmath>

namespace trix::views {

int skyRingItem(int sv, int modelIndex) {
    if (sv < 33)
        return sky::kGpsRing;
    if (modelCan(modelIndex).wideGlonass)
        return sv < 100 ? sky::kGlonassRing : sky::kSbasRing;
    return sv >= 65 ? sky::kGlonassRing : sky::kSbasRing;
}

SkyPlotRecord::Point skyPointAt(double azimuth, double elevation) {
    // The decoder's own arithmetic, down to the float it stores, so that a point computed
    // here falls on the very pixel of the snapshot's point.
    const double d = (90.0 - elevation) * 0.011111111111111112;
    const double theta = (90.0 - azimuth) * 0.017453292519943295;
    SkyPlotRecord::Point p;
    p.x = static_cast<float>(1.0 + d * std::cos(theta));
    p.y = static_cast<float>(1.0 - d * std::sin(theta));
    return p;
}

SkyLayout SkyLayout::inView(int width, int height, int inset) {
    const int r = std::min(width, height) / 2;
    const int radius = std::max(0, r - std::max(0, inset));
    return {r - radius, r - radius, radius};
}

SkyPixel SkyLayout::pixel(const SkyPlotRecord::Point& p) const {
    return {left + static_cast<int>(static_cast<double>(radius) * p.x),
            top + static_cast<int>(static_cast<double>(radius) * p.y)};
}

SkyHistory skyHistoryOf(const EpochDecoder& d) {
    SkyHistory h;
    h.snapshots = &d.history.skyPlots;
    h.current = d.history.writePosition;
    const int stored = static_cast<int>(d.history.skyPlots.size());
    if (d.viewing()) {
        h.replay = true;
        h.count = std::min(d.epochsCompleted, stored);
    } else if (h.current >= 0) {
        const int oldest = d.history.oldestPosition;
        h.wrapped = oldest > h.current;
        h.oldest = h.wrapped ? oldest : 0;
        h.count = h.wrapped ? std::min(d.capacity(), stored) : std::min(h.current + 1, stored);
    }
    return h;
}

namespace {

using SvSet = std::bitset<256>;

// The segment that leads into snapshot k from snapshot `prev`.
void appendSegments(const SkyPlotRecord& prev, const SkyPlotRecord& cur, const SvSet& inView,
                    const SkyLayout& layout, std::vector<SkySegment>& out) {
    for (int j = 0; j < kMaxSats; ++j) {
        const auto& b = cur.points[static_cast<std::size_t>(j)];
        if (b.svNumber == 0 || !inView.test(b.svNumber))
            continue;
        const auto& a = prev.points[static_cast<std::size_t>(j)];
        if (a.svNumber != b.svNumber)
            continue;
        const SkyPixel from = layout.pixel(a);
        const SkyPixel to = layout.pixel(b);
        if (from == to)
            continue;
        out.push_back({from, to});
    }
}

} // namespace

SkyTracks skyTracks(const SkyHistory& h, const SkyLayout& layout) {
    SkyTracks t;
    if (!h.drawable())
        return t;
    const auto& s = *h.snapshots;
    SvSet inView;
    for (const auto& p : s[static_cast<std::size_t>(h.current)].points)
        if (p.svNumber != 0)
            inView.set(p.svNumber);
    if (inView.none())
        return t;
    const auto segment = [&](int prev, int k, std::vector<SkySegment>& out) {
        appendSegments(s[static_cast<std::size_t>(prev)], s[static_cast<std::size_t>(k)], inView,
                       layout, out);
    };
    if (h.replay) {
        // The backward colour covers the snapshots up to the current one; what lies after it
        // is drawn in the forward colour. Drawing the later part only once gives the same
        // pixels as drawing everything backward and then the later part over it.
        for (int k = 1; k <= h.current; ++k)
            segment(k - 1, k, t.backward);
        for (int k = h.current + 1; k < h.count; ++k)
            segment(k - 1, k, t.forward);
        return t;
    }
    if (h.wrapped) {
        // The older part of a wrapped ring comes first, then the join to its first slot.
        for (int k = h.oldest + 1; k < h.count; ++k)
            segment(k - 1, k, t.backward);
        if (h.count > 0 && h.current > 0)
            segment(h.count - 1, 0, t.backward);
    }
    for (int k = 1; k < h.current; ++k)
        segment(k - 1, k, t.backward);
    return t;
}

std::uint32_t unusedSatelliteFill(std::uint32_t rgb) {
    return rgb ^ 0x7f7f7fu;
}

} // namespace trix::views
