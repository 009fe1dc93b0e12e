// The RTCM window's line parser, one rule at a time, from hand-made lines.

#include "sentences.h"
#include "views/rtcm/rtcm_parser.h"

#include <gtest/gtest.h>

#include <cmath>

using trix::testing::sentence;
using namespace trix::rtcm;

namespace {

const std::string kGga = sentence("GPGGA,120000.00,4807.038,N,01131.000,E,2,08,0.9,545.4,M,,M,,");

void feed(RtcmParser& p, std::initializer_list<std::string> lines) {
    for (const auto& l : lines)
        p.line(l);
}

std::string msg1(int seq, const char* time, const char* groups, int type = 1) {
    return sentence("GPMSG," + std::to_string(type) + ",0123,1234.5," + std::to_string(seq) +
                    ",0,1," + time + "," + groups);
}

const Correction* find(const RtcmParser& p, int system, int sv) {
    for (const auto& c : p.messages().tables[static_cast<std::size_t>(system)].entries())
        if (c.sv == sv)
            return &c;
    return nullptr;
}

TEST(RtcmAnswer, FullAnswerFillsEveryQueriedField) {
    RtcmParser p;
    EXPECT_FALSE(p.queried().mode);
    EXPECT_FALSE(p.arrived());
    feed(p, {"RTC STATUS:", "SYNC:*  TYPE:1  STID:0123  STHE:0", "AGE:+001.7  QA:100.0%  OFFSET:2",
             "SETUP:", "MODE:REMOTE,PORT:B,SPD:9600", "FRQ:1 MAX:060 TYP:1",
             "BASE: LAT:4807.03800N LON:01130.99600E ALT:+0545.40", "MSG:BASE 0123 READY",
             "MSG(GLO):GLONASS BASE 0123"});
    EXPECT_TRUE(p.answerOpen());
    EXPECT_FALSE(p.arrived());
    p.line(""); // the first line the parser does not take completes the answer
    EXPECT_FALSE(p.answerOpen());
    ASSERT_TRUE(p.arrived());
    const QueriedState& q = p.queried();
    EXPECT_EQ(*q.mode, "REMOTE");
    EXPECT_EQ(*q.sync, '*');
    EXPECT_EQ(*q.type, 1);
    EXPECT_EQ(*q.stationId, 123);
    EXPECT_EQ(*q.stationHealth, 0);
    EXPECT_DOUBLE_EQ(*q.age, 1.7);
    EXPECT_DOUBLE_EQ(*q.quality, 100.0);
    EXPECT_EQ(*q.offset, 2);
    EXPECT_EQ(*q.baseLatitude, "4807.03800N");
    EXPECT_EQ(*q.baseLongitude, "01130.99600E");
    EXPECT_EQ(*q.baseAltitude, "+0545.40");
    EXPECT_EQ(*q.messageGps, "BASE 0123 READY");
    EXPECT_EQ(*q.messageGlonass, "GLONASS BASE 0123");
}

TEST(RtcmAnswer, AnswerWithoutSyncIsDroppedAndItsLineReadAsItself) {
    RtcmParser p;
    p.setKeepReplay(true);
    feed(p, {"RTC STATUS:", "AGE:+001.7", "RTC STATUS:", "SYNC:A TYPE:2"});
    EXPECT_FALSE(p.queried().age) << "the line after a dropped STATUS is not an answer line";
    EXPECT_EQ(*p.queried().sync, 'A');
    // A STATUS line inside an answer completes it and starts the next one.
    feed(p, {"RTC STATUS:", "SYNC:B", "MSG:x"});
    EXPECT_EQ(p.answers().size(), 1u);
    EXPECT_EQ(p.answers()[0].state.sync, 'A');
    EXPECT_EQ(*p.queried().type, 2) << "fields keep their values from answer to answer";
}

TEST(RtcmAnswer, TypeIsReadOnTheSyncLineOnly) {
    RtcmParser p;
    feed(p, {"RTC STATUS:", "SYNC:*", "TYPE:9 STID:5 STHE:1", ""});
    EXPECT_FALSE(p.queried().type);
    EXPECT_EQ(*p.queried().stationId, 5);
}

TEST(RtcmAnswer, SentenceAfterAnswerCompletesItAndIsParsed) { // R4
    RtcmParser p;
    p.setKeepReplay(true);
    feed(p, {kGga, "RTC STATUS:", "SYNC:*", msg1(0, "120000.00", "0,5,1.0,0.1,7")});
    EXPECT_TRUE(p.arrived());
    EXPECT_FALSE(p.queried().messageGps) << "a $GPMSG is never a base text";
    ASSERT_NE(find(p, 0, 5), nullptr);
    EXPECT_EQ(p.answers().size(), 1u);
}

TEST(RtcmAnswer, LineThatFailsChangesNothingButBelongsToTheAnswer) {
    RtcmParser p;
    feed(p, {"RTC STATUS:", "SYNC:*", "STID:12 AGE:  ", "OFFSET:3"});
    EXPECT_FALSE(p.queried().stationId) << "a value at the end of the line fails the line";
    EXPECT_TRUE(p.answerOpen());
    EXPECT_EQ(*p.queried().offset, 3);
    feed(p, {"AGE:nan"}); // R12
    EXPECT_FALSE(p.queried().age);
}

TEST(RtcmAnswer, BaseLineWithoutLongitudeKeepsTheOldText) { // R5
    RtcmParser p;
    feed(p, {"RTC STATUS:", "SYNC:*", "BASE: LAT:1N LON:2E ALT:3", "BASE: LAT:4S ALT:5", ""});
    EXPECT_EQ(*p.queried().baseLatitude, "4S");
    EXPECT_EQ(*p.queried().baseLongitude, "2E");
    EXPECT_EQ(*p.queried().baseAltitude, "5");
}

TEST(RtcmAnswer, TextsOfAnyLength) { // R6
    RtcmParser p;
    const std::string longText(1010, 'x');
    feed(p, {"RTC STATUS:", "SYNC:*", "MODE:" + longText + ",PORT:A", "MSG:" + longText, ""});
    EXPECT_EQ(*p.queried().mode, longText);
    EXPECT_EQ(*p.queried().messageGps, longText);
}

TEST(RtcmAnswer, RtcOffIsAOneLineAnswer) {
    RtcmParser p;
    p.line("RTC:OFF");
    EXPECT_TRUE(p.arrived());
    EXPECT_EQ(*p.queried().mode, "OFF");
    EXPECT_FALSE(p.answerOpen());
    p.line("AGE:1.0");
    EXPECT_FALSE(p.queried().age) << "answer lines outside an answer are ignored";
}

TEST(RtcmAnswer, AnswerOpenAtTheEndCompletesWhenTheFileIsRead) { // R7
    RtcmParser p;
    p.setKeepReplay(true);
    feed(p, {kGga, "RTC STATUS:", "SYNC:*", "AGE:2.5"});
    EXPECT_TRUE(p.answers().empty());
    p.dataLoaded();
    ASSERT_EQ(p.answers().size(), 1u);
    EXPECT_DOUBLE_EQ(*p.answers()[0].state.age, 2.5);
    EXPECT_DOUBLE_EQ(*p.answers()[0].time, 120000.0);
}

TEST(RtcmMessages, HeadersAndContinuityMarks) {
    RtcmParser p;
    feed(p, {msg1(7, "120000.00", "0,5,1.0,0.1,7"), msg1(0, "120000.00", "0,5,1.0,0.1,7", 31)});
    const auto& h = p.messages().headers;
    ASSERT_TRUE(h[0] && h[4]);
    EXPECT_EQ(h[0]->mark, ' ');
    EXPECT_EQ(h[4]->mark, '*') << "0 after 7 continues";
    EXPECT_DOUBLE_EQ(h[4]->zCount, 1234.5);
    EXPECT_EQ(h[4]->stationId, 123);
    p.line(msg1(3, "120000.00", "0,5,1.0,0.1,7"));
    EXPECT_EQ(h[0]->mark, ' ') << "3 after 1 is not continuous";
    p.line(msg1(4, "120000.00", "", 9));
    p.line(msg1(5, "120000.00", "0,5,1.0,0.1,7"));
    EXPECT_EQ(h[0]->mark, ' ') << "an unread type does not count as the previous message";
}

TEST(RtcmMessages, SameTimeAddsEarlierTimeDoesNotClearLaterClears) {
    RtcmParser p;
    feed(p, {msg1(0, "120001.00", "0,5,1.0,0.1,7"), msg1(1, "120001.00", "0,6,1.0,0.1,7"),
             msg1(2, "120000.00", "0,7,1.0,0.1,7")});
    EXPECT_EQ(p.messages().tables[0].entries().size(), 3u);
    p.line(msg1(3, "120002.00", "0,8,1.0,0.1,7"));
    ASSERT_EQ(p.messages().tables[0].entries().size(), 1u);
    EXPECT_EQ(p.messages().tables[0].entries()[0].sv, 8);
    p.line(msg1(4, "240000.50", "0,9,1.0,0.1,7"));
    EXPECT_EQ(find(p, 0, 9), nullptr) << "a time outside 0 to 240000 is ignored";
}

TEST(RtcmMessages, BasePositionsPerSystem) {
    RtcmParser p;
    p.line(msg1(0, "120000.00", "4177.1,855.2,4727.3", 3));
    p.line(msg1(1, "120000.00", "1.5,2.5,3.5", 32));
    ASSERT_TRUE(p.messages().bases[0] && p.messages().bases[1]);
    EXPECT_DOUBLE_EQ(p.messages().bases[0]->x, 4177.1);
    EXPECT_DOUBLE_EQ(p.messages().bases[1]->z, 3.5);
    p.line(msg1(2, "120000.00", "9,9,9", 32));
    EXPECT_DOUBLE_EQ(p.messages().bases[0]->x, 4177.1) << "PZ-90 leaves WGS-84 alone";
    EXPECT_DOUBLE_EQ(p.messages().bases[1]->x, 9.0);
}

TEST(RtcmMessages, BaseTextsNeedTheStar) {
    RtcmParser p;
    p.line(msg1(0, "120000.00", "HELLO, BASE", 16));
    p.line(msg1(1, "120000.00", "GLO TEXT", 36));
    EXPECT_EQ(*p.queried().messageGps, "HELLO, BASE");
    EXPECT_EQ(*p.queried().messageGlonass, "GLO TEXT");
    RtcmParser q;
    q.setChecksum(false);
    q.line("$GPMSG,16,1,2,3,4,5,120000,NO STAR");
    EXPECT_FALSE(q.queried().messageGps);
    EXPECT_TRUE(q.messages().headers[3]);
}

TEST(RtcmMessages, CorrectionGroups) {
    RtcmParser p;
    // R2: the last group is short and still read; R3: number 0 is skipped.
    p.line(msg1(0, "120000.00", "1,0,5.0,0.5,3,2,3,1.25,-0.5,44,0,9,1,0,7"));
    ASSERT_EQ(p.messages().tables[0].entries().size(), 2u);
    const Correction* c = find(p, 0, 3);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(*c->scaleUre, 2);
    EXPECT_DOUBLE_EQ(*c->prc, 1.25);
    EXPECT_DOUBLE_EQ(*c->rrc, -0.5);
    EXPECT_EQ(*c->iod, 44);
    EXPECT_NE(find(p, 0, 9), nullptr);
    // GLONASS numbers are shifted by 32.
    p.line(msg1(1, "120000.00", "0,4,2.0,0.1,1", 31));
    EXPECT_NE(find(p, 1, 36), nullptr);
    // R12: a value that is not finite ends the parse.
    p.line(msg1(2, "120000.00", "0,10,nan,0,1,0,11,1,1,1"));
    EXPECT_EQ(find(p, 0, 10), nullptr);
    EXPECT_EQ(find(p, 0, 11), nullptr);
}

TEST(RtcmMessages, DeltaCorrectionsApplyToTheGpsTable) {
    RtcmParser p;
    p.line(msg1(0, "120000.00", "0,3,1.0,0.5,1"));
    p.line(msg1(1, "120000.00", "0,3,0.25,-0.5,1,0,4,1,1,1", 2));
    const Correction* c = find(p, 0, 3);
    EXPECT_DOUBLE_EQ(*c->prc, 1.25);
    EXPECT_DOUBLE_EQ(*c->rrc, 0.0);
    EXPECT_DOUBLE_EQ(*c->deltaPrc, 0.25);
    EXPECT_EQ(find(p, 0, 4), nullptr) << "a type 2 satellite not in the table ends the parse";
}

TEST(RtcmMessages, TablesNeverOverflow) { // R1
    RtcmParser p;
    std::string groups;
    for (int sv = 1; sv <= 40; ++sv)
        groups += (sv > 1 ? "," : "") + std::string("0,") + std::to_string(sv) + ",1.0,0.1,1";
    p.line(msg1(0, "120000.00", groups.c_str()));
    EXPECT_EQ(p.messages().tables[0].entries().size(), kTableCapacity);
    EXPECT_NE(find(p, 0, 15), nullptr) << "a 15th satellite has its entry";
    EXPECT_NE(find(p, 0, 32), nullptr);
    EXPECT_EQ(find(p, 0, 33), nullptr);
}

TEST(RtcmMessages, ChecksumRuleAndSwitch) {
    RtcmParser p;
    std::string bad = msg1(0, "120000.00", "0,3,1.0,0.5,1");
    bad.back() = bad.back() == '0' ? '1' : '0';
    p.line(bad);
    EXPECT_FALSE(p.messages().headers[0]);
    p.setChecksum(false);
    p.line(bad);
    EXPECT_TRUE(p.messages().headers[0]);
}

TEST(RtcmNmea, GsaGrsGsnFillTheTableOfTheirTalker) {
    RtcmParser p;
    p.line(msg1(0, "120000.00", "0,3,1.0,0.5,1"));
    p.line(sentence("GPGSA,A,3,03,07,,,,,,,,,,,1.8,0.9,1.5"));
    p.line(sentence("GPGRS,120000.00,1,0.5,-1.25,,,,,,,,,,"));
    p.line(sentence("GPGSN,2,03,45.5,07,38"));
    p.line(sentence("GLGSA,A,3,40,,,,,,,,,,,,1.8,0.9,1.5"));
    p.line(sentence("GLGRS,120000.00,1,2.5,,,,,,,,,,,"));
    p.line(sentence("GLGSN,1,40,33"));
    const Correction* c3 = find(p, 0, 3);
    const Correction* c7 = find(p, 0, 7);
    ASSERT_TRUE(c3 && c7);
    EXPECT_DOUBLE_EQ(*c3->rangeResidual, 0.5);
    EXPECT_DOUBLE_EQ(*c7->rangeResidual, -1.25);
    EXPECT_DOUBLE_EQ(*c3->snr, 45.5);
    EXPECT_DOUBLE_EQ(*c7->snr, 38.0);
    EXPECT_DOUBLE_EQ(*c3->prc, 1.0);
    const Correction* g = find(p, 1, 40);
    ASSERT_NE(g, nullptr);
    EXPECT_DOUBLE_EQ(*g->rangeResidual, 2.5);
    EXPECT_DOUBLE_EQ(*g->snr, 33.0);
    EXPECT_EQ(find(p, 0, 40), nullptr);
}

} // namespace
