#include "decode/epoch_decoder.h"
#include "link/console.h"
#include "link/data_pump.h"
#include "link/link.h"
#include "pty_pair.h"

#include <gtest/gtest.h>

#include <chrono>

using namespace trix::link;

namespace {

struct Log : LinkListener {
    std::vector<std::string>* order;
    std::string name;
    std::vector<std::string> lines;
    Log(std::vector<std::string>* o, std::string n) : order(o), name(std::move(n)) {}
    void traffic(Direction, std::string_view text) override {
        order->push_back(name);
        lines.emplace_back(text);
    }
    void line(std::string_view bytes) override {
        order->push_back(name);
        lines.emplace_back(bytes);
    }
    void ticketLine(std::string_view text) override {
        order->push_back(name);
        lines.emplace_back(text);
    }
};

struct Bytes : ByteRecorder {
    bool on = true;
    std::string got;
    bool recording() const override { return on; }
    void writeLogByte(std::uint8_t b) override { got.push_back(static_cast<char>(b)); }
};

struct PumpFixture : ::testing::Test {
    linktest::PtyPair pty;
    trix::SilentSink sink;
    Link link{sink};
    DataPump pump{link};
    std::vector<std::string> order;
    Log terminal{&order, "terminal"};
    void SetUp() override {
        ASSERT_EQ(link.openDevice(pty.slave(), kPlainPortSettings, 1), 0);
        link.listeners.set(Slot::Terminal, &terminal);
    }
    // Sends bytes as the receiver and pumps until they are all read.
    void feed(const std::string& bytes) {
        pty.send(bytes);
        std::uint64_t got = 0;
        for (int i = 0; i < 200 && got < bytes.size(); ++i) {
            got += pump.tick().bytes;
            if (got < bytes.size())
                link.port()->delayMs(1);
        }
        ASSERT_EQ(got, bytes.size());
    }
};

} // namespace

TEST_F(PumpFixture, FramesAtCrLfOnly) {
    feed("AB\r\n");
    ASSERT_EQ(terminal.lines.size(), 1u);
    EXPECT_EQ(terminal.lines[0], "AB");
    feed("C\nD\r\n\r\n");
    ASSERT_EQ(terminal.lines.size(), 2u);
    EXPECT_EQ(terminal.lines[1], "C\nD");
}

TEST_F(PumpFixture, OverlongLinesAreDropped) {
    feed(std::string(1021, 'x') + "\r\n");
    ASSERT_EQ(terminal.lines.size(), 1u);
    EXPECT_EQ(terminal.lines[0].size(), 1021u);
    feed(std::string(1022, 'y') + "\r\n");
    EXPECT_EQ(terminal.lines.size(), 1u);
    feed(std::string(1024, 'z') + "$OK\r\n");
    ASSERT_EQ(terminal.lines.size(), 2u);
    EXPECT_EQ(terminal.lines[1], "$OK");
    EXPECT_EQ(pump.droppedLines(), 2u);
}

TEST_F(PumpFixture, AckNakBecomeNotesUnlessTheAlmanacWindowListens) {
    feed("$PX\x06KTR\r\n");
    ASSERT_EQ(terminal.lines.size(), 2u);
    EXPECT_EQ(terminal.lines[0], "\x06-bin:ACK");
    EXPECT_EQ(terminal.lines[1], "$PXKTR");
    Log almanac{&order, "almanac"};
    link.listeners.set(Slot::Almanac, &almanac);
    feed("A\x15\r\n");
    EXPECT_EQ(terminal.lines.back(), "A\x15");
}

TEST_F(PumpFixture, EveryWaitingLineGoesOutInOneTickInListenerOrder) {
    Log init{&order, "init"}, activity{&order, "activity"}, almanac{&order, "almanac"},
        rtcm{&order, "rtcm"}, rtk{&order, "rtk"}, ticket{&order, "ticket"};
    link.listeners.set(Slot::InitDialog, &init);
    link.listeners.set(Slot::PortActivity, &activity);
    link.listeners.set(Slot::Almanac, &almanac);
    link.listeners.set(Slot::Rtcm, &rtcm);
    link.listeners.set(Slot::Rtk, &rtk);
    link.listeners.set(Slot::Ticket, &ticket);
    std::string many;
    for (int i = 0; i < 50; ++i)
        many += "$GPGGA," + std::to_string(i) + "\r\n";
    pty.send(many);
    link.port()->delayMs(20);
    auto r = pump.tick();
    EXPECT_EQ(r.lines, 50);
    EXPECT_EQ(terminal.lines.size(), 50u);
    std::vector<std::string> first(order.begin(), order.begin() + 7);
    EXPECT_EQ(first, (std::vector<std::string>{"terminal", "init", "activity", "almanac", "rtcm",
                                               "rtk", "ticket"}));
    EXPECT_EQ(activity.lines[0], "");
}

