// The sky chart: geometry of snapshots and tracks, what the chart draws at the computed
// pixels, the table's layouts and the window's layout switch, with PNG artefacts.

#include "../context_menu_probe.h"
#include "app/core/ini_profile.h"
#include "logs/viewed_log.h"
#include "view_test_support.h"
#include "views/sky/display_source.h"
#include "views/sky/satellite_table_view.h"
#include "views/sky/sky_chart_view.h"
#include "views/sky/sky_chart_window.h"
#include "views/sky/sky_geometry.h"

#include <QApplication>
#include <QPainter>
#include <QSplitter>

#include <gtest/gtest.h>

namespace trix::views {
namespace {

using test::near;
using test::satellites;
using test::storeLive;

const QColor kWhite(255, 255, 255);
const QColor kBlack(0, 0, 0);
const QColor kGrey(128, 128, 128);
const QColor kGpsRing(255, 0, 0);
const QColor kGlnRing(255, 0, 255);
const QColor kSbasRing(128, 0, 128);
const QColor kForward(0, 255, 0);
const QColor kBackward(255, 98, 89);

class SkyTest : public ::testing::Test {
protected:
    void SetUp() override {
        source.decoderPtr = &decoder;
        source.model = kModelUnknown;
    }
    // The chart drawn at w × h; `layout` tells where it lies.
    QImage chartImage(int w, int h) {
        SkyChartView chart(source);
        chart.resize(w, h);
        chart.show();
        QApplication::processEvents();
        layout = chart.layout();
        halfSize = chart.circleHalfSize();
        return test::grabOf(chart);
    }

