#include "decode/epoch_decoder.h"
#include "decode/geo.h"
#include "decode/models.h"
#include "decode/units.h"
#include "support.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace trix;

TEST(TimeOfDay, SplitAndDifferenceWithOneRollover) {
    TimeParts p = splitTime(235959.99);
    EXPECT_EQ(p.hours, 23);
    EXPECT_EQ(p.minutes, 59);
    EXPECT_NEAR(p.seconds, 59.99, 1e-6);
    EXPECT_NEAR(timeDifference(1.0, 235959.0), 2.0, 1e-9);
    EXPECT_NEAR(timeDifference(235959.0, 1.0), 86398.0, 1e-9);
    EXPECT_NEAR(timeDifference(123456.78, 123456.58), 0.2, 1e-6);
}

TEST(Angles, DdmmToDegrees) {
    EXPECT_NEAR(ddmmToDegrees(4807.038), 48.1173, 1e-9);
    EXPECT_DOUBLE_EQ(ddmmToDegrees(9000.0), 90.0);
    EXPECT_NEAR(ddmmToDegrees(1131.0), 11.516666666666667, 1e-12);
}

TEST(Departure, EastNorthUpFromTheReference) {
    GeoPoint ref{48.0, 11.0, 500.0};
    GeoPoint cur{48.001, 11.001, 510.0};
    Departure d = computeDeparture(ref, cur);
    double k = ((500.0 + 510.0) * 0.5 + 6367426.734) * 0.017453292519943295;
    EXPECT_NEAR(d.dep.north, k * 0.001, 1e-3);
    EXPECT_NEAR(d.dep.east, std::cos(48.0005 * 0.017453292519943295) * k * 0.001, 1e-3);
    EXPECT_FLOAT_EQ(d.dep.up, 10.0f);
    double e = std::cos(48.0005 * 0.017453292519943295) * k * 0.001, n = k * 0.001;
    EXPECT_NEAR(d.horizontalSquared, e * e + n * n, 1e-6);
}

TEST(Coordinates, ThreeFormatsWithHemispheres) {
    EXPECT_EQ(formatLatitude(48.1173, 0), " 48.1173000000\u00b0 N");
    EXPECT_EQ(formatLongitude(-11.5, 1), " 11\u00b0 30.0000000' W");
    EXPECT_EQ(formatLatitude(-33.5125, 2), " 33\u00b0 30' 45.000000\" S");
}

TEST(Coordinates, MinutesAndSecondsNeverReachSixty) {
    std::string s = formatLatitude(12.9999999999, 2);
    EXPECT_EQ(s.substr(0, 9), " 12\u00b0 59'");
    EXPECT_NE(s.find("59.999999\""), std::string::npos) << s;
    std::string m = formatLatitude(12.99999999999, 1);
    EXPECT_EQ(m, " 12\u00b0 59.9999999' N");
}

TEST(Units, TablesAndClamping) {
    EXPECT_STREQ(distanceUnit(4).name, "m");
    EXPECT_DOUBLE_EQ(distanceUnit(99).factor, 100.0);
    EXPECT_DOUBLE_EQ(speedUnit(2).factor, 1.851989036225);
    EXPECT_DOUBLE_EQ(verticalSpeedUnit(3).factor, 0.1);
    EXPECT_STREQ(altitudeUnit(1).name, "ft");
}

TEST(Units, ChangeConvertsOnlyTheCurrentEpoch) {
    EpochDecoder d(3);
    d.setUnits(UnitSelection{4, 0, 0, 3, 1});
    d.handleSentence(trixtest::pos(trixtest::hms(100)));
    d.handleSentence(trixtest::sat3());
    ASSERT_EQ(d.epochsCompleted, 1);
    float before = d.pos.speed;
    EXPECT_NEAR(before, 1.5f, 1e-6);
    d.setViewing(false);
    d.changeUnits(1, 2, 4);
    EXPECT_NEAR(d.pos.speed, 1.5 * 1.851989036225, 1e-5);
    EXPECT_NEAR(d.pos.altitude, 512.3 * 3.28084, 1e-2);
    EXPECT_NEAR(d.pos.verticalVelocity, -0.3 * 0.328084 / 0.1, 1e-5);
    EXPECT_EQ(d.units().speed, 2);
}

