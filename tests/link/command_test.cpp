#include "base/strings.h"
#include "link/link.h"
#include "pty_pair.h"

#include <gtest/gtest.h>
#include <termios.h>

using namespace trix::link;

namespace {

struct Recorded : LinkListener {
    std::vector<std::pair<Direction, std::string>> seen;
    void traffic(Direction d, std::string_view text) override { seen.emplace_back(d, text); }
};

struct AnswerSink : trix::MessageSink {
    trix::Answer answer = trix::Answer::Yes;
    std::vector<std::string> shown;
    trix::Answer show(std::string_view text, trix::Buttons, trix::Icon) override {
        shown.emplace_back(text);
        return answer;
    }
};

struct Fixture : ::testing::Test {
    linktest::PtyPair pty;
    AnswerSink sink;
    Link link{sink};
    void SetUp() override {
        link.setPause([](int) {});
        ASSERT_EQ(link.openDevice(pty.slave(), kPlainPortSettings, 1), 0);
    }
    std::string written() { return pty.received(1, 100); }
    speed_t speed() {
        termios t{};
        tcgetattr(pty.master(), &t);
        return cfgetospeed(&t);
    }
};

} // namespace

TEST(CommandText, ChecksumIsReplacedOrAdded) {
    EXPECT_EQ(commandSentence("$PXKTS,NME,POS,A,ON", true), "$PXKTS,NME,POS,A,ON*0E");
    EXPECT_EQ(commandSentence("$PXKTS,NME,POS,A,ON*1F\r\n", true), "$PXKTS,NME,POS,A,ON*0E");
    EXPECT_EQ(commandSentence("$PXKTQ,PRT*00", false), "$PXKTQ,PRT");
    EXPECT_EQ(commandSentence("\r\n", true), "");
    EXPECT_EQ(nmeSwitch("POS", 'A', true), "$PXKTS,NME,POS,A,ON");
    EXPECT_EQ(outSwitch('B', ""), "$PXKTS,OUT,B");
    EXPECT_EQ(segmentRequest(4010), std::string("\x04\xAA\x0F\x00\x00\x61\x04", 7));
}

TEST_F(Fixture, SendWritesSentenceAndEchoes) {
    Recorded terminal, init, activity;
    link.listeners.set(Slot::Terminal, &terminal);
    link.listeners.set(Slot::InitDialog, &init);
    link.listeners.set(Slot::PortActivity, &activity);
    EXPECT_EQ(link.sendCommand("$PXKTS,NME,POS,A,ON", true), 1);
    EXPECT_EQ(written(), "$PXKTS,NME,POS,A,ON*0E\r\n");
    ASSERT_EQ(terminal.seen.size(), 1u);
    EXPECT_EQ(terminal.seen[0].second, "$PXKTS,NME,POS,A,ON*0E<CR><LF>");
    EXPECT_EQ(init.seen[0].first, Direction::Sent);
    ASSERT_EQ(activity.seen.size(), 1u);
    EXPECT_EQ(activity.seen[0].second, "");
    EXPECT_EQ(link.sendCommand("", true), 0);
    EXPECT_EQ(link.sendCommand("*00", true), 0);
}

TEST_F(Fixture, PseudoCommandsDriveHostMode) {
    EXPECT_EQ(link.sendCommand("C_GETSEG,4010,1121", true), 1);
    EXPECT_EQ(written(), std::string("\x04\xAA\x0F\x00\x00\x61\x04", 7));
    EXPECT_EQ(link.state.pendingBlock, 2243);
    EXPECT_EQ(link.sendCommand("C_CLOSECOMM", true), 1);
    EXPECT_EQ(written(), std::string(2, '\0'));
    EXPECT_TRUE(link.state.closeHostPending);
}