    EpochDecoder decoder{kModelUnknown};
    PlainDisplaySource source;
    SkyLayout layout;
    int halfSize = 0;
};

TEST(SkyGeometry, RingColourFollowsNumberingOfTheModel) {
    EXPECT_EQ(skyRingItem(1, 1), sky::kGpsRing);
    EXPECT_EQ(skyRingItem(32, 15), sky::kGpsRing);
    EXPECT_EQ(skyRingItem(40, 1), sky::kSbasRing);
    EXPECT_EQ(skyRingItem(40, 15), sky::kGlonassRing);
    EXPECT_EQ(skyRingItem(40, 16), sky::kGlonassRing);
    EXPECT_EQ(skyRingItem(65, 1), sky::kGlonassRing);
    EXPECT_EQ(skyRingItem(99, 16), sky::kGlonassRing);
    EXPECT_EQ(skyRingItem(150, 15), sky::kSbasRing);
    EXPECT_EQ(skyRingItem(150, 1), sky::kGlonassRing);
    EXPECT_EQ(unusedSatelliteFill(0xffffff), 0x808080u);
}

TEST(SkyGeometry, SnapshotPixelsPutZenithAtTheCentreAndEastRight) {
    const SkyPlotRecord s = skyPlotFrom(satellites({{5, 90, 30}, {12, 0, 90}, {7, 90, 0}}));
    const SkyLayout whole{0, 0, 150};
    // 1 + 60/90 is stored as a float just below 1⅔: truncation gives 249.
    EXPECT_EQ(whole.pixel(s.points[0]), (SkyPixel{249, 150}));
    EXPECT_EQ(whole.pixel(s.points[1]), (SkyPixel{150, 150}));
    EXPECT_EQ(s.points[2].svNumber, 0); // elevation 0: not drawn
    // An inset chart moves every pixel by its corner.
    const SkyLayout inset{12, 12, 138};
    EXPECT_EQ(inset.centre(), (SkyPixel{150, 150}));
    EXPECT_EQ(inset.pixel(s.points[1]), inset.centre());
    EXPECT_EQ(inset.pixelAt(90, 0), (SkyPixel{12 + 2 * 138, 150}));
    EXPECT_EQ(inset.pixelAt(0, 0), (SkyPixel{150, 12}));
}

TEST(SkyGeometry, PointsAtAnAzimuthAndElevationAreTheSnapshotsOwn) {
    const SatelliteRecord sat = satellites({{5, 90, 30}, {8, 134, 64}, {11, 202, 32}, {2, 350, 1}});
    const SkyPlotRecord s = skyPlotFrom(sat);
    const SkyLayout chart = SkyLayout::inView(300, 300, 12);
    for (int k = 0; k < sat.inView; ++k) {
        const SatEntry& e = sat.sats[static_cast<std::size_t>(k)];
        EXPECT_EQ(chart.pixelAt(e.azimuth, e.elevation),
                  chart.pixel(s.points[static_cast<std::size_t>(k)]))
            << int(e.svNumber);
    }
}

TEST(SkyGeometry, TheChartIsInsetAboutTheCentreOfTheSmallerSide) {
    EXPECT_EQ(SkyLayout::inView(300, 300, 0), (SkyLayout{0, 0, 150}));
    EXPECT_EQ(SkyLayout::inView(300, 200, 12), (SkyLayout{12, 12, 88}));
    EXPECT_EQ(SkyLayout::inView(199, 400, 12).centre(), (SkyPixel{99, 99}));
    // Nothing left of a chart smaller than its inset.
    EXPECT_EQ(SkyLayout::inView(20, 300, 12).radius, 0);
}

TEST(SkyGeometry, LiveTracksStopBeforeTheCurrentSnapshotAndFollowOnlySatellitesInView) {
    EpochDecoder d(kModelUnknown);
    // Satellite 5 climbs from the east; 9 was seen but has set by the current epoch.
    for (int el : {10, 20, 20, 40, 50}) {
        if (el == 50)
            storeLive(d, satellites({{5, 90, el}}));
        else
            storeLive(d, satellites({{5, 90, el}, {9, 270, 30}}));
    }
    const SkyHistory h = skyHistoryOf(d);
    EXPECT_EQ(h.current, 4);
    EXPECT_EQ(h.count, 5);
    EXPECT_FALSE(h.replay);
    const SkyTracks t = skyTracks(h, SkyLayout{0, 0, 90});
    // Segments of snapshots 1 to c − 1; snapshot 2 repeats 1's pixel and is left out.
    ASSERT_EQ(t.backward.size(), 2u);
    EXPECT_EQ(t.backward[0].from, (SkyPixel{169, 90}));
    EXPECT_EQ(t.backward[0].to, (SkyPixel{160, 90}));
    EXPECT_EQ(t.backward[1].to, (SkyPixel{140, 90}));
    EXPECT_TRUE(t.forward.empty());
}

TEST(SkyGeometry, ReplayDrawsWhatFollowsTheCurrentEpochInTheForwardColour) {
    EpochDecoder d(kModelUnknown);
    for (int el : {10, 20, 30, 40, 50})
        storeLive(d, satellites({{5, 90, el}}));
    d.setViewing(true);
    d.history.writePosition = 1; // moved back with the epoch counter
    const SkyTracks t = skyTracks(skyHistoryOf(d), SkyLayout{0, 0, 90});
    EXPECT_EQ(t.backward.size(), 1u); // 0 → 1
    ASSERT_EQ(t.forward.size(), 3u);  // 1 → 2, 2 → 3, 3 → 4
    EXPECT_EQ(t.forward.front().from, (SkyPixel{160, 90}));
}

TEST(SkyGeometry, WrappedLiveRingContinuesFromTheOldestSnapshot) {
    EpochDecoder d(kModelUnknown);
    for (int el : {10, 20, 30, 40, 50})
        storeLive(d, satellites({{5, 90, el}}));
    // As after a wrap: newest at 1, oldest at 2; the ring has 5 places in this history.
    d.history.writePosition = 1;
    d.history.oldestPosition = 2;
    SkyHistory h = skyHistoryOf(d);
    h.count = 5;
    const SkyTracks t = skyTracks(h, SkyLayout{0, 0, 90});
    // 2 → 3, 3 → 4, 4 → 0; the segment into the current snapshot stays out.
    EXPECT_EQ(t.backward.size(), 3u);
}

TEST(SkyGeometry, NoSnapshotNoTracks) {
    EpochDecoder d(kModelUnknown);
    EXPECT_FALSE(skyHistoryOf(d).drawable());
    EXPECT_TRUE(skyTracks(skyHistoryOf(d), SkyLayout{0, 0, 100}).backward.empty());
}

TEST_F(SkyTest, SatellitesAreDrawnAtTheirAzimuthAndElevation) {
    storeLive(decoder, satellites({{5, 90, 30}, {12, 0, 90}, {40, 180, 45, 30, '-'}, {7, 270, 0}}));
    const QImage img = chartImage(300, 300);
    const int s = halfSize;
    // The chart is centred on (r, r), r half the smaller side, whatever its inset.
    ASSERT_EQ(layout.centre(), (SkyPixel{150, 150}));
    // Satellite 5 (used, GPS): ring outline and "Satellites" fill, east at 30°.
    const SkyPixel east = layout.pixelAt(90, 30);
    EXPECT_EQ(east.y, 150);
    EXPECT_GT(east.x, 150 + layout.radius / 2);
    EXPECT_TRUE(near(img, east.x + s, east.y, kGpsRing));
    EXPECT_TRUE(near(img, east.x - s, east.y, kGpsRing));
    EXPECT_GT(test::countIn(img, QRect(east.x - s, east.y - s, 2 * s, 2 * s), kWhite), 4 * s);
    // Satellite 12 at the zenith, the centre.
    EXPECT_TRUE(near(img, 150, 150 - s, kGpsRing));
    // Satellite 40 (not used, SBAS for this model): inverted fill, SBAS ring, south at 45°.
    const SkyPixel south = layout.pixelAt(180, 45);
    EXPECT_EQ(south.x, 150);
    EXPECT_TRUE(near(img, south.x + s, south.y, kSbasRing));
    EXPECT_GT(test::countIn(img, QRect(south.x - s, south.y - s, 2 * s, 2 * s), kGrey), 4 * s);
    // Satellite 7 at elevation 0 is not drawn on the horizon.
    const SkyPixel west = layout.pixelAt(270, 0);
    EXPECT_FALSE(near(img, west.x, west.y, kGpsRing, 3));
    test::saveImage(img, "sky_chart_pixels");
}

TEST_F(SkyTest, Prn40TakesTheGlonassRingForModels15And16) {
    storeLive(decoder, satellites({{40, 90, 30}}, 15));
    source.model = 15;
    const QImage img = chartImage(300, 300);
    const SkyPixel c = layout.pixelAt(90, 30);
    EXPECT_TRUE(near(img, c.x + halfSize, c.y, kGlnRing));
}

TEST_F(SkyTest, RingsAndNorthLine) {
    const QImage img = chartImage(300, 300);
    // Outlines at the horizon radius R, R − q and R − 2q, q = R / 3; "Sky" between them.
    const SkyPixel c = layout.centre();
    const int r = layout.radius;
    const int q = r / 3;
    ASSERT_GT(q, 10);
    EXPECT_TRUE(near(img, c.x + r - 1, c.y, kWhite));
    EXPECT_TRUE(near(img, c.x + r - q, c.y, kWhite));
    EXPECT_TRUE(near(img, c.x + r - 2 * q, c.y, kWhite));
    EXPECT_EQ(test::px(img, c.x + r - q / 2, c.y), kBlack);
    EXPECT_EQ(test::px(img, c.x + r - 3 * q / 2, c.y), kBlack);
    EXPECT_EQ(test::px(img, c.x, c.y - r + 10), kWhite); // the line to the north
    EXPECT_EQ(test::px(img, c.x, c.y + r - 10), kBlack);
    // "Background of Sky" outside the horizon, the inset included.
    EXPECT_EQ(test::px(img, 2, 2), kGrey);
    EXPECT_EQ(test::px(img, c.x + r + 1, c.y), kGrey);
}

TEST_F(SkyTest, AChartBelow40PixelsShowsOnlyTheBackground) {
    storeLive(decoder, satellites({{5, 90, 30}}));
    const QImage img = chartImage(39, 200);
    EXPECT_EQ(test::countColour(img, kGrey), img.width() * img.height());
}

TEST_F(SkyTest, ReplayTracksShowBothColours) {
    for (int el : {5, 15, 25, 35, 45, 55, 65, 75})
        storeLive(decoder, satellites({{5, 90, el}}));
    decoder.setViewing(true);
    decoder.history.writePosition = 3;
    decoder.sat = satellites({{5, 90, 35}});
    const QImage img = chartImage(300, 300);
    // Before the current epoch the track is backward, after it forward.
    const SkyPixel low = layout.pixelAt(90, 5);
    const SkyPixel high = layout.pixelAt(90, 75);
    EXPECT_TRUE(near(img, low.x, low.y, kBackward));
    EXPECT_TRUE(near(img, high.x, high.y, kForward));
}

TEST_F(SkyTest, TableHasAnL2ColumnOnlyForModels4And18) {
    for (int model : {1, 4, 17, 18}) {
        source.model = model;
        SatelliteTableView table(source, true);
        EXPECT_EQ(table.hasL2Column(), model == 4 || model == 18) << model;
    }
}

TEST_F(SkyTest, TableScrollSizeFollowsSatellitesAndLayout) {
    storeLive(decoder, satellites({{5, 90, 30}, {12, 0, 90}, {40, 180, 45}}));
    SatelliteTableView vertical(source, true);
    const int u = vertical.columnUnit();
    const int h = vertical.rowHeight();
    EXPECT_EQ(vertical.scrollSize(), QSize(3 + u * 14, 4 * h + 2));
    source.model = 18;
    SatelliteTableView horizontal(source, false);
    EXPECT_EQ(horizontal.scrollSize(), QSize(3 * u + horizontal.titleWidth(), h * 15));
    source.model = 1;
    horizontal.setVerticalLayout(false);
    SatelliteTableView plain(source, false);
    EXPECT_EQ(plain.scrollSize(), QSize(3 * u + plain.titleWidth(), h * 14 + 5));
}

TEST_F(SkyTest, AntennaBlocksListTheUnionInAscendingOrder) {
    decoder.sa4[0].count = 2;
    decoder.sa4[0].sats[0] = {14, 40};
    decoder.sa4[0].sats[1] = {3, 41};
    decoder.sa4[2].count = 1;
    decoder.sa4[2].sats[0] = {70, 33};
    const auto rows = antennaRows(decoder);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].svNumber, 3);
    EXPECT_EQ(rows[1].svNumber, 14);
    EXPECT_EQ(rows[2].svNumber, 70);
    EXPECT_EQ(rows[0].snr[0], 41);
    EXPECT_EQ(rows[0].snr[2], -1); // antenna 3 lacks it: "-"
    EXPECT_EQ(rows[2].snr[2], 33);
    // For the attitude receiver the scroll size counts the antenna satellites too.
    source.model = kModelAttitude;
    storeLive(decoder, satellites({{5, 90, 30}}));
    SatelliteTableView table(source, true);
    EXPECT_EQ(table.scrollSize().height(), 4 * table.rowHeight() + 2);
}

