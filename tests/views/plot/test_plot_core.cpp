// The Qt-free rules of the data plotting window: scale, ticks, labels, time labels, ranges,
// fit rule, statistics, and the series against `trixlog epochs` of the sample logs.

#include "base/strings.h"
#include "base/text.h"
#include "logs/viewed_log.h"
#include "views/plot/plot_ranges.h"
#include "views/plot/scale.h"
#include "views/plot/series.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

using namespace trix;
using namespace trix::plot;

namespace {

std::vector<std::string> majorLabels(const VerticalScale& s, double lo, double hi, int height) {
    const double half = height / 2.0 / s.pixelsPerUnit;
    std::vector<std::string> out;
    for (const Tick& t : ticks(s, s.centre - half, s.centre + half))
        if (t.major)
            out.push_back(valueLabel(s, t.value));
    (void)lo;
    (void)hi;
    return out;
}

} // namespace

TEST(PlotScale, HandWorkedRanges) {
    VerticalScale a = verticalScale(12.0, 4.0, 110);
    EXPECT_DOUBLE_EQ(a.majorStep, 2.0);
    EXPECT_DOUBLE_EQ(a.tickStep, 0.4);
    EXPECT_EQ(a.decimals, 0);
    EXPECT_EQ(majorLabels(a, 4, 12, 110), (std::vector<std::string>{"4", "6", "8", "10", "12"}));

    VerticalScale b = verticalScale(0.49, 0.12, 110);
    EXPECT_NEAR(b.pixelsPerUnit, 270.27, 0.01);
    EXPECT_NEAR(b.majorStep, 0.1, 1e-12);
    EXPECT_NEAR(b.tickStep, 0.02, 1e-12);
    EXPECT_EQ(b.decimals, 1);
    // The strip spans 0.1015 … 0.5085: 0.1 lies just outside it.
    EXPECT_EQ(majorLabels(b, 0.12, 0.49, 110),
              (std::vector<std::string>{"0.2", "0.3", "0.4", "0.5"}));

    VerticalScale c = verticalScale(359.0, 0.0, 110);
    EXPECT_DOUBLE_EQ(c.majorStep, 100.0);
    EXPECT_DOUBLE_EQ(c.tickStep, 20.0);
    EXPECT_EQ(c.decimals, 0);
    EXPECT_EQ(valueLabel(c, -1e-13), "0"); // a walk that lands just below zero
    EXPECT_EQ(valueLabel(b, -0.01), "0.0");
}

TEST(PlotScale, ConstantSeriesHasOneTrimmedLabel) {
    VerticalScale s = verticalScale(7.0, 7.0, 110);
    EXPECT_TRUE(s.drawable);
    EXPECT_EQ(s.pixelsPerUnit, 0.0);
    EXPECT_EQ(s.tickStep, 0.0);
    EXPECT_DOUBLE_EQ(s.centre, 7.0);
    EXPECT_TRUE(ticks(s, 0, 100).empty());
    EXPECT_EQ(valueLabel(s, 7.0), "7");
    EXPECT_EQ(valueLabel(s, 0.9), "0.9"); // not rounded to "1"
    EXPECT_EQ(valueLabel(s, 0.12345), "0.1235");
    EXPECT_EQ(valueLabel(s, -0.00001), "0");
}

TEST(PlotScale, DecimalsClampAtFourAndTinyStepsGiveNoScale) {
    // A tick of 1e-5 (major 5e-5): five decimals would be past the formats.
    // 2e-4 over 100 pixels: 25 pixels span 5e-5, so the tick is 1e-5.
    VerticalScale s = verticalScale(2e-4, 0.0, 110);
    ASSERT_NEAR(s.tickStep, 1e-5, 1e-12);
    EXPECT_EQ(s.decimals, kMaxLabelDecimals);
    EXPECT_EQ(valueLabel(s, 0.00015), "0.0001");
    VerticalScale tiny = verticalScale(1e-7, 0.0, 110);
    EXPECT_TRUE(tiny.drawable);
    EXPECT_EQ(tiny.tickStep, 0.0);
}