TEST_F(PumpFixture, RecordsEveryByteOnlyWhileADecoderAndSessionExist) {
    Bytes rec;
    pump.setRecorder(&rec);
    feed("$A\r\n\x06");
    EXPECT_EQ(rec.got, ""); // no decoder: nothing is recorded
    trix::EpochDecoder decoder(16);
    link.setDecoder(&decoder);
    std::string stream =
        std::string("$B\r\n\x06\x15garbage\xff\x00\r\n", 17) + std::string(1500, 'q');
    feed(stream);
    EXPECT_EQ(rec.got, stream);
    link.setDecoder(nullptr);
}

TEST_F(PumpFixture, HostModeAfterHosLineAndBlocks) {
    Log almanac{&order, "almanac"};
    link.listeners.set(Slot::Almanac, &almanac);
    feed("$PXKTR,HOS*00\r\n");
    EXPECT_TRUE(link.state.hostMode);
    EXPECT_EQ(almanac.lines.back(), "$PXKTR,HOS*00");
    link.state.pendingBlock = 5;
    feed(std::string("\x04"
                     "abcd",
                     5));
    EXPECT_EQ(almanac.lines.back(), "abcd");
    EXPECT_EQ(link.state.pendingBlock, 0);
    // A NUL after C_CLOSECOMM leaves host mode and asks for the port again.
    link.state.closeHostPending = true;
    feed(std::string(1, '\0'));
    EXPECT_FALSE(link.state.hostMode);
    EXPECT_EQ(pty.received(10), "$PXKTQ,PRT*3C\r\n");
}

TEST_F(PumpFixture, HostModeBlockThatNeverComesIsAnError) {
    Log almanac{&order, "almanac"};
    link.listeners.set(Slot::Almanac, &almanac);
    std::int64_t clock = 5000;
    pump.setClock([&] { return clock; });
    link.state.hostMode = true;
    link.state.pendingBlock = 100;
    // Nothing waits for the block: a tick reads what is there and returns.
    const auto before = std::chrono::steady_clock::now();
    pump.tick();
    EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::milliseconds(50));
    EXPECT_TRUE(almanac.lines.empty());
    EXPECT_TRUE(pump.awaitingBlock());
    // Bytes that come keep the block alive; a second of silence after them gives it up.
    pty.send("\x04part");
    link.port()->delayMs(20);
    clock += 900;
    pump.tick();
    clock += 900;
    pump.tick();
    EXPECT_TRUE(almanac.lines.empty());
    clock += 100;
    pump.tick();
    EXPECT_FALSE(pump.awaitingBlock());
    ASSERT_EQ(almanac.lines.size(), 1u);
    EXPECT_EQ(almanac.lines[0].size(), 21u);
    EXPECT_EQ(almanac.lines[0].substr(0, 20), "ERROR READING BUFFER");
}

TEST_F(PumpFixture, HostModeBlockComesOverSeveralTicks) {
    Log almanac{&order, "almanac"};
    link.listeners.set(Slot::Almanac, &almanac);
    link.state.hostMode = true;
    link.state.pendingBlock = 9;
    pty.send("\x04"
             "abc");
    link.port()->delayMs(20);
    pump.tick();
    EXPECT_TRUE(almanac.lines.empty());
    pty.send("defgh$PXKTR,AFTER");
    link.port()->delayMs(20);
    pump.tick();
    ASSERT_EQ(almanac.lines.size(), 1u);
    EXPECT_EQ(almanac.lines[0], "abcdefgh");
    EXPECT_EQ(link.state.pendingBlock, 0);
}

TEST_F(PumpFixture, VanishedDeviceEndsTheTickWithLost) {
    pty.send("$PART");
    link.port()->delayMs(10);
    pty.closeMaster();
    auto r = pump.tick();
    EXPECT_TRUE(r.lost || pump.tick().lost);
}

TEST_F(PumpFixture, PollLoopHandsOnLinesTheBudgetLeftWaiting) {
    // A tick that runs out of time leaves lines the port has already read from the device;
    // the loop must come back for them without waiting for new input.
    pump.setBudgetMs(0);
    PollLoop loop(link, pump);
    pty.send("$A\r\n$B\r\n$C\r\n");
    link.port()->delayMs(20);
    for (int i = 0; i < 5; ++i)
        loop.runOnce(20);
    ASSERT_EQ(terminal.lines.size(), 3u);
    EXPECT_EQ(terminal.lines[2], "$C");
}