TEST_F(SkyTest, AntennaBlocksTakeOnlySatelliteNumbersUpTo200) {
    decoder.sa4[1].count = 4;
    decoder.sa4[1].sats[0] = {201, 30};
    decoder.sa4[1].sats[1] = {200, 31};
    decoder.sa4[1].sats[2] = {255, 32};
    decoder.sa4[1].sats[3] = {1, 33};
    const auto rows = antennaRows(decoder);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].svNumber, 1);
    EXPECT_EQ(rows[1].svNumber, 200);
    EXPECT_EQ(rows[1].snr[1], 31);
}

TEST_F(SkyTest, LayoutOptionRebuildsTheSplitter) {
    SkyChartWindow w(source);
    EXPECT_EQ(w.sizeHint(), QSize(500, 225));
    EXPECT_FALSE(w.verticalLayout());
    source.settingsValue.skyChartLayout = 1;
    w.optionsChanged();
    EXPECT_TRUE(w.verticalLayout());
    EXPECT_TRUE(w.table()->verticalLayout());
    EXPECT_EQ(w.findChild<QSplitter*>()->orientation(), Qt::Vertical);
}

TEST_F(SkyTest, ClosingTellsTheFrameOnceAndStoresThePlacement) {
    app::IniProfile profile;
    source.profilePtr = &profile;
    {
        auto* w = new SkyChartWindow(source);
        w->show();
        QApplication::processEvents();
        w->close(); // deletes itself
    }
    EXPECT_EQ(source.closedCount, 1);
    EXPECT_EQ(source.lastClosed, DataWindow::SkyChart);
    EXPECT_TRUE(profile.contains("Windows", SkyChartWindow::kPlacementKey));
    EXPECT_TRUE(profile.contains("Windows", SkyChartWindow::kSplitterKey));
}