TEST(Satellites, ConstellationBitDependsOnModel) {
    EXPECT_EQ(constellationBit(5, 1), kGps);
    EXPECT_EQ(constellationBit(33, 1), kSbas);
    EXPECT_EQ(constellationBit(33, 15), kGlonass);
    EXPECT_EQ(constellationBit(150, 16), kSbas);
    EXPECT_EQ(constellationBit(150, 1), 0);
    EXPECT_EQ(constellationBit(70, 3), kGlonass);
}

TEST(Satellites, SkyPlotOnTheUnitCircle) {
    SatelliteRecord s;
    s.inView = 3;
    s.sats[0] = {5, 0, 0, 40, 0, 'U'};  // elevation 0: not plotted
    s.sats[1] = {6, 90, 0, 40, 0, 'U'}; // east on the horizon... elevation 0 again
    s.sats[1].elevation = 45;
    s.sats[2] = {7, 0, 90, 40, 0, 'U'}; // zenith
    SkyPlotRecord c = skyPlotFrom(s);
    EXPECT_EQ(c.count, 3);
    EXPECT_EQ(c.points[0].svNumber, 0);
    EXPECT_FLOAT_EQ(c.points[0].x, 2.0f);
    EXPECT_NEAR(c.points[1].x, 1.5, 1e-6); // east at half radius
    EXPECT_NEAR(c.points[1].y, 1.0, 1e-6);
    EXPECT_NEAR(c.points[2].x, 1.0, 1e-6);
    EXPECT_NEAR(c.points[2].y, 1.0, 1e-6);
    EXPECT_EQ(c.points[2].svNumber, 7);
}

TEST(Models, TableAndRecognitionFromFileNames) {
    EXPECT_EQ(kModels.size(), 22u);
    EXPECT_STREQ(modelInfo(2).displayName, "ZELP Reciever");
    EXPECT_STREQ(modelInfo(21).code, "Rx00Plus");
    EXPECT_STREQ(modelInfo(99).code, "none");
    EXPECT_EQ(modelFromFileName("/data/Logs/R18__007.LOG"), 3);
    EXPECT_EQ(modelFromFileName("rx16a_001.log"), 5);
    EXPECT_EQ(modelFromFileName("rx15b_001.log"), 6) << "four characters decide";
    EXPECT_EQ(modelFromFileName("r02__001.log"), 19);
    EXPECT_EQ(modelFromFileName("rx01Pls_001.log"), 1) << "index 20 is never recognised";
    EXPECT_EQ(modelFromFileName("/r18_/abc.log"), 1) << "the directory does not count";
    EXPECT_EQ(modelFromFileName("ab"), 1);
}

TEST(Models, ScalesByModelAndFirmware) {
    EXPECT_FLOAT_EQ(scalesFor(17, "VR50").vertical, 1.0f);
    EXPECT_FLOAT_EQ(scalesFor(17, "VR64").vertical, 10.0f);
    EXPECT_FLOAT_EQ(scalesFor(17, "VR63").vertical, 1.0f);
    EXPECT_FLOAT_EQ(scalesFor(11, "").speed, 0.53996f);
    EXPECT_FLOAT_EQ(scalesFor(14, "QG00").vertical, 10.0f);
    EXPECT_FLOAT_EQ(scalesFor(14, "QH31").vertical, 0.0f);
    EXPECT_FLOAT_EQ(scalesFor(16, "QF30").vertical, 1.0f);
    EXPECT_FLOAT_EQ(scalesFor(16, "QF31").vertical, 0.0f);
    EXPECT_FLOAT_EQ(scalesFor(9, "").vertical, 1.0f);
    EXPECT_FLOAT_EQ(scalesFor(5, "").vertical, 0.0f);
}