TEST_F(Fixture, SpeedCommandFollowsOnlyTheLinksPort) {
    link.state.receiverPort = 'A';
    EXPECT_EQ(link.sendCommand("$PXKTS,SPD,B,9", true), 1);
    EXPECT_TRUE(sink.shown.empty());
    EXPECT_EQ(link.state.portSettings.baud, 5);

    link.state.receiverPort = 'B';
    sink.answer = trix::Answer::No;
    link.sendCommand("$PXKTS,SPD,B,9", true);
    ASSERT_EQ(sink.shown.size(), 1u);
    EXPECT_EQ(sink.shown[0], trix::str::kSpeedChangeQuestion);
    EXPECT_EQ(speed(), B9600);

    sink.answer = trix::Answer::Yes;
    link.sendCommand("$PXKTS,SPD,B,9", true);
    EXPECT_EQ(link.state.portSettings.baud, 9);
    EXPECT_EQ(speed(), B115200);

    link.sendCommand("$PXKTS,SPD,B,12", true); // out of range: the link keeps its speed
    EXPECT_EQ(speed(), B115200);
    // A number beyond any integer's range is out of range too, not its low 32 bits (index 5).
    sink.shown.clear();
    link.sendCommand("$PXKTS,SPD,B,4294967301", true);
    EXPECT_TRUE(sink.shown.empty());
    EXPECT_EQ(link.state.portSettings.baud, 9);
    EXPECT_EQ(speed(), B115200);
}

TEST_F(Fixture, ResetReturnsToTheModelsDefaultRate) {
    link.state.modelIndex = 12;
    link.reconfigure({9, 0, 0, 0, 0, 0, 0}, true);
    link.sendCommand("$PXKTS,RST", true);
    EXPECT_EQ(speed(), B4800);
    link.state.modelIndex = 16;
    link.sendCommand("$PXKTS,RST", true);
    EXPECT_EQ(speed(), B9600);
}

TEST_F(Fixture, MessageSetsByModel) {
    link.standardSet(true); // receiver port unknown: nothing at all
    EXPECT_EQ(written(), "");

    link.state.receiverPort = 'A';
    link.state.modelIndex = 17;
    link.standardSet(true);
    std::string w = written();
    EXPECT_NE(w.find("$PXKTS,NME,SAT,A,ON*"), std::string::npos);
    EXPECT_NE(w.find("$PXKTS,NME,SA4,A,ON*"), std::string::npos);
    EXPECT_NE(w.find("$PXKTS,OUT,A,AT2*"), std::string::npos);
    EXPECT_LT(w.find("SAT,A,ON"), w.find("POS,A,ON"));

    link.state.modelIndex = 19;
    link.standardSet(true);
    w = written();
    EXPECT_EQ(w.find("$PXKTS,OUT,A,NMEA*"), 0u);
    EXPECT_NE(w.find("NME,VTG,A,ON"), std::string::npos);

    link.state.turnOffOnDetach = false;
    link.standardSet(false);
    EXPECT_EQ(written(), "");
    link.state.turnOffOnDetach = true;
    link.standardSet(false);
    w = written();
    EXPECT_NE(w.find("$PXKTS,NME,ALL,A,OFF*"), std::string::npos);
    EXPECT_NE(w.find("$PXKTS,OUT,A*"), std::string::npos);

    link.state.modelIndex = 6;
    link.rtcmSet(true);
    w = written();
    EXPECT_NE(w.find("NME,GRS,A,ON"), std::string::npos);
    EXPECT_EQ(w.find("GSN"), std::string::npos);
    EXPECT_EQ(w.find("MSG"), std::string::npos);
    EXPECT_NE(w.find("$PXKTQ,RTC*"), std::string::npos);

    link.state.modelIndex = 4;
    link.querySet("RTK");
    w = written();
    EXPECT_NE(w.find("$PXKTQ,CPD,DLK*"), std::string::npos);
    EXPECT_NE(w.find("$PXKTQ,CBN*"), std::string::npos);
    link.querySet("XYZ");
    EXPECT_EQ(written(), "");
}
