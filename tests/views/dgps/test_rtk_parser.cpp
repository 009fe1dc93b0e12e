// The RTK window's line parser: every dispatch rule, the history built from a log and the
// mended faults, from hand-made lines.

#include "base/text.h"
#include "follow_jumps.h"
#include "sentences.h"
#include "views/rtk/rtk_dump.h"
#include "views/rtk/rtk_parser.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using trix::testing::sentence;
using namespace trix::rtk;

namespace {

std::string cbn(const char* time, const char* position = "4807.03799,N,01130.99601,E,545.398") {
    return sentence(std::string("PXKTR,CBN,") + time + ",FIX,09," + position +
                    ",0.012,0.010,0.025,1.8,0.9,1.5,0.8,0.001,-0.002,0.000,0.010,0.010,0.020");
}

std::string vec(const char* time, const char* base = "2", const char* system = "1") {
    return sentence(std::string("PXKTR,VEC,") + time + "," + base + ",1,0,1,08,09,08,0,0120,0," +
                    system + ",+12.3247,-5.6596,+0.8883,0.0100,0.0100,0.0200");
}

double value(const RtkParser& p, int i) {
    return p.data().values[static_cast<std::size_t>(i)].value;
}

TEST(RtkRules, StartValues) {
    RtkParser p;
    EXPECT_EQ(value(p, Latency), 999.0) << "a latency never reported shows 999";
    EXPECT_EQ(value(p, BaseAge), 999.0);
    EXPECT_EQ(value(p, BasePosition), -1.0);
    EXPECT_EQ(p.coordinateLabel(), kEnuLabel);
    EXPECT_FALSE(p.data().hasTime());
}

TEST(RtkRules, CombinedSolution) {
    RtkParser p;
    EXPECT_TRUE(p.liveLine(cbn("120000.00"))) << "a handled CBN redraws"; // K1
    EXPECT_EQ(p.data().timeCode, "CBN");
    EXPECT_DOUBLE_EQ(p.data().utcTime, 120000.0);
    EXPECT_EQ(value(p, UsedSatellites), 9.0);
    EXPECT_NEAR(value(p, Component1), 48.0 + 7.03799 / 60.0, 1e-12);
    EXPECT_EQ(p.data().values[Component1].unit, "\xC2\xB0");
    EXPECT_DOUBLE_EQ(value(p, Component3), 545.398);
    EXPECT_DOUBLE_EQ(value(p, Rms3), 0.025);
    EXPECT_DOUBLE_EQ(value(p, VelocityY), -0.002);
    EXPECT_DOUBLE_EQ(value(p, VelocityRmsZ), 0.020);
    EXPECT_EQ(p.data().latHemisphere, 'N');
    ASSERT_EQ(p.scatter().size(), 1u);
    EXPECT_EQ(p.scatter()[0].kind, PointKind::Degrees);

    EXPECT_TRUE(p.liveLine(cbn("120001.00", ",,,,")));
    EXPECT_TRUE(p.noPosition()) << "empty position fields";
    EXPECT_EQ(p.scatter().size(), 1u);
    EXPECT_TRUE(p.liveLine(cbn("120002.00", "0,N,0,E,0")));
    EXPECT_TRUE(p.noPosition());
    EXPECT_EQ(p.scatter().size(), 1u);
    EXPECT_TRUE(p.liveLine(cbn("120003.00")));
    EXPECT_FALSE(p.noPosition());

    EXPECT_FALSE(p.liveLine(cbn("120004.00", "4807.0,N,01130.9,E,35000"))) << "altitude limit";
    RtkLimits limits;
    limits.limitAltitude = false;
    p.setLimits(limits);
    EXPECT_TRUE(p.liveLine(cbn("120005.00", "4807.0,N,01130.9,E,35000")));
    EXPECT_FALSE(p.liveLine(cbn("120006.00", "4807.0,X,01130.9,E,35")));
    EXPECT_FALSE(p.liveLine(cbn("120007.00", "4807.0,N,01130.9,E,nan"))) << "K13";
}

TEST(RtkRules, Vector) {
    RtkParser p;
    EXPECT_TRUE(p.liveLine(vec("120000.00")));
    EXPECT_EQ(value(p, BasePosition), 2.0);
    EXPECT_EQ(value(p, Ambiguity), 1.0);
    EXPECT_EQ(value(p, RoverSatellites), 8.0);
    EXPECT_EQ(value(p, BaseSatellites), 9.0);
    EXPECT_EQ(value(p, Latency), 120.0);
    EXPECT_DOUBLE_EQ(value(p, Component2), -5.6596);
    EXPECT_DOUBLE_EQ(value(p, Rms3), 0.02);
    EXPECT_EQ(p.scatter()[0].kind, PointKind::Metres);
    // K8: the label comes back to ENU.
    EXPECT_TRUE(p.liveLine(vec("120001.00", "2", "2")));
    EXPECT_EQ(p.coordinateLabel(), kUnknownLabel);
    EXPECT_TRUE(p.liveLine(vec("120002.00")));
    EXPECT_EQ(p.coordinateLabel(), kEnuLabel);
    // K2: "No Base" stops the answer and is still shown.
    EXPECT_TRUE(p.liveLine(sentence("PXKTR,VEC,120003.00,0,0")));
    EXPECT_EQ(value(p, BasePosition), 0.0);
    // K3: a base-position code outside 0 to 3 is refused.
    EXPECT_FALSE(p.liveLine(vec("120004.00", "7")));
    EXPECT_EQ(value(p, BasePosition), 0.0);
    EXPECT_FALSE(p.liveLine(vec("120004.00", "-1")));
}

TEST(RtkRules, ChecksumOverTheReceivedTextAndUpperCasing) { // K10
    RtkParser p;
    const std::string lower = sentence("PXKTR,vec,120000.00,2,1,0,1,08,09,08,0,0120,0,1,1,2,3,"
                                       "0.1,0.1,0.2");
    EXPECT_TRUE(p.liveLine(lower));
    EXPECT_EQ(value(p, Component3), 3.0);
    std::string bad = vec("120001.00");
    bad.back() = bad.back() == '0' ? '1' : '0';
    EXPECT_FALSE(p.liveLine(bad));
    RtkLimits off;
    off.checksum = false;
    p.setLimits(off);
    EXPECT_TRUE(p.liveLine(bad));
}

TEST(RtkRules, RepeatedBaseMessagesByWholeField) { // K11
    RtkParser p;
    EXPECT_TRUE(p.liveLine("$GPMSG,03,1,2,3,4,5,6,7,8,9*00"));
    EXPECT_TRUE(p.liveLine("$GPMSG,22,1,2,3,4,5,6,7,8,9*00"));
    for (const char* line : {"$GPMSG,0,1,2,3,4,5,6,7,8,9*00", "$GPMSG,2,1,2,3,4,5,6,7,8,9*00",
                             "$GPMSG,,1,2,3,4,5,6,7,8,9*00", "$GPMSG,3,1,2,3,4,5,6,7,8,9"})
        EXPECT_FALSE(p.liveLine(line)) << line;
}

TEST(RtkRules, ModeLines) {
    RtkParser p;
    EXPECT_TRUE(p.liveLine("CPD MODE:ROV STAT:ON"));
    EXPECT_EQ(p.data().mode, 2);
    EXPECT_FALSE(p.liveLine("CPD MODE:ROV STAT:ON")) << "unchanged";
    p.liveLine("CPD MODE:RVP BAS STAT:ON");
    EXPECT_EQ(p.data().mode, 4);
    p.liveLine("cpd mode:dis stat:off");
    EXPECT_EQ(p.data().mode, 0);
}

TEST(RtkRules, DataLink) {
    RtkParser p;
    EXPECT_TRUE(p.liveLine(sentence("PXKTR,CPD,DLK,ROV,B,0123,0002,98,1200,+")));
    EXPECT_EQ(value(p, BaseAge), 2.0);
    EXPECT_EQ(value(p, LinkQuality), 98.0);
    EXPECT_EQ(p.data().linkSign, '+');
    EXPECT_EQ(p.data().values[BaseAge].code, "DLK");
    EXPECT_FALSE(p.liveLine("$PXKTR,CPD,DLK,ROV,B,0123,0002,98,1200,x"));
    EXPECT_EQ(p.data().linkSign, ' ');
    // K6: fewer than four commas is not handled and clears nothing.
    p.liveLine(sentence("PXKTR,CPD,DLK,ROV,B,0123,0005,90,1200,-"));
    EXPECT_FALSE(p.liveLine("$PXKTR,CPD,DLK,ROV"));
    EXPECT_EQ(value(p, BaseAge), 5.0);
    // A base's answer is handled and changes nothing.
    EXPECT_FALSE(p.liveLine("$PXKTR,CPD,DLK,BAS,B,0123,0007,90,1200,-"));
    EXPECT_EQ(value(p, BaseAge), 5.0);
}

TEST(RtkRules, Information) {
    RtkParser p;
    EXPECT_TRUE(p.liveLine(sentence("PXKTR,CPD,INF,ROV,03,02+,05C,12-,04,02C,05+,12P,17+")));
    EXPECT_EQ(p.data().mode, 2);
    EXPECT_EQ(value(p, BaseSatellites), 3.0);
    EXPECT_EQ(value(p, RoverSatellites), 4.0);
    EXPECT_TRUE(p.data().warnings[BaseL1]);
    EXPECT_TRUE(p.data().warnings[BaseL2]);
    // K4: a later clean rover satellite keeps the earlier satellites' warnings.
    EXPECT_TRUE(p.data().warnings[RoverL1]);
    EXPECT_TRUE(p.data().warnings[RoverL2]);
    // K7: a changed count alone is a change.
    EXPECT_TRUE(p.liveLine(sentence("PXKTR,CPD,INF,ROV,03,02+,05C,12-,05,02C,05+,12P,17+")));
    EXPECT_EQ(value(p, RoverSatellites), 5.0);
    // K5: a count larger than the groups present reads only the groups.
    EXPECT_TRUE(p.liveLine(sentence("PXKTR,CPD,INF,ROV,09,02+,03,07P")));
    EXPECT_EQ(value(p, BaseSatellites), 9.0);
    EXPECT_EQ(value(p, RoverSatellites), 3.0);
    EXPECT_FALSE(p.data().warnings[BaseL1]);
    EXPECT_TRUE(p.data().warnings[RoverL2]);
    // Mode OFF keeps satellites and warnings.
    EXPECT_TRUE(p.liveLine(sentence("PXKTR,CPD,INF,OFF,01,02C,01,02C")));
    EXPECT_EQ(p.data().mode, 0);
    EXPECT_EQ(value(p, BaseSatellites), 9.0);
    EXPECT_TRUE(p.data().warnings[RoverL2]);
}

TEST(RtkRules, LatencyAnswers) {
    RtkParser p;
    EXPECT_TRUE(p.liveLine("TF:0010 DLF:0120 TC:0050 DLC:0400"));
    EXPECT_TRUE(p.liveLine("TF:0010 DLF:0120 TC:0050 DLC:0400")); // K12: formed anew
    EXPECT_EQ(p.fastSum(), 130);
    EXPECT_EQ(p.commonSum(), 450);
    EXPECT_FALSE(p.liveLine("TF:0010 DLF:0120 TC:0050"));
    EXPECT_TRUE(p.liveLine("FAST CPD:ON"));
    EXPECT_EQ(value(p, Latency), 130.0);
    EXPECT_TRUE(p.liveLine("FAST CPD:OFF"));
    EXPECT_EQ(value(p, Latency), 450.0);
    EXPECT_TRUE(p.liveLine(sentence("PXKTR,LTN,ROV,1,0120")));
    EXPECT_EQ(value(p, Latency), 120.0);
    EXPECT_EQ(p.data().values[Latency].code, "LTN");
}

TEST(RtkRules, BasePositionAmbiguityAndResiduals) {
    RtkParser p;
    EXPECT_TRUE(p.liveLine("BAS POS USED:RECEIVED"));
    EXPECT_EQ(value(p, BasePosition), 2.0);
    EXPECT_TRUE(p.liveLine("BAS POS USED:ENTERED"));
    EXPECT_EQ(value(p, BasePosition), 3.0);
    EXPECT_FALSE(p.liveLine("BAS POS USED:NONE"));
    EXPECT_TRUE(p.liveLine("AMBIGUITY:FIXED"));
    EXPECT_EQ(value(p, Ambiguity), 1.0);
    EXPECT_FALSE(p.liveLine("AMBIGUITY:FIXED")) << "unchanged";
    EXPECT_TRUE(p.liveLine("AMBIGUITY:FLOAT"));
    EXPECT_EQ(value(p, Ambiguity), 0.0);
    EXPECT_TRUE(p.liveLine("AMBIGUITY:LOST"));
    EXPECT_EQ(value(p, Ambiguity), -1.0);
    EXPECT_TRUE(p.data().values[Ambiguity].code.empty());
    EXPECT_TRUE(p.liveLine(sentence("PXKTR,RRE,3,02,0.4,05,-0.2,12,0.1,0.031,0.052")));
    EXPECT_DOUBLE_EQ(value(p, Residual), 0.031);
    EXPECT_DOUBLE_EQ(value(p, Rms3), 0.052);
    EXPECT_FALSE(p.liveLine(sentence("PXKTR,RRE,3,02,0.4,05,-0.2,12,0.1,0.031,0.052")));
}

TEST(RtkHistory, RecordsPerNewTime) {
    RtkParser p;
    // K1: every CBN with a new time is a record.
    for (const char* t : {"120000.00", "120001.00", "120001.00", "120000.50", "120002.00"})
        p.indexedLine(cbn(t));
    ASSERT_EQ(p.history().size(), 3u) << "same time once, earlier time never";
    EXPECT_EQ(p.history()[1].line, 2);
    EXPECT_TRUE(p.scatter().empty()) << "scatter points are live only";
    EXPECT_EQ(p.indexedLine(""), RtkParser::Indexed::Empty);
    EXPECT_TRUE(p.dataLoaded());
}

TEST(RtkHistory, AcrossMidnightAndFollowing) { // K9
    RtkParser p;
    p.indexedLine(sentence("GPGGA,235959.00,4807.038,N,01131.000,E,2,08,0.9,545.4,M,,M,,"));
    for (const char* t : {"235959.00", "000000.00", "000001.00"}) {
        p.indexedLine(vec(t));
        p.indexedLine("AMBIGUITY:FLOAT");
        p.indexedLine("AMBIGUITY:FIXED");
    }
    ASSERT_EQ(p.history().size(), 3u);
    EXPECT_EQ(trix::dgps::dayOf(p.history()[2].running), 1);
    EXPECT_TRUE(p.dataLoaded());
    const std::string follow = dumpFollow(p, {235959.0, 0.0, 1.0, 2.0});
    EXPECT_EQ(follow, "follow=1,235959.00,1\nfollow=2,0.00,2\nfollow=3,1.00,3\nfollow=4,2.00,-\n");
    EXPECT_DOUBLE_EQ(p.data().utcTime, 1.0);

    // A jump from the first epoch past the last record shows the last record, as stepping
    // there would; a jump back shows the first again.
    const double first = trix::dgps::nearest(235959.0, {});
    ASSERT_TRUE(p.follow(first));
    EXPECT_DOUBLE_EQ(p.data().utcTime, 235959.0);
    EXPECT_TRUE(p.follow(p.history().back().running + 5.0));
    EXPECT_DOUBLE_EQ(p.data().utcTime, 1.0);
    EXPECT_FALSE(p.follow(p.history().back().running + 9.0)) << "still the last: no change";
    EXPECT_TRUE(p.follow(first));
    EXPECT_DOUBLE_EQ(p.data().utcTime, 235959.0);
}

TEST(RtkHistory, AJumpAcrossMidnightLandsWhereSteppingDoes) {
    using namespace trix::testing;
    RtkParser p;
    std::vector<double> epochs;
    for (const std::string& t : overnightEpochs()) {
        p.indexedLine(sentence("GPGGA," + t + ",4807.038,N,01131.000,E,2,08,0.9,545.4,M,,M,,"));
        epochs.push_back(std::stod(t));
        const int hour = static_cast<int>(epochs.back()) / 10000;
        if (std::find(kOvernightEntryHours.begin(), kOvernightEntryHours.end(), hour) !=
            kOvernightEntryHours.end())
            p.indexedLine(vec(t.c_str()));
    }
    ASSERT_TRUE(p.dataLoaded());
    ASSERT_EQ(p.history().size(), kOvernightEntryHours.size());
    p.setEpochTimes(epochs);

    const auto shown = [](const RtkParser& q) {
        return static_cast<int>(q.data().utcTime) / 10000;
    };
    const auto stepped = expectJumpsLandWhereStepsDo(p, static_cast<int>(epochs.size()), shown);
    EXPECT_EQ(stepped, kOvernightShownHours);

    // Fifteen hours forward from the first epoch, and back.
    ASSERT_TRUE(p.followEpoch(0));
    EXPECT_TRUE(p.followEpoch(15));
    EXPECT_EQ(shown(p), 9);
    EXPECT_TRUE(p.followEpoch(0));
    EXPECT_EQ(shown(p), 18);
    EXPECT_FALSE(p.followEpoch(-1)) << "no such epoch: nothing changes";
    EXPECT_EQ(shown(p), 18);
}

TEST(RtkHistory, DataLoadedWithoutRecords) {
    RtkParser none;
    none.indexedLine("nothing here");
    EXPECT_FALSE(none.dataLoaded()) << "the window closes";
    RtkParser timeless;
    timeless.indexedLine("CPD MODE:ROV STAT:ON");
    EXPECT_TRUE(timeless.newData());
    EXPECT_TRUE(timeless.history().empty());
    ASSERT_TRUE(timeless.dataLoaded());
    EXPECT_EQ(timeless.history().size(), 1u);
    EXPECT_EQ(timeless.recordFor(0.0), 0) << "a timeless record is shown at every epoch";
}

TEST(RtkHistory, RefusedOnceFull) {
    RtkParser p;
    RtkLimits limits;
    limits.checksum = false;
    p.setLimits(limits);
    RtkParser::Indexed last = RtkParser::Indexed::Taken;
    // Running times grow by one second per line; the history stops after 65537 records.
    for (int i = 0; i < 70000 && last != RtkParser::Indexed::Refused; ++i) {
        const int s = i % 86400;
        const std::string t = trix::cformat("%02d%02d%02d.00", s / 3600, s / 60 % 60, s % 60);
        last = p.indexedLine("$PXKTR,VEC," + t + ",0,");
    }
    EXPECT_EQ(last, RtkParser::Indexed::Refused);
    EXPECT_EQ(p.history().size(), kHistoryCapacity + 1);
}

} // namespace
