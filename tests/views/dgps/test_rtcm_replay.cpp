// Replay of the RTCM window: snapshots and message-epoch records built from a log, selected
// for the epoch shown, across midnight.

#include "follow_jumps.h"
#include "sentences.h"
#include "views/rtcm/dgps_outputs.h"
#include "views/rtcm/rtcm_dump.h"
#include "views/rtcm/rtcm_parser.h"

#include <gtest/gtest.h>

#include <algorithm>

using trix::testing::sentence;
using namespace trix::rtcm;

namespace {

std::string gga(const char* time) {
    return sentence(std::string("GPGGA,") + time + ",4807.038,N,01131.000,E,2,08,0.9,545.4,M,,M,,");
}

std::string msg(int seq, const char* time, int sv) {
    return sentence("GPMSG,1,0123,1234.5," + std::to_string(seq) + ",0,1," + time + ",0," +
                    std::to_string(sv) + ",1.0,0.1,7");
}

TEST(RtcmReplay, RecordsKeepTheirOwnCorrectionsAndTexts) { // R9
    RtcmParser p;
    p.setKeepReplay(true);
    for (const auto& l : {gga("120000.00"), msg(0, "115959.00", 3),
                          sentence("GPMSG,16,0123,1,1,0,1,115959.00,FIRST"), gga("120001.00"),
                          msg(2, "120000.00", 4), sentence("GPMSG,16,0123,1,3,0,1,120000.00,LAST")})
        p.line(l);
    p.dataLoaded();
    ASSERT_EQ(p.messageEpochs().size(), 2u);
    EXPECT_EQ(p.messageEpochs()[0].messages.tables[0].entries()[0].sv, 3);
    EXPECT_EQ(*p.messageEpochs()[0].messageGps, "FIRST");
    EXPECT_EQ(p.messageEpochs()[0].line, 2);
    // Following the first epoch shows the first record's corrections and text.
    EXPECT_TRUE(p.follow(trix::dgps::nearest(115959.0, {})));
    EXPECT_EQ(p.messages().tables[0].entries()[0].sv, 3);
    EXPECT_EQ(*p.queried().messageGps, "FIRST");
    EXPECT_FALSE(p.follow(trix::dgps::nearest(115959.0, {}))) << "the same record: no change";
    EXPECT_TRUE(p.follow(trix::dgps::nearest(120000.0, {})));
    EXPECT_EQ(*p.queried().messageGps, "LAST");
    EXPECT_FALSE(p.follow(trix::dgps::nearest(130000.0, {}))) << "still the last: no change";
    EXPECT_EQ(*p.queried().messageGps, "LAST");
    // A jump from the first epoch past the end shows the last record, not the first.
    ASSERT_TRUE(p.follow(trix::dgps::nearest(115959.0, {})));
    EXPECT_TRUE(p.follow(trix::dgps::nearest(130000.0, {})));
    EXPECT_EQ(*p.queried().messageGps, "LAST");
    EXPECT_EQ(p.messages().tables[0].entries()[0].sv, 4);
}

TEST(RtcmReplay, AcrossMidnight) { // R10
    RtcmParser p;
    p.setKeepReplay(true);
    const char* times[] = {"235958.00", "235959.00", "000000.00", "000001.00"};
    int seq = 0;
    for (const char* t : times) {
        p.line(gga(t));
        p.line(msg(seq % 8, t, 10 + seq));
        ++seq;
        p.line("RTC STATUS:");
        p.line("SYNC:*");
        p.line("AGE:" + std::to_string(seq));
    }
    p.dataLoaded();
    ASSERT_EQ(p.messageEpochs().size(), 4u) << "each message time after midnight is later";
    EXPECT_EQ(p.messages().tables[0].entries().size(), 1u) << "stale rows are cleared";
    ASSERT_EQ(p.answers().size(), 4u);
    EXPECT_EQ(trix::dgps::dayOf(*p.answers()[3].running), 1);
    std::vector<double> epochs{235958.0, 235959.0, 0.0, 1.0};
    const std::string follow = dumpFollow(p, epochs);
    EXPECT_EQ(follow, "follow=1,235958.00,1,1\nfollow=2,235959.00,2,2\n"
                      "follow=3,0.00,3,3\nfollow=4,1.00,4,4\n");
    EXPECT_DOUBLE_EQ(*p.queried().age, 4.0);
}

TEST(RtcmReplay, AJumpAcrossMidnightLandsWhereSteppingDoes) {
    using namespace trix::testing;
    RtcmParser p;
    p.setKeepReplay(true);
    std::vector<double> epochs;
    int seq = 0;
    for (const std::string& t : overnightEpochs()) {
        p.line(gga(t.c_str()));
        epochs.push_back(std::stod(t));
        const int hour = static_cast<int>(epochs.back()) / 10000;
        if (std::find(kOvernightEntryHours.begin(), kOvernightEntryHours.end(), hour) ==
            kOvernightEntryHours.end())
            continue;
        // A message epoch and an answer, each telling the hour it belongs to.
        p.line(sentence("GPMSG,16,0123,1," + std::to_string(seq++ % 8) + ",0,1," + t + ",H" +
                        std::to_string(hour)));
        p.line("RTC STATUS:");
        p.line("SYNC:*");
        p.line("AGE:" + std::to_string(hour));
    }
    p.dataLoaded();
    ASSERT_EQ(p.messageEpochs().size(), kOvernightEntryHours.size());
    ASSERT_EQ(p.answers().size(), kOvernightEntryHours.size());
    p.setEpochTimes(epochs);

    const auto shown = [](const RtcmParser& q) {
        return q.queried().messageGps.value_or("-") + "/" +
               std::to_string(static_cast<int>(q.queried().age.value_or(-1)));
    };
    const auto stepped = expectJumpsLandWhereStepsDo(p, static_cast<int>(epochs.size()), shown);
    for (std::size_t k = 0; k < stepped.size(); ++k) {
        const std::string hour = std::to_string(kOvernightShownHours[k]);
        EXPECT_EQ(stepped[k], "H" + hour + "/" + hour) << "epoch " << k + 1;
    }

    // Fifteen hours forward from the first epoch, and back.
    ASSERT_TRUE(p.followEpoch(0));
    EXPECT_TRUE(p.followEpoch(15));
    EXPECT_EQ(shown(p), "H9/9");
    EXPECT_TRUE(p.followEpoch(0));
    EXPECT_EQ(shown(p), "H18/18");
    EXPECT_FALSE(p.followEpoch(16)) << "no such epoch: nothing changes";
    EXPECT_EQ(shown(p), "H18/18");
}

TEST(RtcmReplay, AnswerBeforeAnyPositionTakesTheNextTime) { // G1
    RtcmParser p;
    p.setKeepReplay(true);
    for (const auto& l : {std::string("RTC:OFF"), gga("101010.00")})
        p.line(l);
    ASSERT_EQ(p.answers().size(), 1u);
    EXPECT_DOUBLE_EQ(*p.answers()[0].time, 101010.0);
}

TEST(RtcmReplay, ArraysAreBounded) { // R8
    RtcmParser p;
    p.setKeepReplay(true);
    for (int i = 0; i < 70000; ++i)
        p.line("RTC:OFF");
    EXPECT_EQ(p.answers().size(), kReplayCapacity);
    EXPECT_FALSE(p.outOfMemory());
}

TEST(RtcmDump, BlocksInLineOrderThenTheEnd) {
    RtcmParser p;
    p.setKeepReplay(true);
    for (const auto& l : {gga("120000.00"), msg(7, "115959.00", 3), std::string("RTC:OFF")})
        p.line(l);
    p.dataLoaded();
    EXPECT_EQ(dumpParser(p), "block=msgepoch 1\nline=2\ntime=115959.00\nday=0\n"
                             "hdr=1,123,1234.500000000,0,7,.\n"
                             "gps=3,0,1.000000000,0.100000000,7,n/a,n/a,n/a,n/a\n"
                             "msg_gps=n/a\nmsg_glo=n/a\n\n"
                             "block=answer 1\nline=3\ntime=120000.00\nday=0\nmode=OFF\n"
                             "sync=n/a\ntype=n/a\nstid=n/a\nsthe=n/a\nage=n/a\nqa=n/a\n"
                             "offset=n/a\nbase_lat=n/a\nbase_lon=n/a\nbase_alt=n/a\n"
                             "msg_gps=n/a\nmsg_glo=n/a\n\n"
                             "block=end\nanswers=1\nmsgepochs=1\narrived=1\nopen=0\nmode=OFF\n"
                             "sync=n/a\ntype=n/a\nstid=n/a\nsthe=n/a\nage=n/a\nqa=n/a\n"
                             "offset=n/a\nbase_lat=n/a\nbase_lon=n/a\nbase_alt=n/a\n"
                             "msg_gps=n/a\nmsg_glo=n/a\n"
                             "hdr=1,123,1234.500000000,0,7,.\n"
                             "gps=3,0,1.000000000,0.100000000,7,n/a,n/a,n/a,n/a\n\n");
}

} // namespace