TEST(PlotScale, TickWalkDoesNotDriftAndIsBounded) {
    VerticalScale s = verticalScale(1000000.3, 1000000.1, 110);
    const auto t = ticks(s, 1000000.1, 1000000.3);
    ASSERT_FALSE(t.empty());
    for (const Tick& k : t) {
        const double index = k.value / s.tickStep;
        EXPECT_NEAR(index, std::round(index), 1e-6);
    }
    VerticalScale huge = verticalScale(1.0, 0.0, 110);
    EXPECT_TRUE(ticks(huge, -1e30, 1e30).empty());
}

TEST(PlotScale, NoValidValueIsNotDrawable) {
    Series s;
    s.count = 3;
    s.missing = kDepartureMissing;
    s.values.assign(3, kDepartureMissing);
    s.computeStatistics();
    EXPECT_FALSE(s.computed());
    EXPECT_FALSE(verticalScale(s, 110).drawable);
}

TEST(PlotTime, LabelsCarrySixtySecondsAndLeaveOutWhatIsUnchanged) {
    ClockTime t = clockTime(125959.97);
    EXPECT_EQ(t.hours, 13);
    EXPECT_EQ(t.minutes, 0);
    EXPECT_DOUBLE_EQ(t.seconds, 0.0);
    EXPECT_EQ(clockTime(235959.99).hours, 0);
    EXPECT_FALSE(clockTime(0.0).set);
    EXPECT_EQ(readoutTime(clockTime(0.0)), "0:0:0");
    EXPECT_EQ(readoutTime(clockTime(120001.24)), "12:00:1.2 ");

    TimeLabeler l;
    EXPECT_EQ(l.next(clockTime(120001.0)), "12:00:01.0 ");
    EXPECT_EQ(l.next(clockTime(120006.0)), "::06.0 ");
    EXPECT_EQ(l.next(clockTime(120106.0)), ":01:06.0 ");
    EXPECT_EQ(l.next(clockTime(130106.0)), "13:01:06.0 ");

    EXPECT_EQ(timeLabelStep(4, 3), 1);
    EXPECT_EQ(timeLabelStep(5, 3), 2);
    EXPECT_EQ(timeLabelStep(100, 3), 15);
    EXPECT_EQ(epochTickStep(7.0, 100.0), 1);
    EXPECT_EQ(epochTickStep(7.0, 2.0), 10);
    EXPECT_EQ(epochTickStep(7.0, 0.0), 1);
}

TEST(PlotStatistics, MeanIsSummedInDoubleOverValidValuesOnly) {
    Series s;
    s.missing = kPositionMissing;
    s.count = 65536;
    s.values.assign(65536, 1000.1f);
    s.values[10] = kPositionMissing;
    s.computeStatistics();
    EXPECT_EQ(s.missingCount, 1);
    EXPECT_FLOAT_EQ(s.mean, 1000.1f);
    EXPECT_EQ(cformat("%12.4f", static_cast<double>(s.mean)),
              cformat("%12.4f", static_cast<double>(1000.1f)));
    EXPECT_NEAR(s.spread, 0.0, 1e-9);

    Series t;
    t.missing = kHeadingMissing;
    t.count = 4;
    t.values = {1.0f, kHeadingMissing, 3.0f, 5.0f};
    t.computeStatistics();
    EXPECT_FLOAT_EQ(t.maximum, 5.0f);
    EXPECT_FLOAT_EQ(t.minimum, 1.0f);
    EXPECT_FLOAT_EQ(t.mean, 3.0f);
    EXPECT_DOUBLE_EQ(t.spread, 2.0);
}

