#pragma once
// The thirteen parameter series of the data plotting window, built from the epoch history of
// a viewed log file, with their statistics over the valid values.

#include "decode/epoch_decoder.h"

#include <array>
#include <string>
#include <vector>

namespace trix::plot {

inline constexpr int kSeriesCount = 13;

enum SeriesIndex {
    kLatitude,
    kLongitude,
    kAltitude,
    kRadial,
    kSvNumber,
    kCorrectionAge,
    kPdop,
    kHdop,
    kVdop,
    kTdop,
    kHeading,
    kPitch,
    kRoll
};

inline constexpr float kDepartureMissing = 3.4028235e38f;
inline constexpr float kPositionMissing = -1.0f;
inline constexpr float kHeadingMissing = 361.0f;
inline constexpr float kAngleMissing = 91.0f;

struct SeriesInfo {
    const char* name;
    const char* unit; // empty: none
    float missing;
    bool shownByDefault;
};

const SeriesInfo& seriesInfo(int index);

class Series {
public:
    std::vector<float> values;
    float maximum = 0.0f;
    float minimum = 0.0f;
    float mean = 0.0f; // summed in double, so long files keep the fourth decimal
    double spread = 0.0;
    int count = 0;
    std::string name = "empty";
    std::string unit = "unit";
    float missing = 0.0f;
    int missingCount = 0;

    bool valid(int epoch) const {
        return epoch >= 0 && epoch < count && values[static_cast<std::size_t>(epoch)] != missing;
    }
    // No value is valid: the statistics show "Not computed" and only crosses are drawn.
    bool computed() const { return count - missingCount > 0; }
    void computeStatistics();
};

// The series of one viewed file; a series that was not built does not exist (its grid row is
// absent and it cannot be shown).
struct SeriesSet {
    std::array<Series, kSeriesCount> series;
    std::array<bool, kSeriesCount> exists{};
    int epochs = 0;          // epochs of the viewed file
    std::vector<double> utc; // each epoch's UTC hhmmss.ss; empty without position records

    bool any() const;
    // The first existing series, or none.
    const Series* first() const;
};

// Number of epochs the history holds for the series (0 unless a log file is viewed).
int historyEpochs(const EpochDecoder& decoder);
// The ring position of epoch `k` (0-based, oldest first).
int ringPosition(const EpochDecoder& decoder, int k);
// The epoch index (0-based) of the replay position, or -1.
int replayEpoch(const EpochDecoder& decoder);

SeriesSet buildSeries(const EpochDecoder& decoder);

// A UTC time hhmmss.ss split for display with its seconds rounded to tenths; 60 s carries into
// the minutes and hours.
struct ClockTime {
    int hours = 0;
    int minutes = 0;
    double seconds = 0.0;
    bool set = false; // the epoch has a time
};
ClockTime clockTime(double utc);
// The time of epoch `k` of a set (unset when the set has no times).
ClockTime epochTime(const SeriesSet& set, int k);

} // namespace trix::plot
