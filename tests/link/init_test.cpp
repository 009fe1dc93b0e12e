#include "base/strings.h"
#include "link/identification.h"
#include "link/init_file.h"
#include "link/init_run.h"
#include "pty_pair.h"

#include <gtest/gtest.h>

using namespace trix::link;

TEST(Identification, CodeTable) {
    EXPECT_EQ(modelFromRid("Y6,QN31"), 11);
    EXPECT_EQ(modelFromRid("Y6,QA31"), 12);
    EXPECT_EQ(modelFromRid("Y6XQN"), 11);
    EXPECT_EQ(modelFromRid("R09_1234"), 12);
    EXPECT_EQ(modelFromRid("RX08"), 13);
    EXPECT_EQ(modelFromRid("GNSS,XX"), 5);
    EXPECT_EQ(modelFromRid("F2,VR50"), 17);
    EXPECT_EQ(modelFromRid("S8"), 16);
    EXPECT_EQ(modelFromRid("ZZ"), 1);
    EXPECT_EQ(modelFromRid(""), 1);
}

TEST(InitFiles, CommandsAndNames) {
    std::string text = "comment line\r\n\r\n";
    for (int i = 0; i < 25; ++i)
        text += "$PXKTS,CMD," + std::to_string(i) + "\r\n";
    auto cmds = initCommands(text);
    ASSERT_EQ(cmds.size(), 20u);
    EXPECT_EQ(cmds[0], "$PXKTS,CMD,0");
    EXPECT_EQ(cmds[19], "$PXKTS,CMD,19");
    // A long line is read in pieces of 126; a piece counts only when it starts with '$'.
    auto longLine = initCommands("$" + std::string(125, 'a') + "$SECOND\n" + std::string(130, 'b'));
    ASSERT_EQ(longLine.size(), 2u);
    EXPECT_EQ(longLine[1], "$SECOND");
    EXPECT_EQ(resolveInitFileName("default.gps", 1), "default.gps");
    EXPECT_EQ(resolveInitFileName("default.gps", 16), "rx05.gps");
    EXPECT_EQ(resolveInitFileName("Default.gps", 16), "Default.gps");
    EXPECT_FALSE(loadInitFile("/nonexistent/x.gps").opened);
}

TEST(InitRunCandidates, OrderAndDescription) {
    EXPECT_EQ(InitRun::candidate(0).baudRate(), 115200);
    EXPECT_EQ(InitRun::candidate(9).baudRate(), 300);
    EXPECT_EQ(InitRun::candidate(10).rtsCts, 1);
    EXPECT_EQ(InitRun::candidate(13).baudRate(), 19200);
    EXPECT_EQ(describeSettings(InitRun::candidate(13)),
              "Com setting: Baud rate = 19200, StopBits = 1, Parity = No, Byte size = 8, "
              "Handshaking - RTS/CTS.");
}

namespace {
struct Host : InitHost {
    int choices = 0;
    NotRespondingChoice choice = NotRespondingChoice::Cancel;
    bool isFinished = false, isClosed = false;
    NotRespondingChoice notResponding() override {
        ++choices;
        return choice;
    }
    void finished() override { isFinished = true; }
    void closed() override { isClosed = true; }
};
struct Sink : trix::MessageSink {
    std::vector<std::string> shown;
    trix::Answer yesNo = trix::Answer::Yes;
    trix::Answer show(std::string_view t, trix::Buttons b, trix::Icon) override {
        shown.emplace_back(t);
        return b == trix::Buttons::YesNo ? yesNo : trix::Answer::Ok;
    }
};
int count(const std::string& s, const std::string& what) {
    int n = 0;
    for (std::size_t at = s.find(what); at != std::string::npos; at = s.find(what, at + 1))
        ++n;
    return n;
}
} // namespace