// A sky that turns fast enough to leave tracks: 400 epochs.
void movingSky(EpochDecoder& d) {
    for (int k = 0; k < 400; ++k) {
        const int a = k / 4;
        storeLive(d, satellites({{2, (350 + a) % 360, 69 - k / 20},
                                 {5, 321 - a, 61},
                                 {8, 134, 30 + k / 10, 40, '-'},
                                 {11, 202 + a, 32},
                                 {40, 113, 38},
                                 {70, 85 + a / 2, 12 + k / 16, 34, '-'}}));
    }
}

// Grabs of the window in both layouts, live and replayed, for a look.
TEST_F(SkyTest, TracksOfAMovingSky) {
    movingSky(decoder);
    SkyChartWindow live(source);
    live.resize(500, 225);
    live.show();
    QApplication::processEvents();
    EXPECT_GT(test::countColour(test::grabOf(*live.chart()), kBackward), 100);
    test::saveArtefact(live, "sky_tracks_live");

    decoder.setViewing(true);
    decoder.history.writePosition = 150;
    SkyChartWindow replay(source);
    replay.resize(500, 225);
    replay.show();
    QApplication::processEvents();
    const QImage img = test::grabOf(*replay.chart());
    EXPECT_GT(test::countColour(img, kBackward), 20);
    EXPECT_GT(test::countColour(img, kForward), 100);
    test::saveArtefact(replay, "sky_tracks_replay");
}

