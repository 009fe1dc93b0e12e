#include "support.h"

#include <gtest/gtest.h>

using namespace trix;
using namespace trixtest;

namespace {
struct Nmea : ::testing::Test {
    EpochDecoder d{kModelUnknown};
    bool run(const std::string& s) { return d.runHandler(sentenceCode(s), s); }
};
} // namespace

TEST_F(Nmea, GgaFillsThePositionRecord) {
    ASSERT_TRUE(run(gga(123519.0)));
    EXPECT_DOUBLE_EQ(d.pos.utcTime, 123519.0);
    EXPECT_NEAR(d.pos.latitude, 48.1173, 1e-9);
    EXPECT_EQ(d.pos.latHemisphere, 'N');
    EXPECT_NEAR(d.pos.longitude, 11.516666666666667, 1e-9);
    EXPECT_EQ(d.pos.usedSats, 8);
    EXPECT_FLOAT_EQ(d.pos.hdop, 0.9f);
    EXPECT_NEAR(d.pos.altitude, 545.4 + 46.9, 1e-3) << "ellipsoidal altitude";
    EXPECT_NEAR(d.position.alt, 592.3, 1e-9);
    EXPECT_FALSE(d.noPosition);
    EXPECT_EQ(d.sentencesReceived(), 1);
    EXPECT_TRUE(d.referenceSet()) << "the first position becomes the reference";
    EXPECT_FLOAT_EQ(d.departure.dep.east, 0.0f);
}

TEST_F(Nmea, GgaSouthWestGivesANegativeTriple) {
    ASSERT_TRUE(run(gga(1.0, "3330.000", "S", "07030.000", "W")));
    EXPECT_NEAR(d.position.lat, -33.5, 1e-12);
    EXPECT_NEAR(d.position.lon, -70.5, 1e-12);
}

TEST_F(Nmea, GgaQualityMapsToFixMode) {
    struct Case {
        int quality;
        bool tag;
        int fix;
    } cases[] = {{1, true, 0}, {2, true, 1}, {2, false, 2},
                 {3, true, 3}, {5, true, 3}, {4, true, 4}};
    int t = 0;
    for (auto c : cases) {
        d.nmeaTag = c.tag;
        ASSERT_TRUE(run(gga(++t, "4807.038", "N", "01131.000", "E", c.quality))) << c.quality;
        EXPECT_EQ(d.pos.fixMode, c.fix) << c.quality;
    }
    EXPECT_FALSE(run(gga(++t, "4807.038", "N", "01131.000", "E", 0)))
        << "quality 0 with a position";
    EXPECT_FALSE(run(gga(++t, "4807.038", "N", "01131.000", "E", 6)));
}

TEST_F(Nmea, GgaWithoutFixMarksNoPosition) {
    ASSERT_TRUE(run(sentence("GPGGA,000001.00,,,,,0,00,99.9,,,,,,")));
    EXPECT_TRUE(d.noPosition);
    EXPECT_EQ(d.sentencesReceived(), 1);
    EXPECT_FALSE(run(sentence("GPGGA,000002.00,,,01131.000,E,1,08,0.9,1,M,1,M,,")))
        << "empty hemisphere but a longitude";
    EXPECT_FALSE(run(sentence("GPGGA,000003.00,4807.038,X,01131.000,E,1,08,0.9,1,M,1,M,,")));
}

TEST_F(Nmea, GgaTimeLimitsAndRepeat) {
    EXPECT_TRUE(run(gga(235960.0)));
    EXPECT_FALSE(run(gga(235960.01)));
    ASSERT_TRUE(run(gga(100.0)));
    int counted = d.sentencesReceived();
    // A repeat is counted and changes nothing, even with other fields.
    ASSERT_TRUE(run(gga(100.0, "1000.000")));
    EXPECT_EQ(d.sentencesReceived(), counted + 1);
    EXPECT_NEAR(d.pos.latitude, 48.1173, 1e-9);
}

TEST_F(Nmea, GgaAtMidnightAfterResetIsNotARepeat) {
    ASSERT_TRUE(run(gga(0.0)));
    EXPECT_FALSE(d.noPosition) << "the zeroed record must not pass for an earlier epoch";
    EXPECT_NEAR(d.pos.latitude, 48.1173, 1e-9);
}

TEST_F(Nmea, GgaRangeChecksAndAltitudeLimit) {
    EXPECT_FALSE(run(gga(1, "9000.001")));
    EXPECT_TRUE(run(gga(2, "9000.0")));
    EXPECT_FALSE(run(gga(3, "4807.038", "N", "18000.01")));
    EXPECT_FALSE(run(gga(4, "4807.038", "N", "01131.000", "E", 1, "30000.5", "0")));
    EXPECT_FALSE(run(gga(5, "4807.038", "N", "01131.000", "E", 1, "0", "-30001")));
    d.limits().altitude = false;
    EXPECT_TRUE(run(gga(6, "4807.038", "N", "01131.000", "E", 1, "45000", "0")));
    EXPECT_FALSE(run(gga(7, "4807.038", "N", "01131.000", "E", 1, "nan", "0")))
        << "NaN passes no check, even with the limit off";
    EXPECT_FALSE(run(gga(8, "nan")));
    EXPECT_FALSE(run(sentence("GPGGA,nan,4807.038,N,01131.000,E,1,08,0.9,1,M,1,M,,")));
}

