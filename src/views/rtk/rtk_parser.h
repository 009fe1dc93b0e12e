#pragma once
// The line parser of the RTK window: the receiver's CPD answers, VEC and CBN solutions and
// their companions, dispatched on the text they contain. Live it keeps the current data and
// the scatter points; while a log file is read it builds the history the epoch movie follows.

#include "views/rtcm/running_clock.h"
#include "views/rtk/rtk_data.h"

#include <string>
#include <string_view>
#include <vector>

namespace trix::rtk {

// The Limit Control switches that apply to the RTK answers.
struct RtkLimits {
    bool checksum = true;      // VEC, CBN, RRE
    bool limitAltitude = true; // CBN altitude within +-30000 m
    bool limitVelocity = true; // CBN velocities within +-999.999 m/s
};

// Models whose receivers are polled for CBN every 2 s.
bool pollsCombinedSolution(int modelIndex);
// The model that reports a baseline (its rows read "Latitude MD" and so on).
bool reportsBaseline(int modelIndex);

inline constexpr const char* kEnuLabel = "ENU coordinate system";
inline constexpr const char* kUnknownLabel = "Unknown coordinate system";

class RtkParser {
public:
    struct Result {
        bool handled = false;
        bool changed = false;
    };
    // What the indexing pass learns from one line.
    enum class Indexed { Refused = -1, Empty = 0, Taken = 1 };

    void setLimits(const RtkLimits& limits) { limits_ = limits; }
    const RtkLimits& limits() const { return limits_; }

    // One line through the dispatch; `live` adds scatter points.
    Result dispatch(std::string_view line, bool live);
    // A received line: true when both panes redraw (handled and changed).
    bool liveLine(std::string_view line);
    // A line of a log file being indexed; a history record may be added.
    Indexed indexedLine(std::string_view line);
    // The file has been read: false when there is nothing to show (the window closes).
    bool dataLoaded();
    // Shows the first record not before running time `u` (the last one past the end); false
    // when nothing changed.
    bool follow(double u);
    int recordFor(double u) const;

    // The stored epochs of the viewed log (times of day, oldest first), put on the running
    // clock from the first position sentence. Following by epoch then lands on the same entries
    // whichever epoch was shown before; dataLoaded() forgets them.
    void setEpochTimes(const std::vector<double>& utcTimes);
    // The running time of stored epoch `k`; nullopt when there is none.
    std::optional<double> epochTime(int k) const { return timeline_.at(k); }
    // Shows the entries for stored epoch `k` as follow() does; false when nothing changed or
    // there is no such epoch.
    bool followEpoch(int k);
    // Shows the entries for the epoch `decoder` has on screen, taking its stored epochs when
    // their number changed.
    bool followShownEpoch(const EpochDecoder& decoder);

    const RtkData& data() const { return data_; }
    const std::vector<RtkData>& history() const { return history_; }
    const std::vector<ScatterPoint>& scatter() const { return scatter_; }
    const std::string& coordinateLabel() const { return coordinateLabel_; }
    bool noPosition() const { return noPosition_; }
    bool newData() const { return newData_; }
    long fastSum() const { return fastSum_; }
    long commonSum() const { return commonSum_; }
    bool outOfMemory() const { return outOfMemory_; }
    const dgps::RunningClock& clock() const { return clock_; }
    int lineCount() const { return lineNumber_; }

private:
    void set(int index, double value, const char* unit, const char* code);
    void setTime(double t, const char* code);
    void addPoint(const ScatterPoint& p);
    bool messageRule(const std::string& u);
    Result residualRule(std::string_view raw, const std::string& u);
    Result modeRule(const std::string& u);
    Result vectorRule(std::string_view raw, const std::string& u, bool live);
    Result combinedRule(std::string_view raw, const std::string& u, bool live);
    Result dataLinkRule(const std::string& u);
    Result informationRule(const std::string& u);
    Result latencyPartsRule(const std::string& u);
    Result basePositionRule(const std::string& u);
    Result ambiguityRule(const std::string& u);
    Result latencyRule(const std::string& u);
    Result fastCpdRule(const std::string& u);

    RtkLimits limits_;
    RtkData data_;
    std::vector<RtkData> history_;
    std::vector<ScatterPoint> scatter_;
    dgps::RunningClock clock_;
    std::string coordinateLabel_ = kEnuLabel;
    bool noPosition_ = false;
    bool newData_ = false;
    bool outOfMemory_ = false;
    long fastSum_ = 0;
    long commonSum_ = 0;
    int lineNumber_ = 0;
    int lastDataLine_ = 0;
    int shown_ = -2;
    dgps::EpochTimeline timeline_;
};

} // namespace trix::rtk