TEST_F(SkyTest, WindowGrabs) {
    storeLive(decoder, satellites({{2, 350, 69},
                                   {5, 321, 61, 45, 'U', 30},
                                   {8, 134, 64},
                                   {11, 202, 32},
                                   {14, 195, 17, 33, '-'},
                                   {40, 113, 38},
                                   {70, 85, 32, 34, '-'},
                                   {23, 337, 0, 20, '-'}}));
    SkyChartWindow horizontal(source);
    horizontal.resize(500, 225);
    horizontal.show();
    QApplication::processEvents();
    test::saveArtefact(horizontal, "sky_horizontal");

    source.settingsValue.skyChartLayout = 1;
    source.model = 4;
    SkyChartWindow vertical(source);
    vertical.resize(260, 460);
    vertical.show();
    QApplication::processEvents();
    test::saveArtefact(vertical, "sky_vertical_l2");
}

// Satellites close together: the used one is drawn over the unused one, and each number stays
// whole on a patch of its own fill. Grabs at 1× and 1.75×.
TEST_F(SkyTest, DrawingNeighboursKeepsUsedSatellitesOnTopAndNumbersReadable) {
    // The circles of 11 (used) and 14 (not used) overlap by a few pixels; 14 comes later in the
    // sentence.
    const SatelliteRecord sat = satellites({{11, 200, 30}, {14, 206, 23, 33, '-'}, {5, 320, 60}});
    storeLive(decoder, sat);
    SkyChartView chart(source);
    chart.resize(300, 300);
    chart.show();
    QApplication::processEvents();
    const QImage img = test::grabOf(chart);
    const QFontMetrics fm(chart.viewFont());
    const SkyPlotRecord snap = skyPlotFrom(sat);
    const auto numberRect = [&](int slot, const QString& text) {
        const SkyPixel c = chart.layout().pixel(snap.points[static_cast<std::size_t>(slot)]);
        const QPoint origin(c.x - fm.horizontalAdvance(text) / 2,
                            c.y - fm.height() / 2 + fm.ascent());
        return fm.tightBoundingRect(text).translated(origin);
    };
    const QRect used = numberRect(0, QStringLiteral("11"));
    const QRect unused = numberRect(1, QStringLiteral("14"));
    const int s = chart.circleHalfSize();
    ASSERT_TRUE(used.adjusted(-s, -s, s, s).intersects(unused)); // they do crowd each other
    ASSERT_FALSE(used.intersects(unused));
    // The used number is written whole in the "Satellites PRN" colour on the white fill; no
    // grey fill of the unused satellite lies over it.
    EXPECT_GT(test::countIn(img, used, kBlack), 12);
    EXPECT_EQ(test::countIn(img, used, kGrey), 0);
    // The unused number is written whole in its ring colour on its own grey fill.
    int red = 0;
    for (int y = unused.top(); y <= unused.bottom(); ++y)
        for (int x = unused.left(); x <= unused.right(); ++x) {
            const QColor c = test::px(img, x, y);
            red += c.red() > 180 && c.green() < 90 && c.blue() < 90 ? 1 : 0;
        }
    EXPECT_GT(red, 12);
    EXPECT_EQ(test::countIn(img, unused, kWhite), 0);
    test::saveImage(img, "sky_neighbours");
    test::saveImage(test::grabAtScale(chart, 1.75), "sky_neighbours@1.75");
}

