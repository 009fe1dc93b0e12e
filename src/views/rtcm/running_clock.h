#pragma once
// The running clock of the DGPS windows. The receiver writes times of day (hhmmss.ss), which
// wrap at midnight; the windows order answers, message epochs and history records on one
// running count of seconds so that "later" and "not before" still hold after midnight.

#include <optional>
#include <string_view>
#include <vector>

namespace trix {
class EpochDecoder;
}

namespace trix::dgps {

// Seconds of the day of an hhmmss.ss time.
double secondsOfDay(double hhmmss);

// The running value of `hhmmss` nearest to the reference `reference` (seconds on the running
// clock); the plain seconds of the day while there is no reference.
double nearest(double hhmmss, std::optional<double> reference);

// Whole days of a running value (may be negative just before the first midnight seen).
long dayOf(double running);

// The time of a position sentence (field 1 of GGA, field 3 of POS, counted after the code) when the
// sentence passes the checksum rule and the time lies in 0 to 235960; nullopt for every other line.
std::optional<double> positionSentenceTime(std::string_view line, bool checksum);

class RunningClock {
public:
    // A position sentence: the reference follows it.
    void position(double hhmmss);
    // A time the window stores (message time, answer time, CBN or VEC): its running value.
    // Before the first position sentence the reference follows window times as well.
    double windowTime(double hhmmss);

    std::optional<double> reference() const { return reference_; }
    // The running value of the first position sentence, where epochs start being unwrapped.
    std::optional<double> firstPosition() const { return firstPosition_; }
    bool positionSeen() const { return positionSeen_; }
    void reset() { *this = RunningClock(); }

private:
    std::optional<double> reference_;
    std::optional<double> firstPosition_;
    bool positionSeen_ = false;
};

// The epoch times of a viewed log unwrapped along the history, starting from `start` (the
// window's first position-sentence value).
std::vector<double> unwrapEpochTimes(const std::vector<double>& utcTimes,
                                     std::optional<double> start);

// Index of the first of `values` (ascending) not below `u`; -1 when there is none.
int firstNotBefore(const std::vector<double>& values, double u);

// The times of day of the epochs a viewed log stores, oldest first.
std::vector<double> storedEpochTimes(const EpochDecoder& decoder);
// The place of the epoch on screen among storedEpochTimes(); -1 when none is stored.
int shownEpoch(const EpochDecoder& decoder);

// The stored epochs of a viewed log on the running clock. Each epoch is unwrapped along the ones
// before it, so it has one running time whichever epoch was on screen before: a jump of more
// than half a day lands where stepping one epoch at a time would.
class EpochTimeline {
public:
    void assign(const std::vector<double>& utcTimes, std::optional<double> start) {
        running_ = unwrapEpochTimes(utcTimes, start);
    }
    void clear() { running_.clear(); }
    int size() const { return static_cast<int>(running_.size()); }
    // The running time of stored epoch `k`; nullopt when there is no such epoch.
    std::optional<double> at(int k) const;

private:
    std::vector<double> running_;
};

} // namespace trix::dgps
