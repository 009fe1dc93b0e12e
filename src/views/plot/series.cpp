#include "views/plot/series.h"

#include "base/strings.h"

#include <cmath>
#include <new>

namespace trix::plot {

namespace {

const std::array<SeriesInfo, kSeriesCount> kInfo{{
    {str::kPlotSeriesNames[0], str::kPlotUnitMetres, kDepartureMissing, true},
    {str::kPlotSeriesNames[1], str::kPlotUnitMetres, kDepartureMissing, true},
    {str::kPlotSeriesNames[2], str::kPlotUnitMetres, kDepartureMissing, true},
    {str::kPlotSeriesNames[3], str::kPlotUnitMetres, kDepartureMissing, false},
    {str::kPlotSeriesNames[4], "", kPositionMissing, false},
    {str::kPlotSeriesNames[5], str::kPlotUnitSeconds, kPositionMissing, false},
    {str::kPlotSeriesNames[6], "", kPositionMissing, false},
    {str::kPlotSeriesNames[7], "", kPositionMissing, false},
    {str::kPlotSeriesNames[8], "", kPositionMissing, false},
    {str::kPlotSeriesNames[9], "", kPositionMissing, false},
    {str::kPlotSeriesNames[10], str::kPlotUnitDegrees, kHeadingMissing, false},
    {str::kPlotSeriesNames[11], str::kPlotUnitDegrees, kAngleMissing, false},
    {str::kPlotSeriesNames[12], str::kPlotUnitDegrees, kAngleMissing, false},
}};

// Every ring position of the n epochs lies inside `size` stored records.
bool holds(std::size_t size, const EpochDecoder& d, int n) {
    if (n <= 0)
        return false;
    const int cap = d.capacity();
    const int oldest = d.history.oldestPosition;
    const long highest = oldest + n - 1 >= cap ? cap - 1 : oldest + n - 1;
    return highest >= 0 && static_cast<long>(size) > highest;
}

bool create(SeriesSet& set, int index, int n) {
    Series& s = set.series[static_cast<std::size_t>(index)];
    const SeriesInfo& info = kInfo[static_cast<std::size_t>(index)];
    try {
        s.values.assign(static_cast<std::size_t>(n), info.missing);
    } catch (const std::bad_alloc&) {
        s = Series{};
        return false;
    }
    s.count = n;
    s.name = info.name;
    s.unit = info.unit;
    s.missing = info.missing;
    set.exists[static_cast<std::size_t>(index)] = true;
    return true;
}

} // namespace

const SeriesInfo& seriesInfo(int index) {
    return kInfo[static_cast<std::size_t>(index)];
}

void Series::computeStatistics() {
    missingCount = 0;
    double sum = 0.0;
    bool first = true;
    for (float v : values) {
        if (v == missing) {
            ++missingCount;
            continue;
        }
        if (first) {
            maximum = minimum = v;
            first = false;
        } else {
            maximum = std::max(maximum, v);
            minimum = std::min(minimum, v);
        }
        sum += v;
    }
    const int valid = count - missingCount;
    if (valid <= 0) {
        mean = missing;
        maximum = minimum = missing;
        spread = 0.0;
        return;
    }
    const double m = sum / valid;
    mean = static_cast<float>(m);
    spread = 0.0;
    if (valid < 2)
        return;
    double squares = 0.0;
    for (float v : values) {
        if (v == missing)
            continue;
        const double d = v - m;
        squares += d * d;
    }
    spread = std::sqrt(squares / (valid - 1));
}

bool SeriesSet::any() const {
    for (bool e : exists)
        if (e)
            return true;
    return false;
}

const Series* SeriesSet::first() const {
    for (int i = 0; i < kSeriesCount; ++i)
        if (exists[static_cast<std::size_t>(i)])
            return &series[static_cast<std::size_t>(i)];
    return nullptr;
}

int historyEpochs(const EpochDecoder& d) {
    if (!d.viewing() || d.history.empty())
        return 0;
    return std::min(d.epochsCompleted, d.capacity());
}

int ringPosition(const EpochDecoder& d, int k) {
    return (d.history.oldestPosition + k) % d.capacity();
}

int replayEpoch(const EpochDecoder& d) {
    const int n = historyEpochs(d);
    if (n == 0)
        return -1;
    const int cap = d.capacity();
    const int k = (d.history.writePosition - d.history.oldestPosition + cap) % cap;
    return k < n ? k : n - 1;
}

SeriesSet buildSeries(const EpochDecoder& d) {
    SeriesSet set;
    const int n = historyEpochs(d);
    const EpochHistory& h = d.history;
    if (!holds(h.departures.size(), d, n))
        return set;
    set.epochs = n;
    auto at = [&](int k) { return static_cast<std::size_t>(ringPosition(d, k)); };

    for (int index : {kLatitude, kLongitude, kAltitude}) {
        if (!create(set, index, n))
            return set;
        Series& s = set.series[static_cast<std::size_t>(index)];
        for (int k = 0; k < n; ++k) {
            const DeparturePoint& p = h.departures[at(k)];
            s.values[static_cast<std::size_t>(k)] =
                index == kLatitude ? p.north : (index == kLongitude ? p.east : p.up);
        }
        s.computeStatistics();
    }

    if (!create(set, kRadial, n))
        return set;
    {
        const auto& north = set.series[kLatitude];
        const auto& east = set.series[kLongitude];
        const auto& up = set.series[kAltitude];
        Series& r = set.series[kRadial];
        for (int k = 0; k < n; ++k) {
            if (!north.valid(k) || !east.valid(k) || !up.valid(k))
                continue;
            const auto i = static_cast<std::size_t>(k);
            const double a = north.values[i], b = east.values[i], c = up.values[i];
            r.values[i] = static_cast<float>(std::sqrt(a * a + b * b + c * c));
        }
        r.computeStatistics();
    }

    if (holds(h.positions.size(), d, n)) {
        try {
            set.utc.resize(static_cast<std::size_t>(n));
        } catch (const std::bad_alloc&) {
            return set;
        }
        for (int k = 0; k < n; ++k)
            set.utc[static_cast<std::size_t>(k)] = h.positions[at(k)].utcTime;
        for (int index = kSvNumber; index <= kTdop; ++index) {
            if (!create(set, index, n))
                return set;
            Series& s = set.series[static_cast<std::size_t>(index)];
            for (int k = 0; k < n; ++k) {
                const PositionRecord& p = h.positions[at(k)];
                float v = 0.0f;
                switch (index) {
                case kSvNumber:
                    v = static_cast<float>(p.usedSats);
                    break;
                case kCorrectionAge:
                    v = p.diffAge;
                    break;
                case kPdop:
                    v = p.pdop;
                    break;
                case kHdop:
                    v = p.hdop;
                    break;
                case kVdop:
                    v = p.vdop;
                    break;
                default:
                    v = p.tdop;
                    break;
                }
                s.values[static_cast<std::size_t>(k)] = v;
            }
            s.computeStatistics();
        }
    }

    if (d.modelIndex() == kModelAttitude && holds(h.attitudes.size(), d, n)) {
        for (int index = kHeading; index <= kRoll; ++index) {
            if (!create(set, index, n))
                return set;
            Series& s = set.series[static_cast<std::size_t>(index)];
            for (int k = 0; k < n; ++k) {
                const AttitudeRecord& a = h.attitudes[at(k)];
                if (a.resetFlag != 0)
                    continue; // stays missing
                s.values[static_cast<std::size_t>(k)] =
                    index == kHeading ? a.heading : (index == kPitch ? a.pitch : a.roll);
            }
            s.computeStatistics();
        }
    }
    return set;
}

ClockTime clockTime(double utc) {
    ClockTime t;
    if (!(utc > 0.0) || !std::isfinite(utc))
        return t;
    t.set = true;
    long whole = static_cast<long>(utc);
    double tenths = std::round((utc - static_cast<double>(whole / 100 * 100)) * 10.0);
    t.hours = static_cast<int>(whole / 10000);
    t.minutes = static_cast<int>(whole / 100 % 100);
    if (tenths >= 600.0) {
        tenths -= 600.0;
        if (++t.minutes >= 60) {
            t.minutes = 0;
            t.hours = (t.hours + 1) % 24;
        }
    }
    t.seconds = tenths / 10.0;
    return t;
}

ClockTime epochTime(const SeriesSet& set, int k) {
    if (k < 0 || static_cast<std::size_t>(k) >= set.utc.size())
        return {};
    return clockTime(set.utc[static_cast<std::size_t>(k)]);
}

} // namespace trix::plot