// A satellite on the horizon keeps its whole symbol, circle and number, inside the view, at
// any size of the chart and for the widest numbers.
TEST_F(SkyTest, HorizonSatellitesStayInsideTheView) {
    SkyChartView chart(source);
    chart.show();
    for (const QSize size :
         {QSize(300, 300), QSize(500, 225), QSize(180, 400), QSize(301, 257), QSize(41, 41)}) {
        chart.resize(size);
        QApplication::processEvents();
        const QRect view = chart.viewport()->rect();
        ASSERT_EQ(view.size(), size);
        ASSERT_GT(chart.layout().radius, 0) << size.width();
        for (const int azimuth : {0, 90, 180, 270})
            for (const int number : {1, 88, 138, 255}) {
                const QRect symbol = chart.symbolRect(chart.layout().pixelAt(azimuth, 0), number);
                EXPECT_TRUE(view.contains(symbol))
                    << size.width() << "x" << size.height() << " azimuth " << azimuth << " number "
                    << number;
            }
    }
}

// Drawn just above the horizon, north, east, south and west, each circle shows as much of its
// outline as the one at the zenith, on screen at 1× and at 1.75× and on the printed page.
TEST_F(SkyTest, DrawingHorizonSatellitesKeepsTheirWholeCircle) {
    storeLive(decoder,
              satellites({{11, 0, 1}, {12, 90, 1}, {13, 180, 1}, {14, 270, 1}, {15, 0, 90}}));
    SkyChartView chart(source);
    chart.resize(300, 300);
    chart.show();
    QApplication::processEvents();
    const int s = chart.circleHalfSize();
    const auto expectWholeCircles = [&](const QImage& img, qreal scale, const char* where) {
        const auto ringPixels = [&](SkyPixel c) {
            const QRectF circle(c.x - s, c.y - s, 2 * s, 2 * s);
            const QRectF device(circle.topLeft() * scale, circle.size() * scale);
            return test::countIn(img, device.toAlignedRect(), kGpsRing);
        };
        const int zenith = ringPixels(chart.layout().centre());
        ASSERT_GT(zenith, 4 * s * scale) << where;
        for (const int azimuth : {0, 90, 180, 270})
            EXPECT_GE(ringPixels(chart.layout().pixelAt(azimuth, 1)), zenith * 9 / 10)
                << "azimuth " << azimuth << " " << where;
    };
    const QImage screen = test::grabOf(chart);
    expectWholeCircles(screen, 1.0, "at 1x");
    const QImage scaled = test::grabAtScale(chart, 1.75);
    expectWholeCircles(scaled, 1.75, "at 1.75x");
    // The page is clipped to the printed extent: a circle cut by it would count short too.
    QImage page(chart.size() * 2, QImage::Format_RGB32);
    page.fill(Qt::white);
    {
        QPainter p(&page);
        chart.printPage(p);
    }
    expectWholeCircles(page, 1.0, "printed");
    test::saveImage(screen, "sky_horizon");
    test::saveImage(scaled, "sky_horizon@1.75");
}

