#include "views/rtcm/running_clock.h"

#include "base/text.h"
#include "decode/epoch_decoder.h"
#include "decode/fields.h"
#include "decode/framing.h"
#include "decode/geo.h"

#include <algorithm>
#include <cmath>

namespace trix::dgps {

double secondsOfDay(double hhmmss) {
    const TimeParts p = splitTime(hhmmss);
    return 3600.0 * p.hours + 60.0 * p.minutes + p.seconds;
}

double nearest(double hhmmss, std::optional<double> reference) {
    const double s = secondsOfDay(hhmmss);
    if (!reference)
        return s;
    return s + 86400.0 * std::floor((*reference - s) / 86400.0 + 0.5);
}

long dayOf(double running) {
    return static_cast<long>(std::floor(running / 86400.0));
}

std::optional<double> positionSentenceTime(std::string_view line, bool checksum) {
    if (line.size() < 7 || line[0] != '$')
        return std::nullopt;
    const SentenceCode code = sentenceCode(line);
    const bool proprietary = isProprietary(line);
    int field = 0;
    // Fields are counted after the sentence code: POS has two before its time.
    if (proprietary && code == kPOS)
        field = 4;
    else if (!proprietary && code == kGGA)
        field = 1;
    else
        return std::nullopt;
    if (!checksumPasses(line, proprietary, checksum))
        return std::nullopt;
    FieldScanner f(line, 0, static_cast<std::ptrdiff_t>(line.size()));
    if (!f.skip(field))
        return std::nullopt;
    auto t = f.next(true);
    if (!t || t->empty())
        return std::nullopt;
    const double v = parseReal(*t);
    if (!inRange(v, 0.0, 235960.0))
        return std::nullopt;
    return v;
}

void RunningClock::position(double hhmmss) {
    reference_ = nearest(hhmmss, reference_);
    if (!positionSeen_)
        firstPosition_ = reference_;
    positionSeen_ = true;
}

double RunningClock::windowTime(double hhmmss) {
    const double u = nearest(hhmmss, reference_);
    if (!positionSeen_)
        reference_ = u;
    return u;
}

std::vector<double> unwrapEpochTimes(const std::vector<double>& utcTimes,
                                     std::optional<double> start) {
    std::vector<double> out;
    out.reserve(utcTimes.size());
    std::optional<double> r = start;
    for (double t : utcTimes) {
        const double u = nearest(t, r);
        out.push_back(u);
        r = u;
    }
    return out;
}

int firstNotBefore(const std::vector<double>& values, double u) {
    auto it = std::lower_bound(values.begin(), values.end(), u);
    if (it == values.end())
        return -1;
    return static_cast<int>(it - values.begin());
}

std::vector<double> storedEpochTimes(const EpochDecoder& decoder) {
    const EpochHistory& h = decoder.history;
    const int capacity = decoder.capacity();
    std::vector<double> times;
    times.reserve(static_cast<std::size_t>(std::max(decoder.epochsCompleted, 0)));
    for (int k = 0; k < decoder.epochsCompleted; ++k) {
        const auto i = static_cast<std::size_t>((h.oldestPosition + k) % capacity);
        if (i >= h.positions.size())
            break;
        times.push_back(h.positions[i].utcTime);
    }
    return times;
}

int shownEpoch(const EpochDecoder& decoder) {
    const EpochHistory& h = decoder.history;
    if (h.empty())
        return -1;
    const int capacity = decoder.capacity();
    return ((h.writePosition - h.oldestPosition) % capacity + capacity) % capacity;
}

std::optional<double> EpochTimeline::at(int k) const {
    if (k < 0 || k >= size())
        return std::nullopt;
    return running_[static_cast<std::size_t>(k)];
}

} // namespace trix::dgps