TEST(PlotRangesTest, ShowRequiresAnOrderedRangeInsideTheData) {
    PlotRanges r;
    r.reset(100);
    EXPECT_EQ(r.show(10, 10).message, str::kFirstEpochLess);
    EXPECT_EQ(r.show(-1, 10).message, "Maximum available epoch value is 100.");
    EXPECT_EQ(r.show(0, 100).message, "Maximum available epoch value is 100.");
    EXPECT_TRUE(r.show(10, 20).accepted);
    EXPECT_EQ(r.selectedFirst(), 10);
    EXPECT_EQ(r.selectedLast(), 20);
    EXPECT_FALSE(r.selectionMarked());
    // Showing the whole file selects what was shown before.
    EXPECT_TRUE(r.showAll().accepted);
    EXPECT_EQ(r.selectedFirst(), 10);
    EXPECT_EQ(r.selectedLast(), 20);
    EXPECT_TRUE(r.selectionMarked());
}

TEST(PlotRangesTest, SelectStaysInsideTheShownRangeAndTheData) {
    PlotRanges r;
    r.reset(100);
    ASSERT_TRUE(r.show(10, 50).accepted);
    EXPECT_EQ(r.select(5, 20).message, "Maximum available epoch value is 51.");
    EXPECT_EQ(r.select(20, 60).message, "Maximum available epoch value is 51.");
    EXPECT_EQ(r.select(20, 100).message, "Maximum available epoch value is 100.");
    EXPECT_EQ(r.select(30, 20).message, str::kFirstEpochLess);
    EXPECT_TRUE(r.select(20, 30).accepted);
    EXPECT_EQ(r.selectedFirst(), 20);
    EXPECT_EQ(r.selectedLast(), 30);
}

TEST(PlotRangesTest, DoubleClicksKeepTheLimitsOrderedAndInside) {
    PlotRanges r;
    r.reset(10);
    ASSERT_TRUE(r.select(2, 5).accepted);
    EXPECT_EQ(r.setRightLimit(1).message, str::kFirstEpochLess);
    EXPECT_EQ(r.selectedLast(), 5);
    EXPECT_TRUE(r.setRightLimit(2).accepted); // on the left limit: two epochs wide
    EXPECT_EQ(r.selectedLast(), 3);
    EXPECT_EQ(r.setLeftLimit(4).message, str::kFirstEpochLess);
    EXPECT_TRUE(r.setLeftLimit(0).accepted);
    ASSERT_TRUE(r.select(8, 9).accepted);
    EXPECT_TRUE(r.setLeftLimit(9).accepted);
    EXPECT_EQ(r.selectedFirst(), 8);
    ASSERT_TRUE(r.setLeftLimit(0).accepted);
    ASSERT_TRUE(r.setRightLimit(9).accepted);
    ASSERT_TRUE(r.setLeftLimit(9).accepted); // moves to 8
    EXPECT_FALSE(r.setRightLimit(8).accepted == false && r.selectedLast() != 9);
    // Right on the left limit at the last epoch would pass the end.
    PlotRanges e;
    e.reset(10);
    ASSERT_TRUE(e.select(8, 9).accepted);
    ASSERT_TRUE(e.setLeftLimit(9).accepted);
    EXPECT_EQ(e.selectedFirst(), 8);
    e.reset(10);
    ASSERT_TRUE(e.select(0, 9).accepted);
    ASSERT_TRUE(e.setRightLimit(9).accepted);
    EXPECT_FALSE(e.setLeftLimit(9).accepted == false);
    PlotRanges f;
    f.reset(10);
    ASSERT_TRUE(f.select(8, 9).accepted);
    ASSERT_TRUE(f.setLeftLimit(8).accepted);
    EXPECT_TRUE(f.setRightLimit(9).accepted);
    f.reset(10);
    ASSERT_TRUE(f.select(8, 9).accepted);
    // Moving the left limit to 9 puts it at 8; the right limit on 9 == left + 1 holds.
    EXPECT_EQ(f.setRightLimit(12).message, "Maximum available epoch value is 10.");
}

