#include "support.h"

#include <gtest/gtest.h>

using namespace trix;
using namespace trixtest;

namespace {
struct Proprietary : ::testing::Test {
    EpochDecoder d{3};
    Proprietary() { d.setUnits(UnitSelection{4, 0, 0, 3, 1}); }
    bool run(const std::string& s) { return d.runHandler(sentenceCode(s), s); }
};
} // namespace

TEST_F(Proprietary, PosFillsPositionVelocityAndDops) {
    ASSERT_TRUE(run(pos(hms(3600), '1')));
    EXPECT_EQ(d.pos.fixMode, 1);
    EXPECT_EQ(d.pos.usedSats, 7);
    EXPECT_DOUBLE_EQ(d.pos.utcTime, 10000.0);
    EXPECT_NEAR(d.pos.latitude, 48.1173, 1e-9);
    EXPECT_NEAR(d.pos.altitude, 512.3, 1e-3) << "no geoid separation is added";
    EXPECT_FLOAT_EQ(d.pos.course, 123.4f);
    EXPECT_FLOAT_EQ(d.pos.speed, 1.5f);
    EXPECT_FLOAT_EQ(d.pos.pdop, 2.1f);
    EXPECT_FLOAT_EQ(d.pos.hdop, 1.2f);
    EXPECT_FLOAT_EQ(d.pos.vdop, 1.7f);
    EXPECT_FLOAT_EQ(d.pos.tdop, 1.0f);
    EXPECT_EQ(d.sentencesReceived(), 1);
}

TEST_F(Proprietary, PosModesAndFailures) {
    ASSERT_TRUE(run(pos(1, '2')));
    EXPECT_EQ(d.pos.fixMode, 3);
    ASSERT_TRUE(run(pos(2, '3')));
    EXPECT_EQ(d.pos.fixMode, 4);
    EXPECT_FALSE(run(pos(3, '4')));
    std::string noStar = pos(4);
    noStar.resize(noStar.rfind('*'));
    EXPECT_FALSE(run(noStar)) << "a proprietary answer without '*' fails when checked";
    EXPECT_FALSE(run(pos(5, '0', "nan")));
    EXPECT_FALSE(run(pos(6, '0', "-10000.5")));
    d.limits().velocity = false;
    EXPECT_TRUE(run(pos(7, '0', "-10000.5")));
}

TEST_F(Proprietary, VerticalScaleIsDetectedOnce) {
    ASSERT_TRUE(run(pos(1, '0', "-00.3")));
    EXPECT_FLOAT_EQ(d.scales().vertical, 10.0f);
    EXPECT_NEAR(d.pos.verticalVelocity, -0.3, 1e-6);
    ASSERT_TRUE(run(pos(2, '0', "-3")));
    EXPECT_NEAR(d.pos.verticalVelocity, -3.0, 1e-6) << "the scale stays once detected";

    EpochDecoder e{3};
    e.setUnits(UnitSelection{4, 0, 0, 3, 1});
    std::string s = pos(1, '0', "-3");
    ASSERT_TRUE(e.runHandler(kPOS, s));
    EXPECT_FLOAT_EQ(e.scales().vertical, 1.0f);
    EXPECT_NEAR(e.pos.verticalVelocity, -0.3, 1e-6);
}

TEST_F(Proprietary, PosWithoutFix) {
    ASSERT_TRUE(run(sentence("PXKTR,POS,0,00,000010.00,,,,,0,M,0,0,0,0,0,0,0,QF30")));
    EXPECT_TRUE(d.noPosition);
}

TEST_F(Proprietary, SatListWithFlagsAsSent) {
    ASSERT_TRUE(run(sat3()));
    EXPECT_EQ(d.sat.inView, 3);
    EXPECT_EQ(d.sat.sats[0].svNumber, 5);
    EXPECT_EQ(d.sat.sats[0].azimuth, 120);
    EXPECT_EQ(d.sat.sats[0].elevation, 45);
    EXPECT_EQ(d.sat.sats[0].snr, 44);
    EXPECT_EQ(d.sat.sats[0].usedFlag, 'U');
    EXPECT_EQ(d.sat.sats[2].usedFlag, '-');
    EXPECT_EQ(d.sat.constellations, kGps | kSbas);
    ASSERT_TRUE(run(sentence("PXKTR,SAT,0")));
    EXPECT_EQ(d.sat.inView, 0);
    EXPECT_TRUE(run(sentence("PXKTR,SAT,1,00,120,45,44,U"))) << "number 0 is accepted";
    EXPECT_FALSE(run(sentence("PXKTR,SAT,2,05,120,45,44,U")));
    EXPECT_FALSE(run(sentence("PXKTR,SAT,1,05,120,91,44,U")));
    EXPECT_FALSE(run(sentence("PXKTR,SAT,29")));
}

