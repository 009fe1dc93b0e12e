#pragma once
// The geometry of the sky chart, free of any drawing: which history snapshots exist, where
// the chart lies in its view and the pixel of a snapshot point, the ring colour of a satellite
// number, and the track segments that join a satellite's positions in consecutive snapshots.

#include "decode/epoch_decoder.h"
#include "decode/records.h"

#include <cstdint>
#include <vector>

namespace trix::views {

// Indices of the sky colour table.
namespace sky {
inline constexpr int kBackground = 0;
inline constexpr int kSky = 1;
inline constexpr int kElevationRings = 2;
inline constexpr int kSatellites = 3;
inline constexpr int kSatellitesPrn = 4;
inline constexpr int kForwardTrack = 5;
inline constexpr int kBackwardTrack = 6;
inline constexpr int kGpsRing = 7;
inline constexpr int kGlonassRing = 8;
inline constexpr int kSbasRing = 9;
} // namespace sky

// The ring colour item of satellite number `sv` for the receiver model.
int skyRingItem(int sv, int modelIndex);

struct SkyPixel {
    int x = 0;
    int y = 0;
    friend bool operator==(const SkyPixel&, const SkyPixel&) = default;
};

// The point of azimuth a and elevation e (degrees) on the unit chart, computed as the decoder
// stores it in a snapshot, the horizon (elevation 0) included.
SkyPlotRecord::Point skyPointAt(double azimuth, double elevation);

// Where the chart lies in its view: the horizon circle of `radius` pixels inscribed in the
// square at (left, top). Rings, tracks and satellites are all placed through it, so that they
// keep together when the chart is inset from the view's edge.
struct SkyLayout {
    int left = 0;
    int top = 0;
    int radius = 0;

    // The chart centred on (r, r), r half the smaller side of a w × h view, with its horizon
    // `inset` pixels inside that half; the radius is 0 when nothing is left of it.
    static SkyLayout inView(int width, int height, int inset);

    SkyPixel centre() const { return {left + radius, top + radius}; }
    // (radius × x, radius × y) truncated to whole pixels, moved to the chart's square.
    SkyPixel pixel(const SkyPlotRecord::Point& p) const;
    SkyPixel pixelAt(double azimuth, double elevation) const {
        return pixel(skyPointAt(azimuth, elevation));
    }
    friend bool operator==(const SkyLayout&, const SkyLayout&) = default;
};

// The snapshots the chart reads: the current one and how many exist, with the ring layout.
struct SkyHistory {
    const std::vector<SkyPlotRecord>* snapshots = nullptr;
    int current = -1; // c
    int count = 0;    // n
    bool replay = false;
    // Live ring that has wrapped: the oldest stored snapshot (else 0).
    int oldest = 0;
    bool wrapped = false;

    bool drawable() const { return snapshots != nullptr && current >= 0 && current < count; }
};

SkyHistory skyHistoryOf(const EpochDecoder& decoder);

struct SkySegment {
    SkyPixel from;
    SkyPixel to;
};

struct SkyTracks {
    std::vector<SkySegment> backward;
    std::vector<SkySegment> forward;
};

// The track segments of the chart laid out by `layout`. Live: the segments of the snapshots up to
// the one before the current; during replay every snapshot's segment, those after the
// current in the forward list. A segment is drawn only for a satellite that is in view in
// the current snapshot, in the same slot of both snapshots, and on two different pixels.
SkyTracks skyTracks(const SkyHistory& h, const SkyLayout& layout);

// The fill of a satellite that is not used: every colour byte XOR 127.
std::uint32_t unusedSatelliteFill(std::uint32_t rgb);

} // namespace trix::views
