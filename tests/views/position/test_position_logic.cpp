// The position plot's scale, pixel mapping, scale texts, trace order and text lines.

#include "decode/epoch_decoder.h"
#include "views/position/plot_scale.h"
#include "views/position/position_text.h"
#include "views/position/trace.h"

#include <gtest/gtest.h>

#include <cmath>

namespace trix::views {
namespace {

TEST(PlotScale, ZoomIsAccepted25TimesEachWayAndZoomAllReturnsToOne) {
    PlotScale s;
    for (int i = 0; i < 25; ++i)
        ASSERT_TRUE(s.zoomIn()) << i;
    EXPECT_NEAR(s.zoom(), 95.396, 0.001);
    EXPECT_FALSE(s.zoomIn());
    EXPECT_NEAR(s.zoom(), 95.396, 0.001);
    s.zoomAll();
    EXPECT_EQ(s.zoom(), 1.0);
    for (int i = 0; i < 25; ++i)
        ASSERT_TRUE(s.zoomOut()) << i;
    EXPECT_NEAR(s.zoom(), 0.01048, 0.00001);
    EXPECT_FALSE(s.zoomOut());
}

TEST(PlotScale, ResetTakesTheHistoryAndTheRingsOfAnAnalysis) {
    PlotScale s;
    s.reset({9.0, false, false, 2.0, 5.0});
    EXPECT_EQ(s.range(), 3.0);
    s.reset({9.0, true, false, 4.0, 5.0});
    EXPECT_EQ(s.range(), 4.0); // raised to Ring2
    s.reset({9.0, true, true, 4.0, 5.0});
    EXPECT_EQ(s.range(), 5.0); // and to the outlier limit in "vs Truth" mode
    s.reset({0.0, false, false, 2.0, 0.0});
    EXPECT_EQ(s.visibleRadius(2.0), 2.0); // empty history: S is Ring2
}

TEST(PlotScale, RangeGrowsButNeverShrinksUntilReset) {
    PlotScale s;
    s.reset({4.0, false, false, 1.0, 0.0});
    s.grow(1.0);
    EXPECT_EQ(s.range(), 2.0);
    s.grow(16.0);
    EXPECT_EQ(s.range(), 4.0);
    s.zoomIn();
    EXPECT_DOUBLE_EQ(s.visibleRadius(1.0), 4.0 / 1.2);
}

TEST(PlotPixel, TruncatesTowardZeroAndHoldsFarOffsets) {
    EXPECT_EQ(plotPixel(1.0, 1.0, 100, 10.0), (PlotPixel{110, 90}));
    EXPECT_EQ(plotPixel(-0.19, 0.19, 100, 10.0), (PlotPixel{99, 99})); // -1.9 → -1
    EXPECT_EQ(plotPixel(0.0, -0.05, 100, 10.0), (PlotPixel{100, 100}));
    const PlotPixel far = plotPixel(1e12, -1e12, 100, 1e-3);
    EXPECT_GT(far.x, 100000);
    EXPECT_GT(far.y, 100000);
    EXPECT_EQ(plotPixel(std::nan(""), 0.0, 100, 1.0), (PlotPixel{100, 100}));
    EXPECT_EQ(ringRadius(100, 0.5, 1.0), 50);
    EXPECT_EQ(ringRadius(100, 0.504, 1.0), 50);
    EXPECT_EQ(ringRadius(100, 0.505, 1.0), 51);
}

TEST(ScaleText, FollowsTheMagnitudeRule) {
    EXPECT_EQ(formatScale(0.0), "0");
    EXPECT_EQ(formatScale(0.00005), "5e-05");
    EXPECT_EQ(formatScale(0.0005), "0.0005");
    EXPECT_EQ(formatScale(0.5), "0.500");
    EXPECT_EQ(formatScale(1.0), "1.00");
    EXPECT_EQ(formatScale(99.994), "99.99");
    EXPECT_EQ(formatScale(100.0), "100.0");
}

EpochDecoder historyOf(int stored) {
    EpochDecoder d(kModelUnknown);
    d.history.departures.resize(8);
    for (int i = 0; i < 8; ++i)
        d.history.departures[static_cast<std::size_t>(i)] = {static_cast<float>(i), 0.0f, 0.0f};
    d.history.writePosition = stored - 1;
    d.epochsCompleted = stored;
    return d;
}

TEST(Trace, LiveRunsOldestFirstAcrossTheRingEnd) {
    EpochDecoder d = historyOf(5);
    using R = std::vector<std::pair<int, int>>;
    EXPECT_EQ(traceRanges(d), (R{{0, 4}}));
    d.history.writePosition = 2; // wrapped: newest 2, oldest 3
    d.history.oldestPosition = 3;
    EXPECT_EQ(traceRanges(d), (R{{3, 7}, {0, 2}}));
    d.history.writePosition = -1;
    EXPECT_TRUE(traceRanges(d).empty());
}

TEST(Trace, ViewedFileRunsToTheCurrentEpochOrToTheEndOnceRead) {
    EpochDecoder d = historyOf(8);
    d.setViewing(true);
    d.history.writePosition = 3;
    using R = std::vector<std::pair<int, int>>;
    EXPECT_EQ(traceRanges(d), (R{{0, 3}}));
    d.logIndexed = true;
    EXPECT_EQ(traceRanges(d), (R{{0, 7}}));
}

TEST(Trace, PointsOnThePreviousPixelAreSkipped) {
    EpochDecoder d(kModelUnknown);
    d.history.departures = {{0, 0, 0}, {0.01f, 0, 0}, {1, 0, 0}, {0, 0, 0}, {0.02f, 0, 0}};
    d.history.writePosition = 4;
    const auto px = tracePixels(d, 100, 10.0);
    // 0.01 m and 0.02 m fall on the pixel of the point before them.
    ASSERT_EQ(px.size(), 3u);
    EXPECT_EQ(px[0], (PlotPixel{100, 100}));
    EXPECT_EQ(px[1], (PlotPixel{110, 100}));
    EXPECT_EQ(px[2], (PlotPixel{100, 100}));
}

TEST(TextLines, FourLinesWithModeConstellationsAndUnits) {
    EpochDecoder d(kModelUnknown);
    d.pos.fixMode = 1;
    d.pos.usedSats = 9;
    d.pos.utcTime = 123456.78;
    d.pos.latitude = 48.1173;
    d.pos.latHemisphere = 'N';
    d.pos.longitude = 11.5;
    d.pos.lonHemisphere = 'W';
    d.pos.altitude = 544.87f;
    d.pos.pdop = 1.94f;
    d.pos.hdop = 1.0f;
    d.pos.vdop = 1.6f;
    d.pos.tdop = 1.2f;
    d.sat.constellations = kGps | kSbas;
    UnitSelection u;
    u.coordinateFormat = 0;
    TextLines t = positionTextLines(d, kModelUnknown, u);
    ASSERT_EQ(t.lines.size(), 4u);
    EXPECT_EQ(t.lines[0],
              "Differential GPS + SBAS position     Used SVs: 9     UTC Time: 12 : 34 : "
              "56.78");
    EXPECT_EQ(t.lines[1],
              "Lat:  48.1173000000\u00b0 N     Lon:  11.5000000000\u00b0 W     Altitude "
              "above WGS-84: 544.87 m");
    EXPECT_EQ(t.lines[2], "PDOP: 1.9     HDOP: 1.0     VDOP: 1.6     TDOP: N/A");
    EXPECT_TRUE(t.attitudeLineGrey);

    d.at2.doubleDiff = {1, 2, 3};
    d.at2.brms = 0.0042f;
    d.at2.mrms = 0.0061f;
    u.altitude = 1;
    t = positionTextLines(d, kModelAttitude, u);
    EXPECT_EQ(t.lines[2], "PDOP: 1.9     HDOP: 1.0     VDOP: 1.6     TDOP: 1.2");
    EXPECT_EQ(t.lines[3], "RX-04 Double Differences:  V1-2: 1   V1-3: 2   V1-4: 3     BRMS: 4.2 mm"
                          "     MRMS: 6.1 mm");
    EXPECT_NE(t.lines[1].find("544.87 ft"), std::string::npos);
    EXPECT_FALSE(t.attitudeLineGrey);
    EXPECT_EQ(constellationText(kGps | kGlonass | kSbas), "GPS + GLONASS + SBAS");
    EXPECT_EQ(constellationText(0), "");
}

} // namespace
} // namespace trix::views
