// Commands of a set paced by a timer instead of slept pauses: the same commands in the same
// order with the same spacing, nothing sent before its pause has run, and the rest sent at once
// (with its pauses) when the port is about to close.

#include "link/command_pacer.h"
#include "link/link.h"
#include "pty_pair.h"

#include <gtest/gtest.h>
#include <map>

using namespace trix::link;

namespace {

// Timers that fire only when the test says so; remembers the periods asked for.
class ManualTimers : public trix::logs::TimerHost {
public:
    bool start(int id, long long ms) override {
        running[id] = ms;
        periods.push_back(ms);
        return true;
    }
    void kill(int id) override { running.erase(id); }
    std::map<int, long long> running;
    std::vector<long long> periods;
};

struct NoSink : trix::MessageSink {
    trix::Answer show(std::string_view, trix::Buttons, trix::Icon) override {
        return trix::Answer::Ok;
    }
};

} // namespace

TEST(CommandPacer, StepsWaitForTheirTimerAndKeepTheirOrder) {
    std::vector<std::string> sent;
    std::vector<int> slept;
    CommandPacer pacer([&](const std::string& c) { sent.push_back(c); },
                       [&](int ms) { slept.push_back(ms); });
    ManualTimers timers;
    pacer.setTimerHost(&timers, 7);
    pacer.queue({{0, "A"}, {150, "B"}, {150, ""}});
    pacer.queue({{100, "C"}});
    EXPECT_EQ(sent, std::vector<std::string>{"A"});
    ASSERT_TRUE(timers.running.count(7));
    EXPECT_EQ(timers.running[7], 150);
    pacer.timerFired();
    EXPECT_EQ(sent, (std::vector<std::string>{"A", "B"}));
    pacer.timerFired(); // the pause after B
    EXPECT_EQ(sent.size(), 2u);
    EXPECT_EQ(timers.running[7], 100);
    pacer.timerFired();
    EXPECT_EQ(sent, (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_FALSE(pacer.busy());
    EXPECT_TRUE(timers.running.empty());
    EXPECT_EQ(timers.periods, (std::vector<long long>{150, 150, 100}));
    EXPECT_TRUE(slept.empty()); // nothing waited

    pacer.queue({{150, "D"}, {150, "E"}});
    pacer.finish(); // the port closes: the rest leaves now, its pauses slept
    EXPECT_EQ(sent.back(), "E");
    EXPECT_EQ(slept, (std::vector<int>{150, 150}));
    EXPECT_TRUE(timers.running.empty());
    pacer.timerFired(); // a late firing does nothing
    EXPECT_EQ(sent.size(), 5u);
}

TEST(CommandPacer, WithoutTimersThePausesAreSlept) {
    std::vector<std::string> log;
    CommandPacer pacer([&](const std::string& c) { log.push_back(c); },
                       [&](int ms) { log.push_back(std::to_string(ms)); });
    pacer.queue({{150, "A"}, {150, ""}, {100, "B"}});
    EXPECT_EQ(log, (std::vector<std::string>{"150", "A", "150", "100", "B"}));
    EXPECT_FALSE(pacer.busy());
}

TEST(CommandPacer, LinkQueriesLeaveOnTimerStepsAndDisconnectFlushes) {
    linktest::PtyPair pty;
    NoSink sink;
    ManualTimers timers; // outlives the link, which stops its timers when it goes
    Link link(sink);
    std::vector<int> slept;
    link.setPause([&](int ms) { slept.push_back(ms); });
    ASSERT_EQ(link.openDevice(pty.slave(), kPlainPortSettings, 1), 0);
    link.state.modelIndex = 4; // answers the baseline query
    link.state.receiverPort = 'A';
    link.setTimerHost(&timers, 3);

    link.querySet("RTK");
    EXPECT_EQ(pty.received(1, 100), commandSentence("$PXKTQ,CPD,DLK", true) + "\r\n");
    EXPECT_TRUE(link.pacing());
    link.pacerTimerFired();
    EXPECT_NE(pty.received(1, 100).find("$PXKTQ,CPD,INF*"), std::string::npos);
    link.pacerTimerFired();
    link.pacerTimerFired(); // the pause before the baseline query, queued behind
    std::string rest = pty.received(1, 100);
    EXPECT_NE(rest.find("$PXKTQ,CPD*"), std::string::npos);
    EXPECT_NE(rest.find("$PXKTQ,CBN*"), std::string::npos);
    EXPECT_LT(rest.find("$PXKTQ,CPD*"), rest.find("$PXKTQ,CBN*"));
    EXPECT_FALSE(link.pacing());
    EXPECT_TRUE(slept.empty());

    // Disconnecting: the switching-off set leaves, in order and with its pauses, before the
    // port closes.
    link.state.turnOffOnDetach = true;
    link.disconnect();
    EXPECT_EQ(link.port(), nullptr);
    std::string off = pty.received(1, 200);
    EXPECT_NE(off.find("$PXKTS,NME,ALL,A,OFF*"), std::string::npos) << off;
    EXPECT_LT(off.find("$PXKTS,NME,ALL,A,OFF*"), off.find("$PXKTS,OUT,A*"));
    EXPECT_LT(off.find("$PXKTS,OUT,A*"), off.find("$PXKTS,NME,GSA,A,OFF*"));
    EXPECT_GE(slept.size(), 3u);
    EXPECT_TRUE(timers.running.empty());
}
