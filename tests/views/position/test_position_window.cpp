// The position window offscreen: what the plot pane draws at the computed pixels, the ring
// rules, zoom limits and keys, the status texts and placements, and grabs of every mode.

#include "../context_menu_probe.h"
#include "app/core/ini_profile.h"
#include "logs/viewed_log.h"
#include "view_test_support.h"
#include "views/instruments/instrument_view.h"
#include "views/position/departure_plot_view.h"
#include "views/position/position_text.h"
#include "views/position/position_text_view.h"
#include "views/position/position_window.h"
#include "views/sky/display_source.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>

#include <gtest/gtest.h>

#include <cmath>

namespace trix::views {
namespace {

using test::near;

const QColor kGrey(128, 128, 128);
const QColor kBlack(0, 0, 0);
const QColor kWhite(255, 255, 255);
const QColor kTrace(0, 255, 0);
const QColor kCurrent(255, 98, 89);
const QColor kYellow(255, 255, 0);
const QColor kOutlier(255, 0, 0);

class CountingSink : public MessageSink {
public:
    Answer show(std::string_view, Buttons, Icon) override { return Answer::Ok; }
    void beep() override { ++beeps; }
    int beeps = 0;
};

class PlotTest : public ::testing::Test {
protected:
    void SetUp() override {
        source.decoderPtr = &decoder;
        source.sink = &sink;
        source.analysisValue.ring1 = 1.0;
        source.analysisValue.ring2 = 2.0;
    }
    void store(float east, float north) {
        test::storeLive(decoder, test::satellites({}), {east, north, 0.0f});
    }
    // A plot pane of radius 150 (the titles take the room below the disc).
    std::unique_ptr<DeparturePlotView> pane() {
        auto p = std::make_unique<DeparturePlotView>(source);
        p->resize(300, 300 + p->textReserve());
        p->show();
        QApplication::processEvents();
        return p;
    }
    // Pixels beyond `radius` from the centre (150, 150) that have colour c.
    static int outside(const QImage& img, int radius, const QColor& c) {
        int n = 0;
        for (int y = 0; y < 300; ++y)
            for (int x = 0; x < 300; ++x)
                if (std::hypot(x - 150, y - 150) > radius && QColor(img.pixel(x, y)) == c)
                    ++n;
        return n;
    }

