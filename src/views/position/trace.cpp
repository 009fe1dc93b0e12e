#include "views/position/trace.h"

#include "decode/epoch_decoder.h"

#include <algorithm>
#include <climits>

namespace trix::views {

std::vector<std::pair<int, int>> traceRanges(const EpochDecoder& d) {
    const EpochHistory& h = d.history;
    const int stored = static_cast<int>(h.departures.size());
    const int write = std::min(h.writePosition, stored - 1);
    if (write < 0)
        return {};
    if (d.viewing()) {
        const int last = d.logIndexed ? std::min(d.epochsCompleted, stored) - 1 : write;
        if (last < 0)
            return {};
        return {{0, last}};
    }
    const int oldest = h.oldestPosition;
    if (oldest > write) {
        const int end = std::min(d.capacity(), stored) - 1;
        std::vector<std::pair<int, int>> r;
        if (oldest <= end)
            r.emplace_back(oldest, end);
        r.emplace_back(0, write);
        return r;
    }
    return {{oldest, write}};
}

std::vector<PlotPixel> tracePixels(const EpochDecoder& d, int r, double s) {
    std::vector<PlotPixel> out;
    const auto ranges = traceRanges(d);
    std::size_t total = 0;
    for (const auto& [a, b] : ranges)
        total += static_cast<std::size_t>(b - a + 1);
    out.reserve(std::min<std::size_t>(total, 4096));
    PlotPixel last{INT_MIN, INT_MIN};
    for (const auto& [a, b] : ranges) {
        for (int i = a; i <= b; ++i) {
            const DeparturePoint& p = d.history.departures[static_cast<std::size_t>(i)];
            const PlotPixel px = plotPixel(p.east, p.north, r, s);
            if (px == last)
                continue;
            out.push_back(px);
            last = px;
        }
    }
    return out;
}

} // namespace trix::views
