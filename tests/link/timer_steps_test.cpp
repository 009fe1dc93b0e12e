// Waits of the link that are timer steps in a program with an event loop: the pause after an
// initialization command's acknowledgement, and a disconnected port that closes once its
// switching-off commands have left. Nothing here may block; a dead peer may not hang.

#include "link/init_run.h"
#include "link/link.h"
#include "pty_pair.h"

#include <gtest/gtest.h>

#include <chrono>
#include <map>

using namespace trix::link;

namespace {

// Timers that fire only when the test says so.
class ManualTimers : public trix::logs::TimerHost {
public:
    bool start(int id, long long ms) override {
        running[id] = ms;
        return true;
    }
    void kill(int id) override { running.erase(id); }
    std::map<int, long long> running;
};

struct Sink : trix::MessageSink {
    std::vector<std::string> shown;
    trix::Answer show(std::string_view t, trix::Buttons, trix::Icon) override {
        shown.emplace_back(t);
        return trix::Answer::Ok;
    }
};

struct Events : LinkEvents {
    int changed = 0, closed = 0;
    void portChanged() override { ++changed; }
    void portClosed() override { ++closed; }
};

struct Host : InitHost {
    NotRespondingChoice notResponding() override { return NotRespondingChoice::Cancel; }
};

long long elapsedMs(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                 since)
        .count();
}

} // namespace

TEST(InitRunAckWait, TheNextCommandWaitsForTheTimerAndNeverLeavesEarly) {
    linktest::PtyPair pty;
    Sink sink;
    ManualTimers timers; // outlives the link, which stops its timers when it goes
    Link link(sink);
    std::int64_t clock = 1000;
    link.setWaitHooks({nullptr, [&] { return clock; }});
    ASSERT_EQ(link.openDevice(pty.slave(), kPlainPortSettings, 1), 0);
    link.state.modelIndex = 16;
    const std::string dir = linktest::tempDir();
    linktest::writeFile(dir + "/cmds.gps", "$PXKTS,ONE\n$PXKTS,TWO\n$PXKTS,THREE\n");
    Host host;
    InitRun run(link, sink, host, {false, "cmds.gps", dir});
    run.setTimerHost(&timers, 9);
    ASSERT_TRUE(run.start());
    run.tick();
    EXPECT_NE(pty.received(1, 200).find("$PXKTS,ONE*"), std::string::npos);

    const auto before = std::chrono::steady_clock::now();
    run.traffic(Direction::Received, "$PXKTR,ACK,ONE");
    EXPECT_LT(elapsedMs(before), 50); // the acknowledgement is handled without waiting
    EXPECT_TRUE(run.waitingAfterAck());
    ASSERT_TRUE(timers.running.count(9));
    EXPECT_EQ(timers.running[9], InitRun::kAckWaitMs);

    // A tick inside the wait sends nothing; it is kept for the wait's end.
    run.tick();
    EXPECT_EQ(pty.received(0, 50), "");
    // A timer firing early (coarse timers may) waits out the rest of the 200 ms.
    clock += 150;
    run.ackWaitOver();
    EXPECT_TRUE(run.waitingAfterAck());
    EXPECT_EQ(timers.running[9], 51);
    EXPECT_EQ(pty.received(0, 50), "");
    // Bytes the receiver sent meanwhile are discarded when the wait is over, then the tick
    // that fell due sends the next command.
    pty.send("$PXKTR,STALE,ANSWER\r\n");
    pty.received(0, 30);
    clock += 50;
    run.ackWaitOver(); // 200 ms by a clock of whole milliseconds may be 199.x: one more
    EXPECT_TRUE(run.waitingAfterAck());
    clock += 1;
    run.ackWaitOver();
    EXPECT_FALSE(run.waitingAfterAck());
    EXPECT_TRUE(timers.running.empty());
    EXPECT_NE(pty.received(1, 200).find("$PXKTS,TWO*"), std::string::npos);
    EXPECT_EQ(run.lastSent(), 1);
    char byte = 0;
    EXPECT_LT(link.port()->readBlock(&byte, 1), 0) << "the stale answer was not drained";

    // Cancelling during a wait stops its timer.
    run.traffic(Direction::Received, "$PXKTR,ACK,TWO");
    EXPECT_TRUE(run.waitingAfterAck());
    run.cancel();
    EXPECT_FALSE(run.waitingAfterAck());
    EXPECT_TRUE(timers.running.empty());
}

TEST(InitRunAckWait, WithoutATimerTheWaitIsSlept) {
    linktest::PtyPair pty;
    Sink sink;
    Link link(sink);
    ASSERT_EQ(link.openDevice(pty.slave(), kPlainPortSettings, 1), 0);
    link.state.modelIndex = 16;
    const std::string dir = linktest::tempDir();
    linktest::writeFile(dir + "/cmds.gps", "$PXKTS,ONE\n$PXKTS,TWO\n");
    Host host;
    InitRun run(link, sink, host, {false, "cmds.gps", dir});
    ASSERT_TRUE(run.start());
    run.tick();
    const auto before = std::chrono::steady_clock::now();
    run.traffic(Direction::Received, "$PXKTR,ACK,ONE");
    EXPECT_GE(elapsedMs(before), InitRun::kAckWaitMs);
    EXPECT_FALSE(run.waitingAfterAck());
}