    EpochDecoder decoder{kModelUnknown};
    CountingSink sink;
    PlainDisplaySource source;
};

TEST_F(PlotTest, DeparturePlotJoinsTheTracePointsAndCrossesTheNewest) {
    for (auto [e, n] : {std::pair{0.0f, 0.0f}, {3.0f, 0.0f}, {3.0f, 4.0f}, {0.0f, 4.0f}})
        store(e, n);
    auto p = pane();
    ASSERT_EQ(p->radius(), 150);
    p->resetScale(); // range 5 m from the history
    EXPECT_DOUBLE_EQ(p->visibleRadius(), 5.0);
    const QImage img = test::grabOf(*p);
    test::saveImage(img, "position_plot_departure");
    // Points at (150,150), (240,150), (240,30), (150,30), joined by lines.
    EXPECT_EQ(test::px(img, 240, 90), kTrace);
    EXPECT_EQ(test::px(img, 200, 30), kTrace);
    // The cross of ±9 pixels on the newest departure (0, 4).
    EXPECT_EQ(test::px(img, 150 + 7, 30), kCurrent);
    EXPECT_EQ(test::px(img, 150, 30 + 7), kCurrent);
    EXPECT_EQ(test::px(img, 150, 30 - 10), kWhite); // the vertical diameter above it
    // The disc and the half-range circle.
    EXPECT_EQ(test::px(img, 260, 260), kGrey);
    EXPECT_EQ(test::px(img, 200, 250), kBlack);
    EXPECT_TRUE(near(img, 150 + 53, 150 + 53, kWhite)); // r/2 = 75 on the diagonal
}

TEST_F(PlotTest, ScatterPlotDrawsRingsAndCrossesAndLeavesTheOutlierRingToVsTruth) {
    store(0.5f, 0.5f);
    store(-0.5f, 0.25f);
    source.analysisOn = true;
    source.analysisValue.outlierLimit = 1.5;
    auto p = pane();
    p->resetScale();
    EXPECT_DOUBLE_EQ(p->visibleRadius(), 2.0); // raised to Ring2
    QImage img = test::grabOf(*p);
    // Ring1 at 75 pixels, Ring2 at 150 (it fits exactly), both yellow.
    EXPECT_TRUE(near(img, 150 + 53, 150 + 53, kYellow));
    EXPECT_TRUE(near(img, 150 + 106, 150 + 106, kYellow));
    EXPECT_EQ(test::countColour(img, kOutlier), 0); // "Average over time": no outlier ring
    // A cross at (187, 113): arms from y+4 to y−5 and from x−4 to x+5.
    EXPECT_EQ(test::px(img, 187, 113 + 4), kTrace);
    EXPECT_EQ(test::px(img, 187 + 5, 113), kTrace);
    EXPECT_NE(test::px(img, 187 + 7, 113), kTrace);

    source.analysisValue.mode = logs::ReferenceMode::VsTruth;
    p->resetScale();
    img = test::grabOf(*p);
    test::saveImage(img, "position_plot_scatter_truth");
    EXPECT_TRUE(near(img, 150 + 80, 150 + 80, kOutlier)); // 1.5 / 2 × 150 → 113 pixels
}

TEST_F(PlotTest, ARingBeyondTheVisibleRadiusIsNotDrawnUntilZoomedOut) {
    store(0.2f, 0.0f);
    source.analysisOn = true;
    auto p = pane();
    p->resetScale();
    p->zoomIn(); // S = 2 / 1.2: Ring2 would need 180 pixels
    QImage img = test::grabOf(*p);
    EXPECT_EQ(outside(img, 152, kYellow), 0);
    EXPECT_TRUE(near(img, 150 + 64, 150 + 64, kYellow)); // Ring1 at 90
    p->zoomOut();
    p->zoomOut(); // S = 2.4: Ring2 at 125
    img = test::grabOf(*p);
    EXPECT_TRUE(near(img, 150 + 88, 150 + 88, kYellow));
}

TEST_F(PlotTest, ZoomLimitsBeepAndKeysZoom) {
    auto p = pane();
    for (int i = 0; i < 26; ++i)
        p->zoomKey(Qt::Key_Plus);
    EXPECT_EQ(sink.beeps, 1);
    EXPECT_NEAR(p->scale().zoom(), 95.396, 0.001);
    p->zoomAll();
    p->zoomKey(Qt::Key_Minus);
    EXPECT_DOUBLE_EQ(p->scale().zoom(), PlotScale::kZoomOutStep);
    p->zoomKey(Qt::Key_A);
    EXPECT_DOUBLE_EQ(p->scale().zoom(), PlotScale::kZoomOutStep);
}

TEST_F(PlotTest, RangeFollowsLiveEpochsButNotAViewedFile) {
    store(3.0f, 4.0f);
    auto p = pane();
    p->resetScale();
    store(6.0f, 8.0f);
    p->epoch();
    EXPECT_DOUBLE_EQ(p->scale().range(), 10.0);
    store(0.0f, 0.0f);
    p->epoch();
    EXPECT_DOUBLE_EQ(p->scale().range(), 10.0); // never shrinks
    decoder.setViewing(true);
    decoder.largestHorizontalSquared = 400.0;
    p->epoch();
    EXPECT_DOUBLE_EQ(p->scale().range(), 10.0);
}

TEST_F(PlotTest, APaneSmallerThan40PixelsDrawsNothing) {
    store(1.0f, 1.0f);
    DeparturePlotView p(source);
    p.resize(39, 39 + p.textReserve());
    p.show();
    QApplication::processEvents();
    const QImage img = test::grabOf(p);
    EXPECT_EQ(test::countColour(img, kGrey), img.width() * img.height());
}

TEST_F(PlotTest, WithAnEmptyHistoryTheDeparturePlotWritesZeroAndTheScatterPlotRing2) {
    // The plot of an empty history, drawn with two different Ring2 settings.
    const auto drawnWith = [&](double ring2) {
        source.analysisValue.ring2 = ring2;
        return test::grabOf(*pane());
    };
    EXPECT_EQ(drawnWith(2.0), drawnWith(50.0)); // "0" and "0" beside the rings
    source.analysisOn = true;
    EXPECT_NE(drawnWith(2.0), drawnWith(50.0)); // the visible radius is Ring2
}

class WindowTest : public PlotTest {};

TEST_F(WindowTest, KeypadPlusZoomsTheMainKeyboardPlusDoesNot) {
    PositionWindow w(source);
    w.show();
    QApplication::processEvents();
    QKeyEvent plain(QEvent::KeyPress, Qt::Key_Plus, Qt::NoModifier, "+");
    QApplication::sendEvent(w.plot(), &plain);
    EXPECT_DOUBLE_EQ(w.plot()->scale().zoom(), 1.0);
    QKeyEvent keypad(QEvent::KeyPress, Qt::Key_Plus, Qt::KeypadModifier, "+");
    QApplication::sendEvent(w.text(), &keypad);
    EXPECT_DOUBLE_EQ(w.plot()->scale().zoom(), 1.2);
    w.zoomAllAction()->trigger();
    EXPECT_DOUBLE_EQ(w.plot()->scale().zoom(), 1.0);
}

TEST_F(WindowTest, StatusTextFollowsActivationAndAnalysis) {
    PositionWindow w(source);
    w.activated(true);
    EXPECT_EQ(source.lastStatus, "Press '+' to Zoom In '-' to Zoom Out");
    source.analysisOn = true;
    w.activated(true);
    EXPECT_EQ(source.lastStatus, "Scroll: PgUp/PgDn, Up/Dn");
    w.activated(false);
    EXPECT_EQ(source.lastStatus, "");
}

TEST_F(WindowTest, LayoutPlacementsAndClose) {
    app::IniProfile profile;
    source.profilePtr = &profile;
    auto* w = new PositionWindow(source);
    w->show();
    QApplication::processEvents();
    EXPECT_EQ(w->panel()->width(), PositionWindow::kPanelWidth);
    EXPECT_EQ(w->size(), QSize(605, 375));
    w->close();
    EXPECT_EQ(source.closedCount, 1);
    EXPECT_EQ(source.lastClosed, DataWindow::Position);
    EXPECT_TRUE(profile.contains("Windows", PositionWindow::kPlacementKey));
    EXPECT_TRUE(profile.contains("Windows", PositionWindow::kPlotPlacementKey));
}

TEST_F(WindowTest, PrintedPageHasThePanelBesideThePlotAndTheTextBelow) {
    store(1.0f, 1.0f);
    PositionWindow w(source);
    w.show();
    QApplication::processEvents();
    QImage page(1200, 900, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    const QSize used = w.printPage(painter);
    painter.end();
    const int r = w.plot()->radius();
    EXPECT_EQ(used.width(),
              std::max(2 * r + 10 + w.panel()->pageSize().width(), w.text()->scrollSize().width()));
    EXPECT_EQ(test::px(page, r + 20, r + 40), kBlack); // the disc on the page
    test::saveImage(page, "position_print");
}

// A receiver that wanders about its start in a slow spiral.
void wander(EpochDecoder& d, int epochs) {
    for (int k = 0; k < epochs; ++k) {
        const double a = k * 0.05;
        const float rad = static_cast<float>(0.02 * k);
        test::storeLive(
            d, test::satellites({}),
            {rad * static_cast<float>(std::cos(a)), rad * static_cast<float>(std::sin(a)), 0.0f});
    }
    d.pos.speed = 12.3f;
    d.pos.course = 74.0f;
    d.pos.altitude = 1234.0f;
    d.pos.verticalVelocity = -1.5f;
}

TEST_F(WindowTest, GrabsOfEveryMode) {
    wander(decoder, 200);
    for (int vehicle = 0; vehicle < 3; ++vehicle) {
        source.settingsValue.devicesSpecific = vehicle;
        PositionWindow w(source);
        w.show();
        w.plot()->resetScale();
        w.epoch(0);
        QApplication::processEvents();
        test::saveArtefact(w, QString("position_departure_vehicle%1").arg(vehicle));
    }
}

// The plot pane at shrinking sizes, at 1× and 1.75×: the scatter legend and the ring labels
// of the departure plot.
TEST_F(PlotTest, DrawingGrabsAtSmallSizes) {
    for (auto [e, n] : {std::pair{0.0f, 0.0f}, {1234.5f, 0.0f}, {-800.0f, 950.0f}})
        store(e, n);
    for (bool analysis : {false, true}) {
        source.analysisOn = analysis;
        source.analysisValue.mode = logs::ReferenceMode::VsTruth;
        source.analysisValue.ring1 = 1234.5;
        source.analysisValue.ring2 = 2345.5;
        source.analysisValue.outlierLimit = 3000.0;
        for (int size : {300, 160, 110}) {
            DeparturePlotView p(source);
            p.resize(size, size);
            p.show();
            p.resetScale();
            QApplication::processEvents();
            const QString name =
                QString("plot_%1_%2").arg(analysis ? "scatter" : "departure").arg(size);
            const QImage img = test::grabOf(p);
            const std::vector<PlotLabel> labels = p.labels();
            ASSERT_GE(labels.size(), analysis ? 4u : 2u) << name.toStdString();
            const QRect pane = p.viewport()->rect();
            for (std::size_t i = 0; i < labels.size(); ++i) {
                const QRect& a = labels[i].rect;
                // Every line lies inside the pane; one too wide for it ends in an ellipsis.
                EXPECT_TRUE(pane.contains(a)) << name.toStdString() << " " << i;
                for (std::size_t j = i + 1; j < labels.size(); ++j)
                    EXPECT_FALSE(a.intersects(labels[j].rect))
                        << name.toStdString() << " " << i << " overlaps " << j;
            }
            // The last line of the titles is drawn in full height: its lowest rows hold text.
            const QRect last = labels.back().rect.intersected(pane);
            int ink = 0;
            for (int y = last.top() + last.height() / 2; y <= last.bottom(); ++y)
                for (int x = last.left(); x <= last.right(); ++x)
                    ink += img.pixel(x, y) != img.pixel(0, pane.bottom()) ? 1 : 0;
            EXPECT_GT(ink, 10) << name.toStdString();
            test::saveImage(img, name);
            test::saveImage(test::grabAtScale(p, 1.75), name + "@1.75");
        }
    }
}

TEST_F(WindowTest, ThePositionTextsAreCopiedLineByLine) {
    decoder.pos.latitude = 48.1173;
    decoder.pos.latHemisphere = 'N';
    decoder.pos.longitude = 11.5167;
    decoder.pos.lonHemisphere = 'E';
    decoder.pos.utcTime = 123456.0;
    decoder.pos.fixMode = 1;
    PositionWindow w(source);
    w.show();
    QApplication::processEvents();
    const test::MenuProbe probe = test::chooseFromContextMenu(*w.text(), QStringLiteral("Copy"));
    EXPECT_TRUE(probe.shown);
    EXPECT_TRUE(probe.enabled);
    // The four lines as the pane shows them, each ending with a new line.
    const QStringList lines = probe.clipboard.split('\n');
    ASSERT_EQ(lines.size(), 5);
    EXPECT_TRUE(lines[4].isEmpty());
    const TextLines shown = positionTextLines(decoder, source.model, source.units());
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(lines[i].toStdString(), shown.lines[static_cast<std::size_t>(i)]);
    EXPECT_TRUE(probe.clipboard.contains(QStringLiteral("48")));

    // Without a decoder there is nothing to copy.
    source.decoderPtr = nullptr;
    const test::MenuProbe none = test::chooseFromContextMenu(*w.text(), QStringLiteral("Copy"));
    EXPECT_TRUE(none.shown);
    EXPECT_FALSE(none.enabled);
    EXPECT_EQ(none.clipboard, QStringLiteral("<untouched>"));
}

TEST(PositionSamples, AttitudeReceiverPlainNmeaAndAnAnalysis) {
    struct Case {
        const char* file;
        bool analysis;
        logs::ReferenceMode mode;
        const char* artefact;
    };
    for (const Case& c :
         {Case{"r04__001.log", false, logs::ReferenceMode::AverageOverTime, "position_rx04"},
          Case{"unkn_001.log", false, logs::ReferenceMode::AverageOverTime, "position_nmea"},
          Case{"unkn_001.log", true, logs::ReferenceMode::AverageOverTime,
               "position_scatter_average"},
          Case{"r18__001.log", true, logs::ReferenceMode::VsTruth, "position_scatter_truth"}}) {
        SilentSink sink;
        logs::ViewedLog log(sink);
        ASSERT_TRUE(log.open(std::string(TRIX_SOURCE_DIR "/data/samples/") + c.file)) << c.file;
        PlainDisplaySource source;
        source.decoderPtr = &log.decoder;
        source.statisticsPtr = &log.statistics;
        source.model = log.decoder.modelIndex();
        if (c.analysis) {
            logs::AnalysisSettings a;
            a.mode = c.mode;
            a.known = log.decoder.reference;
            a.ring1 = 0.5;
            a.ring2 = 1.0;
            a.outlierLimit = c.mode == logs::ReferenceMode::VsTruth ? 1.5 : 0.0;
            log.startAnalysis(a);
            source.analysisOn = true;
            source.analysisValue = a;
        }
        log.decoder.history.writePosition = log.decoder.epochsCompleted / 2;
        log.indexer.loadEpoch();
        PositionWindow w(source);
        w.show();
        w.dataLoaded();
        w.analysisChanged();
        w.epoch(0);
        QApplication::processEvents();
        const QImage plot = test::grabOf(*w.plot());
        EXPECT_GT(test::countColour(plot, kTrace), 0) << c.file;
        test::saveArtefact(w, c.artefact);
    }
}

} // namespace
} // namespace trix::views