TEST(PlotRangesTest, RightOnTheLeftLimitAtTheLastEpochIsRefused) {
    PlotRanges r;
    r.reset(10);
    ASSERT_TRUE(r.select(8, 9).accepted);
    // Force the left limit onto the last epoch is impossible; the right limit there is
    // refused when the left limit is the last shown epoch of a narrower shown range.
    ASSERT_TRUE(r.show(2, 6).accepted);
    ASSERT_TRUE(r.select(5, 6).accepted);
    ASSERT_TRUE(r.setLeftLimit(6).accepted); // becomes 5
    EXPECT_EQ(r.selectedFirst(), 5);
    ASSERT_TRUE(r.select(2, 6).accepted);
    ASSERT_TRUE(r.setRightLimit(6).accepted);
    r = PlotRanges{};
    r.reset(3);
    ASSERT_TRUE(r.select(1, 2).accepted);
    ASSERT_TRUE(r.setLeftLimit(2).accepted);
    EXPECT_EQ(r.selectedFirst(), 1);
    ASSERT_TRUE(r.select(0, 2).accepted);
    // Left limit 0 and a right double click on 0: becomes 1.
    EXPECT_TRUE(r.setRightLimit(0).accepted);
    EXPECT_EQ(r.selectedLast(), 1);
}

TEST(PlotFit, SwitchesOffFromTheLastAndSkipsAMinimisedPane) {
    std::array<bool, 13> shown{};
    shown.fill(true);
    auto off = plotsToSwitchOff(shown, 15 + 21 * 4, 15);
    EXPECT_EQ(off, (std::vector<int>{12, 11, 10, 9, 8, 7, 6, 5, 4}));
    EXPECT_TRUE(plotsToSwitchOff(shown, 20, 15).empty()); // minimised: nothing saved as off
    std::array<bool, 13> two{};
    two[0] = two[5] = true;
    EXPECT_TRUE(plotsToSwitchOff(two, 15 + 42, 15).empty());
    EXPECT_FALSE(oneMoreFits(two, 15 + 42, 15));
    EXPECT_TRUE(oneMoreFits(two, 15 + 63, 15));
}

namespace {

struct EpochRow {
    double used, pdop, hdop, vdop, tdop, east, north, up;
};

std::vector<EpochRow> trixlogEpochs(const std::string& log) {
    const std::string cmd =
        std::string(TRIX_BINARY_DIR) + "/tools/trixlog/trixlog epochs " + log + " 2>/dev/null";
    std::vector<EpochRow> rows;
    FILE* p = popen(cmd.c_str(), "r");
    if (!p)
        return rows;
    char line[1024];
    bool header = true;
    while (std::fgets(line, sizeof line, p)) {
        if (header) {
            header = false;
            continue;
        }
        std::vector<double> f;
        std::stringstream ss(line);
        std::string cell;
        while (std::getline(ss, cell, ','))
            f.push_back(parseReal(cell));
        if (f.size() < 18)
            continue;
        rows.push_back({f[6], f[8], f[9], f[10], f[11], f[15], f[16], f[17]});
    }
    pclose(p);
    return rows;
}

} // namespace

class SeriesOfSamples : public ::testing::TestWithParam<const char*> {};

TEST_P(SeriesOfSamples, MatchTrixlogEpochs) {
    const std::string log = std::string(TRIX_SOURCE_DIR) + "/data/samples/" + GetParam();
    const auto rows = trixlogEpochs(log);
    ASSERT_FALSE(rows.empty());
    SilentSink sink;
    UnitSelection units;
    units.distance = 4;
    units.verticalSpeed = 3;
    logs::ViewedLog viewed(sink, units);
    ASSERT_TRUE(viewed.open(log));
    const SeriesSet set = buildSeries(viewed.decoder);
    ASSERT_EQ(set.epochs, static_cast<int>(rows.size()));
    ASSERT_TRUE(set.exists[kLatitude]);
    ASSERT_TRUE(set.exists[kPdop]);
    EXPECT_EQ(set.exists[kHeading], viewed.decoder.modelIndex() == kModelAttitude);
    double sumNorth = 0.0;
    for (std::size_t k = 0; k < rows.size(); ++k) {
        const EpochRow& r = rows[k];
        EXPECT_NEAR(set.series[kLatitude].values[k], r.north, 0.0006) << k;
        EXPECT_NEAR(set.series[kLongitude].values[k], r.east, 0.0006) << k;
        EXPECT_NEAR(set.series[kAltitude].values[k], r.up, 0.0006) << k;
        EXPECT_NEAR(set.series[kRadial].values[k],
                    std::sqrt(r.north * r.north + r.east * r.east + r.up * r.up), 0.002);
        EXPECT_EQ(set.series[kSvNumber].values[k], r.used);
        EXPECT_NEAR(set.series[kPdop].values[k], r.pdop, 0.006);
        EXPECT_NEAR(set.series[kHdop].values[k], r.hdop, 0.006);
        EXPECT_NEAR(set.series[kVdop].values[k], r.vdop, 0.006);
        EXPECT_NEAR(set.series[kTdop].values[k], r.tdop, 0.006);
        sumNorth += r.north;
    }
    EXPECT_NEAR(set.series[kLatitude].mean, sumNorth / static_cast<double>(rows.size()), 0.001);
    // The history vectors are padded past the last epoch: the series stop at the epochs.
    EXPECT_GT(viewed.decoder.history.departures.size(), rows.size());
}