TEST(LinkClosing, DisconnectReturnsAtOnceAndTheOffCommandsLeaveBeforeTheClose) {
    linktest::PtyPair pty;
    Sink sink;
    Events events;
    ManualTimers timers; // outlives the link, which stops its timers when it goes
    Link link(sink, &events);
    ASSERT_EQ(link.openDevice(pty.slave(), kPlainPortSettings, 1), 0);
    link.state.modelIndex = 8;
    link.state.receiverPort = 'B';
    link.state.turnOffOnDetach = true;
    link.setTimerHost(&timers, 3, 15);

    const auto before = std::chrono::steady_clock::now();
    EXPECT_TRUE(link.beginDisconnect());
    EXPECT_LT(elapsedMs(before), 20);
    // Gone from the link state at once; the port itself is still open for its commands.
    EXPECT_EQ(link.port(), nullptr);
    EXPECT_FALSE(link.portOpen());
    EXPECT_EQ(link.state.comNumber, 0);
    EXPECT_EQ(link.state.modelIndex, 0);
    EXPECT_EQ(events.changed, 1);
    EXPECT_EQ(events.closed, 0);
    EXPECT_TRUE(link.closing());
    EXPECT_TRUE(timers.running.count(3));
    EXPECT_EQ(timers.running[15], Link::kClosingPollMs);

    // The watch does not close the port while commands are still to leave.
    link.closingTimerFired();
    EXPECT_TRUE(link.closing());
    while (timers.running.count(3))
        link.pacerTimerFired();
    const std::string off = pty.received(1, 300);
    EXPECT_NE(off.find("$PXKTS,NME,ALL,B,OFF*"), std::string::npos) << off;
    EXPECT_LT(off.find("$PXKTS,NME,ALL,B,OFF*"), off.find("$PXKTS,OUT,B*"));
    EXPECT_LT(off.find("$PXKTS,OUT,B*"), off.find("$PXKTS,NME,GSA,B,OFF*"));
    EXPECT_TRUE(link.closing());
    link.closingTimerFired(); // written and drained: now it closes
    EXPECT_FALSE(link.closing());
    EXPECT_EQ(events.closed, 1);
    EXPECT_TRUE(timers.running.empty());
    // The slave side is closed: the master reads end of file or an error, no more bytes.
    EXPECT_EQ(pty.received(0, 50), "");

    // The port opens again at once.
    ASSERT_EQ(link.openDevice(pty.slave(), kPlainPortSettings, 1), 0);
    EXPECT_TRUE(link.portOpen());
}

TEST(LinkClosing, ADeadPeerClosesWithinTheBound) {
    auto pty = std::make_unique<linktest::PtyPair>();
    Sink sink;
    Events events;
    ManualTimers timers; // outlives the link, which stops its timers when it goes
    Link link(sink, &events);
    ASSERT_EQ(link.openDevice(pty->slave(), kPlainPortSettings, 1), 0);
    link.state.modelIndex = 8;
    link.state.receiverPort = 'A';
    link.state.turnOffOnDetach = true;
    link.setTimerHost(&timers, 3, 15);
    pty.reset(); // the receiver's side is gone: nothing drains, writes fail
    ASSERT_TRUE(link.beginDisconnect());
    const auto before = std::chrono::steady_clock::now();
    while (link.closing() && elapsedMs(before) < 5000) {
        if (timers.running.count(3))
            link.pacerTimerFired();
        link.closingTimerFired();
    }
    EXPECT_FALSE(link.closing());
    EXPECT_LE(elapsedMs(before), Link::kClosingBoundMs + 200);
    EXPECT_EQ(events.closed, 1);
}

TEST(LinkClosing, QuittingFinishesAClosingPortWithItsCommands) {
    linktest::PtyPair pty;
    Sink sink;
    Events events;
    auto link = std::make_unique<Link>(sink, &events);
    ASSERT_EQ(link->openDevice(pty.slave(), kPlainPortSettings, 1), 0);
    link->state.modelIndex = 8;
    link->state.receiverPort = 'C';
    link->state.turnOffOnDetach = true;
    ManualTimers timers;
    link->setTimerHost(&timers, 3, 15);
    ASSERT_TRUE(link->beginDisconnect());
    link->finishClosing(); // no timer runs any more: the rest leaves now
    EXPECT_FALSE(link->closing());
    EXPECT_EQ(events.closed, 1);
    const std::string off = pty.received(1, 300);
    EXPECT_NE(off.find("$PXKTS,OUT,C*"), std::string::npos) << off;

    // A link destroyed while its port closes sends the commands too.
    ASSERT_EQ(link->openDevice(pty.slave(), kPlainPortSettings, 1), 0);
    link->state.modelIndex = 8;
    link->state.receiverPort = 'D';
    ASSERT_TRUE(link->beginDisconnect());
    link.reset();
    EXPECT_NE(pty.received(1, 300).find("$PXKTS,OUT,D*"), std::string::npos);
}
