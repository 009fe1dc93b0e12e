#include "panel_support.h"

#include "base/strings.h"
#include "views/instruments/instrument_view.h"
#include "views/instruments/statistics_table.h"

#include <QScrollBar>

#include <gtest/gtest.h>

using namespace trix;
using namespace trix::views;
using namespace panel_test;

namespace {

bool hasLabel(const std::vector<TableLine>& lines, const char* label) {
    for (const auto& l : lines)
        if (l.label == QString::fromUtf8(label))
            return true;
    return false;
}

// An analysis in "vs Truth" mode with horizontal errors of 0.1 m to 1.0 m.
void analyse(World& w, logs::ReferenceMode mode, double outlierLimit, int epochs = 40) {
    logs::AnalysisSettings s;
    s.mode = mode;
    s.outlierLimit = outlierLimit;
    w.statistics.setSettings(s);
    w.statistics.setActive(true);
    w.view.analysisActive = true;
    w.view.referenceMode = mode;
    w.view.outlierLimit = outlierLimit;
    for (int i = 0; i < epochs; ++i) {
        const double e = 0.1 + 0.9 * (i % 10) / 9.0;
        w.decoder.departure.dep = DeparturePoint{static_cast<float>(e), 0.0f, 0.5f};
        w.decoder.departure.horizontalSquared = e * e;
        w.decoder.position = GeoPoint{48.1, 11.5, 500.5};
        w.statistics.accumulate(w.decoder, false);
    }
}

} // namespace

TEST(StatisticsTable, AverageOverTimeShowsDeviationsAndNoOutlierRows) {
    World w(8);
    analyse(w, logs::ReferenceMode::AverageOverTime, 0.5);
    const auto lines = statisticsLines(w.view);
    EXPECT_EQ(statisticsTitle(w.view), QString::fromUtf8(str::kAnalysisInformation));
    EXPECT_TRUE(hasLabel(lines, str::kHorizontalSigma));
    EXPECT_FALSE(hasLabel(lines, str::kCep));
    EXPECT_FALSE(hasLabel(lines, str::kOutlierLimit));
    EXPECT_FALSE(hasLabel(lines, str::kOutliersPercent));
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front().value, QStringLiteral("40"));
    EXPECT_TRUE(lines.back().grey); // attitude lines of a receiver other than RX-04
}

TEST(StatisticsTable, VsTruthListsAccuracyFiguresInTheDistanceUnit) {
    World w(kModelAttitude);
    analyse(w, logs::ReferenceMode::VsTruth, 0.5);
    w.view.units.distance = 7; // cm
    const auto lines = statisticsLines(w.view);
    EXPECT_EQ(statisticsTitle(w.view), QString::fromUtf8(str::kPositionAccuracyMeasures));
    ASSERT_GE(lines.size(), 17u);
    EXPECT_EQ(lines[1].label, QString::fromUtf8(str::kCep));
    EXPECT_TRUE(lines[1].value.endsWith(QStringLiteral(" cm")));
    // The errors 0.1 … 1.0 m in steps of 0.1: half of them lie above the 0.5 m limit.
    bool found = false;
    for (const auto& l : lines)
        if (l.label == QString::fromUtf8(str::kOutliersPercent)) {
            EXPECT_EQ(l.value, QStringLiteral("50.00 %"));
            found = true;
        }
    EXPECT_TRUE(found);
    EXPECT_FALSE(lines.back().grey);
}

TEST(StatisticsTable, HistogramLayoutGroupsBinsAndDoublesTheScale) {
    logs::Histogram h;
    h.width = 0.002; // 1000 bins span 2 m
    h.counts[0] = 30;
    h.counts[10] = 30; // same bar as bin 0 with 11 bins per bar
    h.counts[11] = 40;
    const HistogramLayout l = layoutHistogram(h, 100, 100, 100.0); // in cm
    EXPECT_EQ(l.binsPerBar, 11);
    EXPECT_EQ(l.shares.size(), 91u);
    EXPECT_NEAR(l.shares[0], 60 / 100.1, 1e-12);
    EXPECT_NEAR(l.shares[1], 40 / 100.1, 1e-12);
    EXPECT_DOUBLE_EQ(l.scale, 0.64); // 0.01 doubled until above 0.5994
    EXPECT_DOUBLE_EQ(l.axisSpan, 200.0);
    EXPECT_DOUBLE_EQ(l.multiplier, 10.0);

    logs::Histogram all;
    all.counts[5] = 10;
    const HistogramLayout full = layoutHistogram(all, 10, 1000, 1.0);
    EXPECT_EQ(full.binsPerBar, 1);
    EXPECT_DOUBLE_EQ(full.scale, 1.0); // never above 1.0
}

TEST(StatisticsTable, HistogramBarsAreDrawnWhereTheirBinsAre) {
    World w(8);
    analyse(w, logs::ReferenceMode::VsTruth, 0.5);
    InstrumentView pane(w.source(), w.sink);
    pane.analysisChanged();
    const QImage img = pane.renderStatistics();
    StatisticsTable table;
    const QPoint h = table.histogramOrigin(w.view, 0);
    const QPoint v = table.histogramOrigin(w.view, 1);
    const QRect horizontalArea(h + QPoint(40, 32), QSize(100, 110));
    const QRect verticalArea(v + QPoint(40, 32), QSize(100, 110));
    EXPECT_GT(countPixels(img, horizontalArea, [](QRgb c) { return isColour(c, 0, 128, 0, 5); }),
              30);
    EXPECT_GT(countPixels(img, verticalArea, [](QRgb c) { return isColour(c, 0, 0, 128, 5); }), 30);
    EXPECT_TRUE(img.save(artefact(QStringLiteral("pos_vw1_statistics_vs_truth.png"))));
}

TEST(StatisticsTable, ScrollKeysMoveTheTableOnlyDuringAnAnalysis) {
    World w(kModelAttitude);
    InstrumentView pane(w.source(), w.sink);
    pane.resize(InstrumentView::kWidth, InstrumentView::kHeight);
    pane.show();
    EXPECT_FALSE(pane.scrollKey(Qt::Key_PageDown));
    EXPECT_EQ(pane.scrollPosition().y(), 0);
    EXPECT_EQ(pane.pageSize(), QSize(360, 290));

    analyse(w, logs::ReferenceMode::VsTruth, 0.5);
    pane.analysisChanged();
    EXPECT_GT(pane.pageSize().height(), InstrumentView::kHeight);
    EXPECT_TRUE(pane.scrollKey(Qt::Key_Down));
    const int line = pane.scrollPosition().y();
    EXPECT_GT(line, 0);
    EXPECT_TRUE(pane.scrollKey(Qt::Key_PageDown));
    EXPECT_GT(pane.scrollPosition().y(), line + 100);
    EXPECT_TRUE(pane.scrollKey(Qt::Key_PageUp));
    EXPECT_EQ(pane.scrollPosition().y(), line);
    EXPECT_TRUE(pane.scrollKey(Qt::Key_Up));
    EXPECT_EQ(pane.scrollPosition().y(), 0);
    EXPECT_FALSE(pane.scrollKey(Qt::Key_Left));
    EXPECT_TRUE(
        pane.grab().toImage().save(artefact(QStringLiteral("pos_vw1_statistics_pane.png"))));

    w.view.referenceMode = logs::ReferenceMode::AverageOverTime;
    w.statistics.setSettings({});
    EXPECT_TRUE(
        pane.renderStatistics().save(artefact(QStringLiteral("pos_vw1_statistics_average.png"))));
}