TEST(InitRunTicks, LowSpeedActsEveryThirdTickAndSilenceAsks) {
    linktest::PtyPair pty;
    Sink sink;
    Link link(sink);
    PortSettings slow = kPlainPortSettings;
    slow.baud = 3; // 2400
    ASSERT_EQ(link.openDevice(pty.slave(), slow, 1), 0);
    Host host;
    InitRun run(link, sink, host, {});
    ASSERT_TRUE(run.start());
    for (int i = 0; i < 9; ++i)
        run.tick();
    EXPECT_EQ(count(pty.received(1, 100), "$PXKTQ,PRT"), 3);
    for (int i = 0; i < 12; ++i)
        run.tick();
    EXPECT_EQ(host.choices, 1); // seven silent queries
    EXPECT_EQ(run.silentTicks(), 0);
    EXPECT_FALSE(run.suspended());
}

TEST(InitRunLines, AnswersDriveDetectionAndCommands) {
    linktest::PtyPair pty;
    Sink sink;
    Link link(sink);
    ASSERT_EQ(link.openDevice(pty.slave(), kPlainPortSettings, 1), 0);
    std::string dir = linktest::tempDir();
    linktest::writeFile(dir + "/rx05.gps", "# two commands\n$PXKTS,ONE\n$PXKTS,TWO*55\n");
    Host host;
    InitRun run(link, sink, host, {true, "default.gps", dir});
    ASSERT_TRUE(run.start());
    run.traffic(Direction::Received, "junk $PXKTR,PRT,B,9600*00");
    EXPECT_EQ(link.state.receiverPort, 'B');
    run.traffic(Direction::Received, "$PXKTR,RID,S8,QF30,X*00");
    EXPECT_EQ(link.state.modelIndex, 16);
    EXPECT_EQ(link.state.firmware, "QF30");
    ASSERT_EQ(run.commands().size(), 2u);
    pty.received(0, 10);
    run.tick();
    EXPECT_EQ(pty.received(1, 100).substr(0, 11), "$PXKTS,ONE*");
    run.traffic(Direction::Received, "$PXKTR,NAK,ONE");
    EXPECT_EQ(run.current(), 0);
    run.traffic(Direction::Received, "$PXKTR,ACK,ONE");
    EXPECT_EQ(run.current(), 1);
    run.tick();
    EXPECT_EQ(run.lastSent(), 1);
    for (int i = 0; i < 5; ++i)
        run.tick(); // sixth tick without ACK: the question, answered Yes, completes the run
    EXPECT_TRUE(run.finished());
    EXPECT_TRUE(host.isFinished);
    EXPECT_EQ(sink.shown.back(), trix::str::kNoAckContinue);
}

TEST(InitRunLines, AnyDollarLineEndsTheScanAtThatCandidate) {
    linktest::PtyPair pty;
    Sink sink;
    Link link(sink);
    ASSERT_EQ(link.openDevice(pty.slave(), kPlainPortSettings, 1), 0);
    Host host;
    InitRun run(link, sink, host, {});
    ASSERT_TRUE(run.start());
    run.toggleAutoSelect();
    run.tick();
    run.tick();
    EXPECT_EQ(link.state.portSettings.baud, 8);
    run.traffic(Direction::Received, "no dollar here");
    EXPECT_TRUE(run.scanning());
    run.traffic(Direction::Received, "$GPGGA,whatever");
    EXPECT_FALSE(run.scanning());
    EXPECT_EQ(link.state.portSettings.baud, 8);
    EXPECT_NE(sink.shown.back().find("GPS receiver answers at Com setting:\nBaud rate = 57600"),
              std::string::npos);
}

TEST(InitRunLines, WithoutCommandsNothingIsCreated) {
    linktest::PtyPair pty;
    Sink sink;
    Link link(sink);
    ASSERT_EQ(link.openDevice(pty.slave(), kPlainPortSettings, 1), 0);
    Host host;
    std::string dir = linktest::tempDir();
    linktest::writeFile(dir + "/empty.gps", "nothing\n");
    InitRun run(link, sink, host, {false, "empty.gps", dir});
    EXPECT_FALSE(run.start());
    EXPECT_EQ(sink.shown.back(), "No commands in the empty.gps file!");
    InitRun missing(link, sink, host, {false, "none.gps", dir});
    EXPECT_FALSE(missing.start());
    EXPECT_NE(sink.shown.back().find("could not be opened"), std::string::npos);
}
