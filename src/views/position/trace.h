#pragma once
// The trace of the position plot: which stored departures it runs through, oldest first, and
// their pixels with the points that fall on the previous point's pixel left out.

#include "views/position/plot_scale.h"

#include <utility>
#include <vector>

namespace trix {
class EpochDecoder;
}

namespace trix::views {

// Ranges of history positions [first, last], in drawing order. Live: from the oldest ring
// position to the end of the ring, then from the first position to the newest. While a log
// file is viewed: from the first stored epoch to the current one, or to the last stored one
// once the whole file has been read.
std::vector<std::pair<int, int>> traceRanges(const EpochDecoder& decoder);

// The trace's pixels in the plot of radius r and visible radius s.
std::vector<PlotPixel> tracePixels(const EpochDecoder& decoder, int r, double s);

} // namespace trix::views
