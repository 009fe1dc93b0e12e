#include "logs/statistics.h"

#include "base/strings.h"
#include "decode/epoch_decoder.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cmath>

namespace trix::logs {
namespace {

using test::RecordingSink;

TEST(RunningStatTest, DeviationUsesFactorOutsideTheRoot) {
    RunningStat s;
    updateRunningStat(s, 0.0, 1);
    EXPECT_EQ(s.sigma, 0.0);
    updateRunningStat(s, 2.0, 2);
    EXPECT_DOUBLE_EQ(s.mean, 1.0);
    EXPECT_DOUBLE_EQ(s.meanSquare, 2.0);
    EXPECT_DOUBLE_EQ(s.sigma, 2.0); // sqrt(2 - 1) * 2 / 1
}

TEST(RunningStatTest, NearConstantSeriesNeverGivesNaN) {
    RunningStat s;
    for (int n = 1; n <= 1000; ++n) {
        updateRunningStat(s, 0.1 + 1e-17 * (n % 3), n);
        ASSERT_FALSE(std::isnan(s.sigma)) << n;
    }
    EXPECT_NEAR(s.sigma, 0.0, 1e-6);
}

TEST(HistogramTest, FirstValueRescalesIntoLastBin) {
    Histogram h;
    h.add(0.5);
    EXPECT_DOUBLE_EQ(h.width, 0.5 * 0.001 + 1e-8);
    EXPECT_EQ(h.counts[999], 1u);
}

TEST(HistogramTest, RescaleKeepsEveryCount) {
    Histogram h;
    h.add(0.5);
    for (int i = 1; i <= 200; ++i)
        h.add(i * 0.0025);
    h.add(7.0);
    std::uint64_t total = 0;
    for (auto c : h.counts)
        total += c;
    EXPECT_EQ(total, 202u);
    EXPECT_DOUBLE_EQ(h.width, 7.0 * 0.001 + 1e-8);
}

TEST(HistogramTest, PercentileInterpolatesInsideTheBin) {
    Histogram h;
    h.width = 1.0;
    h.counts[0] = 4;
    h.counts[1] = 4;
    h.counts[2] = 2;
    // n = 10: CEP target 5 is passed in bin 1 with S = 8: 1 + (4 - 8 + 5) / 4.
    EXPECT_DOUBLE_EQ(h.percentileBins(0.5, 10), 1.25);
    // 95 %: target truncate(9.5) = 9, passed in bin 2 with S = 10: 2 + (2 - 10 + 9) / 2.
    EXPECT_DOUBLE_EQ(h.percentileBins(0.95, 10), 2.5);
    EXPECT_DOUBLE_EQ(h.percentileBins(0.95, 40), 1000.0);
}

class StatisticsTest : public ::testing::Test {
protected:
    StatisticsTest() : stats(decoder, sink) {
        EpochDecoder::Hooks hooks;
        hooks.analysis = &stats;
        decoder.setHooks(hooks);
    }
    void feed(double east, double north, double up) {
        decoder.departure.dep = {static_cast<float>(east), static_cast<float>(north),
                                 static_cast<float>(up)};
        decoder.departure.horizontalSquared = east * east + north * north;
        decoder.position = {48.0, 11.0, 500.0 + up};
        stats.accumulate(decoder, false);
    }
    RecordingSink sink;
    EpochDecoder decoder{kModelUnknown};
    Statistics stats;
};

TEST_F(StatisticsTest, AverageModeComputesNoHistogramFigures) {
    stats.setSettings({ReferenceMode::AverageOverTime, {48, 11, 500}, 1, 2, 1.0, false});
    stats.setActive(true);
    feed(3.0, 4.0, 1.0);
    feed(-3.0, -4.0, -1.0);
    EXPECT_EQ(stats.block().analysed, 2);
    EXPECT_EQ(stats.block().cep, 0.0);
    EXPECT_EQ(stats.block().horizontal95, 0.0);
    EXPECT_EQ(stats.block().outliers, 0);
    EXPECT_DOUBLE_EQ(stats.block().east.sigma, 6.0);
}

TEST_F(StatisticsTest, TruthModeCountsOutliersAboveTheLimit) {
    stats.setSettings({ReferenceMode::VsTruth, {48, 11, 500}, 1, 2, 4.0, false});
    stats.setActive(true);
    feed(1.0, 1.0, 0.0);
    feed(3.0, 4.0, 0.0); // exactly 5 m
    feed(0.5, 0.5, 0.0);
    EXPECT_EQ(stats.block().outliers, 1);
    EXPECT_EQ(stats.block().lastOutlier, 2);
    EXPECT_GT(stats.block().cep, 0.0);
    EXPECT_GE(stats.block().horizontal95, stats.block().cep);

    // A limit of 0 counts nothing and never writes an outlier file.
    AnalysisSettings off{ReferenceMode::VsTruth, {}, 1, 2, 0.0, true};
    EXPECT_FALSE(off.writeOutlierFile());
    off.outlierLimit = 1;
    EXPECT_TRUE(off.writeOutlierFile());
    off.mode = ReferenceMode::AverageOverTime;
    EXPECT_FALSE(off.writeOutlierFile());
}

TEST_F(StatisticsTest, AttitudeMeansLeaveBadEpochsOut) {
    decoder.setModelIndex(kModelAttitude);
    stats.setActive(true);
    auto attitude = [&](float heading, std::uint8_t reset) {
        decoder.at2 = AttitudeRecord{};
        decoder.at2.heading = heading;
        decoder.at2.pitch = 2.0f;
        decoder.at2.resetFlag = reset;
        decoder.departure = {};
        stats.accumulate(decoder, true);
    };
    attitude(350.0f, 0);
    attitude(0.0f, 1); // bad: counted in n and as bad, means untouched
    attitude(10.0f, 0);
    const auto& b = stats.block();
    EXPECT_EQ(b.analysed, 3);
    EXPECT_EQ(b.badAttitude, 1);
    EXPECT_NEAR(b.meanHeading, 0.0, 1e-9); // -10 and +10 around north
    EXPECT_NEAR(b.pitch.mean, 2.0, 1e-6);
    auto lines = stats.summaryLines();
    EXPECT_EQ(lines.back(), "Percentage good attitude availability  66.67 %");
    EXPECT_EQ(lines[lines.size() - 2], "Number of bad attitude measurements  1");
}

TEST_F(StatisticsTest, SummaryOfNoEpochShowsZeroPercent) {
    decoder.analysisStartTime = 123456.5;
    decoder.pos.utcTime = 130000.0;
    auto lines = stats.summaryLines();
    ASSERT_EQ(lines.size(), 19u);
    EXPECT_EQ(lines[0], "\nTime of analysis start: 12:34:56.5000");
    EXPECT_EQ(lines[1], "Time of analysis stop: 13:0:0.0000.\n");
    EXPECT_EQ(lines[2], "Statistical summary:\n");
    EXPECT_EQ(lines[3], "CEP  0.0000 m");
    EXPECT_EQ(lines[7], "Horizontal 95%  0.0000 m");
    EXPECT_EQ(lines[18], "Outliers percent  0.00%");
    EXPECT_EQ(lines[17], "Outliers number  0 points");
}

TEST_F(StatisticsTest, OutlierFileHeaderAndSentences) {
    test::TempDir dir;
    stats.setDirectory(dir.path);
    stats.setSettings({ReferenceMode::VsTruth, {-33.5, 151.25, 12.0}, 1, 2, 2.0, true});
    stats.setActive(true);
    stats.resetAnalysis(true);
    ASSERT_TRUE(stats.summaryOpen());
    EXPECT_EQ(stats.summaryPath(), dir.file("unkn_001.sum"));
    feed(3.0, 0.0, 0.0); // outlier: the sentences of this epoch are copied
    stats.afterSentence("$GPGGA,outlier", false);
    feed(0.1, 0.0, 0.0);
    stats.afterSentence("$GPGGA,fine", false);
    stats.afterSentence("$PXKTR,RI,live identification", false);
    stats.afterSentence("$PXKTR,RI,live identification", true);
    int told = 0;
    stats.setSummaryWritten([&] { ++told; });
    stats.setActive(false);
    stats.epochStateReset(); // switching the analysis off writes the summary
    EXPECT_FALSE(stats.summaryOpen());
    EXPECT_EQ(told, 1) << "the epoch counter is told to refresh";
    std::string text = test::readFile(dir.file("unkn_001.sum"));
    EXPECT_EQ(text.substr(0, text.find("\n\nTime of analysis start")),
              "Outlier File for Unknown receiver\n"
              "Truth reference coordinates:\n"
              "      latitude:  33\u00b0 30.0000000' S\n"
              "      longitude: 151\u00b0 15.0000000' E\n"
              "      altitude: 12.0000\n"
              "Outlier limit: 2.0000\n\n"
              "$GPGGA,outlier\n"
              "$PXKTR,RI,live identification");
    EXPECT_NE(text.find("Outliers number  1 points\n"), std::string::npos);

    // The next numbered summary file never replaces the first.
    stats.setActive(true);
    stats.resetAnalysis(true);
    EXPECT_EQ(stats.summaryPath(), dir.file("unkn_002.sum"));
}

TEST_F(StatisticsTest, UnwritableSummaryLocationIsReported) {
    stats.setDirectory("/nonexistent-dir/");
    stats.setSettings({ReferenceMode::VsTruth, {}, 1, 2, 2.0, true});
    stats.resetAnalysis(true);
    EXPECT_FALSE(stats.summaryOpen());
    ASSERT_FALSE(sink.texts.empty());
    EXPECT_EQ(sink.texts.back(), "File \n/nonexistent-dir/unkn_001.sum\ncould not be opened !\n(No "
                                 "such file or directory)");
}

} // namespace
} // namespace trix::logs
