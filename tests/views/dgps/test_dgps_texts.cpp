// The texts of the DGPS windows' grids and the scatter geometry, without Qt.

#include "views/rtcm/rtcm_texts.h"
#include "views/rtk/rtk_table.h"
#include "views/rtk/scatter_geometry.h"

#include <gtest/gtest.h>

using namespace trix;

namespace {

TEST(RtcmTexts, CellsAndFormats) {
    rtcm::QueriedState q;
    EXPECT_EQ(rtcm::queriedCells(q), (rtcm::Cells{"n/a", "n/a", "n/a", "n/a", "n/a"}));
    q.mode = "REMOTE";
    q.sync = '*';
    q.age = 1.7;
    q.quality = 99.5;
    q.offset = -2;
    EXPECT_EQ(rtcm::queriedCells(q), (rtcm::Cells{"REMOTE", "*", "  +1.70", "  99.50%", "-2"}));
    rtcm::MessageState m;
    EXPECT_EQ(rtcm::messageTypeCells(m), (rtcm::Cells{"No Message"}));
    m.headers[3] = rtcm::MessageHeader{16, 5, 12.5, 0, 7, '*'};
    EXPECT_EQ(rtcm::messageTypeCells(m), (rtcm::Cells{"MSG,16"})) << "type 16 reads MSG,16";
    EXPECT_EQ(rtcm::headerRows(m)[0], (rtcm::Cells{"16", "5", "0", "7", "*", "  12.50"}));
    rtcm::Correction* c = m.tables[0].enter(3);
    c->prc = 1.23456;
    c->deltaPrc = 0.25;
    EXPECT_EQ(rtcm::correctionRows(m.tables[0], 0)[0][2], "1.235");
    EXPECT_EQ(rtcm::correctionRows(m.tables[0], 1)[0][2], "   1.23");
    EXPECT_EQ(rtcm::correctionRows(m.tables[0], 0)[0][5], "  0.2");
    EXPECT_EQ(rtcm::correctionRows(m.tables[0], 0)[0][0], " 3");
    EXPECT_EQ(rtcm::correctionRows(m.tables[0], 0)[0][3], "n/a");
}

TEST(RtkTable, RowsLabelsAndEmptyRows) {
    rtk::RtkData d;
    auto rows = rtk::periodicRows(d, 4);
    ASSERT_EQ(rows.size(), 19u);
    EXPECT_EQ(rows[0].value, "") << "no time yet";
    EXPECT_EQ(rows[14].label, "Latency");
    EXPECT_EQ(rows[14].value, "") << "a row never set stays empty";
    d.utcTime = 235959.99;
    d.timeCode = "CBN";
    d.values[rtk::Latency] = {120.0, "ms", "LTN"};
    d.values[rtk::Component1] = {48.1, "\xC2\xB0", "CBN"};
    d.values[rtk::BasePosition] = {0.0, "", "VEC"};
    rows = rtk::periodicRows(d, 16);
    EXPECT_EQ(rows[0].value, "23 : 59 : 59.99");
    EXPECT_EQ(rows[2].label, "Latitude MD");
    EXPECT_EQ(rows[2].value, " 48.1000");
    EXPECT_EQ(rows[14].value, " 120");
    EXPECT_EQ(rows[18].value, "No Base");
    const auto update = rtk::updateRows(d);
    EXPECT_EQ(update[0].value, "Off");
    EXPECT_EQ(update[1].value, "") << "no data-link sign";
    d.warnings[rtk::BaseL2] = true;
    d.warnings[rtk::RoverL1] = true;
    EXPECT_EQ(rtk::warningLines(d),
              (std::vector<std::string>{"BASE:Warning in L2", "ROV:Warning in L1"}));
    EXPECT_EQ(rtk::basePositionText(7.0), "") << "never past the name table";
}

TEST(ScatterGeometry, DegreesBecomeDeparturesInMetres) { // K14
    std::vector<rtk::ScatterPoint> pts{{55.0, 37.0, 100.0, rtk::PointKind::Degrees},
                                       {55.00001, 37.0, 100.0, rtk::PointKind::Degrees},
                                       {55.0, 37.00002, 100.0, rtk::PointKind::Degrees}};
    const auto fromFirst = rtk::scatterDepartures(pts, std::nullopt);
    EXPECT_DOUBLE_EQ(fromFirst[0].north, 0.0);
    EXPECT_NEAR(fromFirst[1].north, 1.11, 0.01);
    EXPECT_NEAR(fromFirst[2].east, 1.28, 0.02);
    const auto fromReference = rtk::scatterDepartures(pts, GeoPoint{54.99999, 37.0, 100.0});
    EXPECT_NEAR(fromReference[0].north, 1.11, 0.01);
    const double s = rtk::scatterScale(fromFirst, 1.0);
    EXPECT_NEAR(s, 1.28, 0.02) << "the scale is in metres";
    const rtk::Pixel p = rtk::scatterPixel(fromFirst[1], 100, s);
    EXPECT_EQ(p.x, 100);
    EXPECT_LT(p.y, 100) << "north is up";
    EXPECT_GT(rtk::scatterPixel(fromFirst[2], 100, s).x, 100) << "east is right";
    EXPECT_EQ(rtk::scatterScale({}, 1.0), 0.0);
}

} // namespace