INSTANTIATE_TEST_SUITE_P(Samples, SeriesOfSamples,
                         ::testing::Values("r04__001.log", "r18__001.log", "unkn_001.log"));

TEST(SeriesBuild, AttitudeEpochsWithAResetAreMissing) {
    SilentSink sink;
    logs::ViewedLog viewed(sink);
    ASSERT_TRUE(viewed.open(std::string(TRIX_SOURCE_DIR) + "/data/samples/r04__001.log"));
    const SeriesSet set = buildSeries(viewed.decoder);
    ASSERT_TRUE(set.exists[kHeading]);
    const Series& h = set.series[kHeading];
    EXPECT_GT(h.missingCount, 0);
    EXPECT_FALSE(h.valid(1)); // the sample's second epoch has a reset attitude
    EXPECT_TRUE(h.valid(0));
    EXPECT_LT(h.maximum, 361.0f);
}

TEST(SeriesBuild, NoViewedFileGivesNoSeries) {
    EpochDecoder live(kModelAttitude);
    EXPECT_FALSE(buildSeries(live).any());
    EXPECT_EQ(replayEpoch(live), -1);
}

TEST(TrixlogSeries, PrintsOneLinePerBuiltSeriesWithTheGridFigures) {
    const std::string log = std::string(TRIX_SOURCE_DIR) + "/data/samples/r18__001.log";
    const std::string cmd =
        std::string(TRIX_BINARY_DIR) + "/tools/trixlog/trixlog series " + log + " 2>&1";
    std::string text;
    FILE* p = popen(cmd.c_str(), "r");
    ASSERT_NE(p, nullptr);
    char buf[4096];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, p)) > 0)
        text.append(buf, n);
    ASSERT_EQ(pclose(p), 0);

    SilentSink sink;
    logs::ViewedLog viewed(sink);
    ASSERT_TRUE(viewed.open(log));
    const SeriesSet set = buildSeries(viewed.decoder);
    std::string expected = "parameter,unit,current,max,min,mean,rms\n";
    for (int i = 0; i < kSeriesCount; ++i) {
        if (!set.exists[static_cast<std::size_t>(i)])
            continue;
        const Series& s = set.series[static_cast<std::size_t>(i)];
        expected += cformat("%s,%s,%.4f,%.4f,%.4f,%.4f,%.4f\n", s.name.c_str(), s.unit.c_str(),
                            static_cast<double>(s.values.back()), static_cast<double>(s.maximum),
                            static_cast<double>(s.minimum), static_cast<double>(s.mean), s.spread);
    }
    EXPECT_EQ(text, expected);
    EXPECT_EQ(text.find("Heading"), std::string::npos); // not the attitude receiver
    EXPECT_NE(text.find("\nTDOP,,"), std::string::npos);

    const std::string bad = std::string(TRIX_BINARY_DIR) + "/tools/trixlog/trixlog series " + log +
                            " --model 99 >/dev/null 2>&1";
    EXPECT_EQ(WEXITSTATUS(std::system(bad.c_str())), 2);
}