namespace {

TEST(RunningClock, PositionSentencesAndTheirChecksum) {
    using trix::dgps::positionSentenceTime;
    EXPECT_EQ(positionSentenceTime(gga("235959.50"), true), 235959.5);
    EXPECT_EQ(positionSentenceTime(
                  sentence("PXKTR,POS,1,06,120001.00,5546.1,N,03737.5,E,181.9,,90.0,0.10"), true),
              120001.0)
        << "the time of POS is its third field after the code";
    std::string bad = gga("120000.00");
    bad.back() = bad.back() == '0' ? '1' : '0';
    EXPECT_FALSE(positionSentenceTime(bad, true));
    EXPECT_TRUE(positionSentenceTime(bad, false));
    EXPECT_FALSE(positionSentenceTime(gga("235960.50"), true));
    EXPECT_FALSE(positionSentenceTime("RTC STATUS:", true));
}

TEST(RunningClock, WindowTimesBeforeAndAfterThePositionSentences) {
    trix::dgps::RunningClock c;
    EXPECT_DOUBLE_EQ(c.windowTime(235959.0), 86399.0) << "before any position: plain seconds";
    EXPECT_DOUBLE_EQ(c.windowTime(1.0), 86401.0) << "and the reference follows window times";
    c.position(2.0);
    EXPECT_DOUBLE_EQ(*c.firstPosition(), 86402.0);
    EXPECT_DOUBLE_EQ(c.windowTime(235958.0), 86398.0);
    EXPECT_DOUBLE_EQ(c.windowTime(3.0), 86403.0);
}

} // namespace