TEST_F(Proprietary, AttitudeAnswer) {
    ASSERT_TRUE(run(at2(1.0)));
    EXPECT_FLOAT_EQ(d.at2.heading, 123.5f);
    EXPECT_FLOAT_EQ(d.at2.pitch, -2.5f);
    EXPECT_FLOAT_EQ(d.at2.roll, 1.25f);
    EXPECT_FLOAT_EQ(d.at2.mrms, 0.012f);
    EXPECT_FLOAT_EQ(d.at2.brms, 0.003f);
    EXPECT_EQ(d.at2.resetFlag, 0);
    EXPECT_EQ(d.at2.doubleDiff[0], 2);
    EXPECT_EQ(d.at2.doubleDiff[1], 3);
    EXPECT_EQ(d.at2.doubleDiff[2], 4);
    int counted = d.sentencesReceived();
    ASSERT_TRUE(run(at2(2.0, '1')));
    EXPECT_EQ(d.at2.resetFlag, 1);
    EXPECT_FLOAT_EQ(d.at2.heading, 0.0f) << "angles stay zero while not valid";
    EXPECT_EQ(d.sentencesReceived(), counted + 1);
    EXPECT_FALSE(run(at2(3.0, '0', "361")));
    EXPECT_FALSE(run(sentence("PXKTR,AT2,1,2,3,4,5,6,0,5,1234")));
    EXPECT_FALSE(run(sentence("PXKTR,AT2,1,2")));
}

TEST_F(Proprietary, AntennaAnswers) {
    ASSERT_TRUE(run(sa4(2)));
    EXPECT_EQ(d.sa4[1].count, 2);
    EXPECT_EQ(d.sa4[1].sats[1].svNumber, 12);
    EXPECT_EQ(d.sa4[1].sats[1].snr, 40);
    EXPECT_EQ(d.sentencesReceived(), 0) << "antennas 1 to 3 are not counted";
    ASSERT_TRUE(run(sa4(4)));
    EXPECT_EQ(d.sentencesReceived(), 1);
    EXPECT_FALSE(run(sentence("PXKTR,SA4,5,0")));
    EXPECT_FALSE(run(sentence("PXKTR,SA4,1,1,00,40")));
}

TEST_F(Proprietary, CsnAddsSecondSignalToNoise) {
    ASSERT_TRUE(run(sat3()));
    ASSERT_TRUE(run(csn("2,2,05,40,38,12,41,39")));
    EXPECT_EQ(d.sat.sats[0].snr2, 38);
    EXPECT_EQ(d.sat.sats[1].snr2, 39);
    EXPECT_FALSE(run(csn("2,1,77,40,05,40")))
        << "unknown satellite while the count is within inView";
    ASSERT_TRUE(run(csn("4,1,05,40,12,41,40,42,77,43")));
    EXPECT_EQ(d.sat.inView, 4);
    EXPECT_EQ(d.sat.sats[3].svNumber, 77);
    EXPECT_EQ(d.sat.sats[3].snr2, 43);
    EXPECT_EQ(d.sentencesReceived(), 1) << "CSN is never counted";
    EXPECT_TRUE(run(csn("0,1")));
    EXPECT_FALSE(run(csn("1,4,05,1,2,3,4")));
}

TEST(ProprietaryAssembly, TagAnswerAndCsnQuery) {
    FakePort port;
    EpochDecoder d{4, {nullptr, nullptr, nullptr, nullptr, &port, nullptr}};
    d.handleSentence("$PXKTR,NME,TAG,V23*00");
    EXPECT_FALSE(d.nmeaTag);
    d.handleSentence("$PXKTR,NME,TAG,XKT*00");
    EXPECT_TRUE(d.nmeaTag);
    d.handleSentence(pos(1));
    ASSERT_EQ(port.written.size(), 1u);
    EXPECT_EQ(port.written[0], "$PXKTQ,CSN");
    port.open = false;
    d.handleSentence(pos(2));
    EXPECT_EQ(port.written.size(), 1u) << "no query without an open port";
}