// A three-digit azimuth keeps a gap to the next column, and the last column of the vertical
// layout lies inside the scroll size.
TEST_F(SkyTest, DrawingTableColumnsFitThreeDigits) {
    storeLive(decoder, satellites({{2, 350, 69},
                                   {5, 321, 61},
                                   {8, 134, 64},
                                   {11, 202, 32},
                                   {14, 195, 17, 33, '-'},
                                   {40, 113, 38},
                                   {70, 285, 32}}));
    const QColor black(0, 0, 0);
    for (bool vertical : {true, false}) {
        SatelliteTableView table(source, vertical);
        const QFontMetrics fm(table.viewFont());
        const int u = table.columnUnit();
        EXPECT_GE(u, fm.horizontalAdvance(QStringLiteral("359")) + fm.horizontalAdvance(' '));
        if (vertical) {
            // 14 columns after a margin of 3: the last ("SN" of antenna 4) ends inside.
            EXPECT_GE(table.scrollSize().width(), 3 + 13 * u + fm.horizontalAdvance("SN"));
        }
        table.resize(table.scrollSize() + QSize(4, 4));
        table.show();
        QApplication::processEvents();
        const QImage img = test::grabOf(table);
        // Between the azimuth column and the next one some pixel columns stay empty in every
        // satellite row.
        const int h = table.rowHeight();
        const QRect gap = vertical ? QRect(3 + 3 * u - 3, h, 3, 7 * h)
                                   : QRect(table.titleWidth() + 3 * u - 3, 2 * h, 3, h);
        EXPECT_EQ(test::countIn(img, gap, black), 0) << vertical;
        test::saveImage(img, vertical ? "sky_table_vertical" : "sky_table_horizontal");
        test::saveImage(test::grabAtScale(table, 1.75),
                        vertical ? "sky_table_vertical@1.75" : "sky_table_horizontal@1.75");
    }
}

TEST_F(SkyTest, TheTableIsCopiedAsTabSeparatedRows) {
    storeLive(decoder, satellites({{2, 350, 69}, {14, 195, 17, 33, '-'}}));
    for (bool vertical : {true, false}) {
        SatelliteTableView table(source, vertical);
        table.resize(300, 200);
        table.show();
        QApplication::processEvents();
        const test::MenuProbe probe = test::chooseFromContextMenu(table, QStringLiteral("Copy"));
        EXPECT_TRUE(probe.shown);
        EXPECT_TRUE(probe.enabled);
        // One satellite per line in either layout.
        EXPECT_EQ(probe.clipboard, QStringLiteral("Ch\tN\tA\tE\tSN\tU\n"
                                                  "1\t2\t350\t69\t40\tU\n"
                                                  "2\t14\t195\t17\t33\t-\n"));
    }
    // The attitude receiver adds its antenna blocks; an antenna without the satellite has "-".
    source.model = kModelAttitude;
    decoder.sa4[0].count = 1;
    decoder.sa4[0].sats[0] = {14, 41};
    decoder.sa4[3].count = 1;
    decoder.sa4[3].sats[0] = {14, 39};
    SatelliteTableView table(source, true);
    const QStringList lines = table.tableText().split('\n');
    ASSERT_GE(lines.size(), 6);
    EXPECT_EQ(lines[4], QStringLiteral("AX1\tSN\tAX2\tSN\tAX3\tSN\tAX4\tSN"));
    EXPECT_EQ(lines[5], QStringLiteral("14\t41\t-\t-\t-\t-\t14\t39"));
}

TEST(SkyReplay, SampleLogsOfTheAttitudeReceiverAndPlainNmea) {
    for (const char* name : {"r04__001.log", "unkn_001.log"}) {
        SilentSink sink;
        logs::ViewedLog log(sink);
        ASSERT_TRUE(log.open(std::string(TRIX_SOURCE_DIR "/data/samples/") + name)) << name;
        PlainDisplaySource source;
        source.decoderPtr = &log.decoder;
        source.model = log.decoder.modelIndex();
        log.decoder.history.writePosition = log.decoder.epochsCompleted / 2;
        log.indexer.loadEpoch();
        SkyChartWindow w(source);
        w.resize(640, 300);
        w.show();
        QApplication::processEvents();
        // The sample receivers stand still under a still sky: satellites, no tracks.
        const QImage img = test::grabOf(*w.chart());
        EXPECT_GT(test::countColour(img, kGpsRing), 0) << name;
        test::saveArtefact(w, QString("sky_replay_") + QString(name).left(4));
    }
}

} // namespace
} // namespace trix::views