TEST_F(Nmea, ChecksumControl) {
    std::string s = gga(10);
    s[s.size() - 1] = s[s.size() - 1] == '0' ? '1' : '0';
    EXPECT_FALSE(run(s));
    d.limits().checksum = false;
    EXPECT_TRUE(run(s));
    d.limits().checksum = true;
    EXPECT_TRUE(run("$GPGGA,000011.00,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,"))
        << "NMEA without '*' passes";
}

TEST_F(Nmea, GsaReadsPdopAndVdopFromTheEnd) {
    ASSERT_TRUE(run(gsa()));
    EXPECT_FLOAT_EQ(d.pos.pdop, 2.5f);
    EXPECT_FLOAT_EQ(d.pos.vdop, 2.1f);
    EXPECT_FLOAT_EQ(d.pos.hdop, 0.0f) << "HDOP comes from GGA";
    EXPECT_FALSE(run(sentence("GPGSA,A,3,,,,,,,,,,,,,2.5,1.3,100.5")));
    EXPECT_FALSE(run(sentence("GPGSA")));
    EXPECT_FALSE(run("$GPGSA,1"));
}

TEST_F(Nmea, GsvFillsTheListAcrossMessages) {
    auto group = gsvGroup(3);
    ASSERT_TRUE(run(group[0]));
    EXPECT_EQ(d.sentencesReceived(), 0) << "only the last message counts";
    ASSERT_TRUE(run(group[1]));
    ASSERT_TRUE(run(group[2]));
    EXPECT_EQ(d.sentencesReceived(), 1);
    EXPECT_EQ(d.sat.inView, 11);
    EXPECT_EQ(d.sat.sats[10].svNumber, 11);
    EXPECT_EQ(d.sat.sats[10].elevation, 20);
    EXPECT_EQ(d.sat.sats[10].snr, 40);
    EXPECT_EQ(d.sat.sats[10].usedFlag, 'U');
    EXPECT_EQ(d.sat.constellations, kGps);
}

TEST_F(Nmea, GsvSpecialCases) {
    ASSERT_TRUE(run(gsvGroup(1)[0]));
    SatelliteRecord before = d.sat;
    EXPECT_TRUE(run(gsvGroup(1, "GL")[0]));
    EXPECT_EQ(d.sat.inView, before.inView) << "GLONASS talker leaves the list";
    EXPECT_EQ(d.sentencesReceived(), 2) << "but its group counts for the epoch like any GSV";

    ASSERT_TRUE(run(sentence("GPGSV,1,1,03,05,40,100,,00,00,000,00,07,10,010,10")));
    EXPECT_EQ(d.sat.sats[0].snr, 0);
    EXPECT_EQ(d.sat.sats[0].usedFlag, '-');
    EXPECT_EQ(d.sat.sats[1].svNumber, 2) << "number 0 ends the groups; entry 1 keeps its old value";

    EXPECT_FALSE(run(sentence("GPGSV,1,0,03,05,40,100,30"))) << "message number below 1";
    EXPECT_FALSE(run(sentence("GPGSV,1,-3,03,05,40,100,30")));
    EXPECT_FALSE(run(sentence("GPGSV,1,1,29,05,40,100,30")));
    EXPECT_FALSE(run(sentence("GPGSV,1,1,01,201,40,100,30")));
    EXPECT_FALSE(run(sentence("GPGSV,1,1,01,05,91,100,30")));
    EXPECT_FALSE(run(sentence("GPGSV,1,1,01,05,40,360,30")));
    EXPECT_FALSE(run(sentence("GPGSV,1,1,01,05,40,100,101")));
    EXPECT_TRUE(run(sentence("GPGSV,9,9,28,05,40,100,30")))
        << "message 9 of 28 satellites stores nothing";
    EXPECT_TRUE(run(sentence("GPGSV,99999999999,99999999999,28,05,40,100,30")));
}

TEST_F(Nmea, VtgCourseSpeedAndMode) {
    d.setUnits(UnitSelection{4, 0, 2, 3, 1});
    ASSERT_TRUE(run(gga(1)));
    ASSERT_TRUE(run(vtg("N")));
    EXPECT_FLOAT_EQ(d.pos.course, 54.7f);
    EXPECT_NEAR(d.pos.speed, 5.5 * 1.851989036225, 1e-5);
    EXPECT_EQ(d.pos.fixMode, 5);
    ASSERT_TRUE(run(gga(2, "4807.038", "N", "01131.000", "E", 4)));
    ASSERT_TRUE(run(vtg("N")));
    EXPECT_EQ(d.pos.fixMode, 4) << "an RTK fix is not overridden";
    ASSERT_TRUE(run(gga(3, "4807.038", "N", "01131.000", "E", 1)));
    ASSERT_TRUE(run(vtg("D")));
    EXPECT_EQ(d.pos.fixMode, 1);
    EXPECT_FALSE(run(sentence("GPVTG,361.0,T,034.4,M,005.5,N,010.2,K,A")));
    EXPECT_FALSE(run(sentence("GPVTG,054.7,T,034.4,M,10000.5,N,010.2,K,A")));
    d.limits().velocity = false;
    EXPECT_TRUE(run(sentence("GPVTG,054.7,T,034.4,M,10000.5,N,010.2,K,A")));
    EXPECT_FALSE(run(sentence("GPVTG,054.7,T,034.4,M,nan,N,010.2,K,A")));
}
