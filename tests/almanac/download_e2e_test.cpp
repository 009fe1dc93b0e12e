// The download end to end: rxsim as the receiver on a pseudo-terminal, the program's link and
// data pump, the download driven by real timers (the silence check every second).

#include "almanac/almanac_download.h"
#include "almanac/calendar.h"
#include "base/strings.h"
#include "download_support.h"
#include "link/data_pump.h"
#include "link/link.h"
#include "pty_pair.h"
#include "support.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

using namespace trix::almanac;
using namespace almanactest;

namespace {

std::int64_t nowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

// Timers on the steady clock, fired by the test's loop.
struct ClockTimers : trix::logs::TimerHost {
    struct Timer {
        long long period;
        std::int64_t next;
    };
    std::map<int, Timer> running;
    bool start(int id, long long ms) override {
        running[id] = {ms, nowMs() + ms};
        return true;
    }
    void kill(int id) override { running.erase(id); }
    void fire(AlmanacDownload& d) {
        for (int id : {AlmanacDownload::kStepTimer, AlmanacDownload::kSilenceTimer}) {
            auto it = running.find(id);
            if (it != running.end() && nowMs() >= it->second.next) {
                it->second.next += it->second.period;
                d.timer(id);
            }
        }
    }
};

// rxsim's log of what it received, once it holds `text` (it reads in its own time) or after
// three seconds.
std::string logOnceItHas(const std::string& path, const std::string& text) {
    std::string log = linktest::readFile(path);
    for (int waited = 0; waited < 3000 && log.find(text) == std::string::npos; waited += 10) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        log = linktest::readFile(path);
    }
    return log;
}

struct Session {
    RecordingSink messages;
    trix::link::Link link{messages};
    trix::link::DataPump pump{link};
    AlmanacDocument doc;
    ClockTimers timers;
    RecordingEvents events;
    std::unique_ptr<trix::almanac::LinkDownloadPort> port;
    std::unique_ptr<AlmanacDownload> download;

    Session(const std::string& device, int model) {
        EXPECT_EQ(link.openDevice(device, trix::link::kPlainPortSettings, 1), 0);
        link.state.modelIndex = model;
        link.state.receiverPort = 'A';
        port = std::make_unique<trix::almanac::LinkDownloadPort>(link, true);
        download = std::make_unique<AlmanacDownload>(doc, *port, timers, messages, events,
                                                     DownloadTiming{180, 1000});
        link.listeners.set(trix::link::Slot::Almanac, download.get());
    }
    ~Session() { link.listeners.remove(download.get()); }
    // Pumps and fires the timers until `done` holds; false when it does not within `limitMs`.
    template <typename Done> bool runUntil(Done done, int limitMs = 10000) {
        const std::int64_t start = nowMs();
        while (!done()) {
            if (nowMs() - start > limitMs)
                return false;
            if (pump.tick().lost)
                lost = true;
            if (done())
                break;
            timers.fire(*download);
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        return true;
    }
    // What Disconnect does to the link: the host-mode flag is reset first, then the
    // receiver's messages are switched off and the port closes.
    void disconnect() {
        link.state.hostMode = false;
        link.disconnect();
    }
    bool lost = false;
    // Runs until the download ends (or `cancelAfterMs`, when the user cancels); false on a
    // hang.
    bool run(int limitMs = 20000, int cancelAfterMs = -1) {
        if (!download->start())
            return false;
        const std::int64_t start = nowMs();
        while (!events.result) {
            pump.tick();
            timers.fire(*download);
            if (cancelAfterMs >= 0 && nowMs() - start >= cancelAfterMs) {
                download->cancel();
                break;
            }
            if (nowMs() - start > limitMs)
                return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(3));
        }
        // Let the link finish what leaving the download sent.
        for (int i = 0; i < 100; ++i) {
            pump.tick();
            std::this_thread::sleep_for(std::chrono::milliseconds(3));
        }
        return true;
    }
};

} // namespace

TEST(DownloadEndToEnd, ProprietaryModelGetsGpsAndGlonassRecords) {
    const std::string rxLog = linktest::tempDir() + "/rx.log";
    linktest::Rxsim rx({"--model", "16", "--rx-log", rxLog});
    Session s(rx.device(), 16);
    ASSERT_TRUE(s.run());
    ASSERT_TRUE(s.events.result && *s.events.result);
    EXPECT_EQ(s.doc.gpsCount(), 32);
    EXPECT_EQ(s.doc.glonassCount(), 24);
    EXPECT_EQ(s.events.titles.back(), "Downloading Almanac -  100 % done");
    EXPECT_TRUE(s.messages.shown.empty());
    // Realistic records: dated this week, GPS orbits of about 26560 km, GLONASS SV numbers.
    const KeplerAlmanac k = s.doc.gpsRecord(0);
    EXPECT_NEAR(k.sqrtA, 5153.7, 0.5);
    EXPECT_NEAR(k.inclination * 180.0, 55.0, 2.0);
    EXPECT_NEAR(k.week, trix::almanac::currentGpsDay() / 7, 1);
    EXPECT_EQ(s.doc.glonassRecord(10).sv, 11);
    const auto lines = s.doc.recordLines(Constellation::Glonass, 0);
    ASSERT_TRUE(lines);
    EXPECT_NE((*lines)[7].find("5.05"), std::string::npos) << (*lines)[7];
    // The listing reads back as the same records.
    AlmanacDocument back;
    ASSERT_TRUE(back.read(s.doc.yumaText()));
    EXPECT_EQ(back.recordCount(), 56);
    RecordingSink sink;
    EXPECT_TRUE(s.doc.fileName(FileFormat::Binary, sink));
    // The receiver got the steps and the raw-data interval back.
    const std::string got = linktest::readFile(rxLog);
    for (const char* c :
         {"$PXKTQ,RAW*", "$PXKTS,RCI,1*", "$PXKTQ,SAL*", "$PXKTQ,SAG*", "$PXKTS,RCI,1.00*"})
        EXPECT_NE(got.find(c), std::string::npos) << c;
}

TEST(DownloadEndToEnd, HostModePathReadsTheMemorySegmentAndLeavesHostMode) {
    linktest::Rxsim rx({"--model", "19"});
    Session s(rx.device(), 19);
    ASSERT_TRUE(s.run());
    ASSERT_TRUE(s.events.result && *s.events.result);
    EXPECT_EQ(s.doc.gpsCount(), 32);
    EXPECT_EQ(s.doc.glonassCount(), 0);
    EXPECT_EQ(s.doc.binaryImage().substr(58, 2), std::string("\x00\x01", 2));
    EXPECT_FALSE(s.link.state.hostMode);
    EXPECT_TRUE(s.messages.shown.empty());
}

TEST(DownloadEndToEnd, ReceiverThatStopsAnsweringGlonassEndsBySilence) {
    linktest::Rxsim rx({"--model", "16", "--ignore", "SAG"});
    Session s(rx.device(), 16);
    ASSERT_TRUE(s.run());
    ASSERT_TRUE(s.events.result && *s.events.result);
    EXPECT_EQ(s.doc.gpsCount(), 32);
    EXPECT_EQ(s.doc.glonassCount(), 0);
    EXPECT_EQ(s.events.titles.back(), "Downloading Almanac -  100 % done");
}

TEST(DownloadEndToEnd, SilentReceiverFailsWithTheMessage) {
    linktest::Rxsim rx({"--model", "8", "--silent"});
    Session s(rx.device(), 8);
    ASSERT_TRUE(s.run());
    ASSERT_TRUE(s.events.result);
    EXPECT_FALSE(*s.events.result);
    ASSERT_EQ(s.messages.shown.size(), 1u);
    EXPECT_EQ(s.messages.shown[0], "Almanac is not downloading.\nPlease try again.");
}

TEST(DownloadEndToEnd, CancelDuringTheDownloadKeepsNothing) {
    const std::string rxLog = linktest::tempDir() + "/rx.log";
    linktest::Rxsim rx({"--model", "8", "--rx-log", rxLog});
    Session s(rx.device(), 8);
    ASSERT_TRUE(s.run(20000, 500)); // after the raw-data interval came, before the records
    EXPECT_FALSE(s.events.result);
    EXPECT_FALSE(s.doc.modified());
    EXPECT_TRUE(s.messages.shown.empty());
    EXPECT_NE(logOnceItHas(rxLog, "$PXKTS,RCI,1.00*").find("$PXKTS,RCI,1.00*"), std::string::npos);
}

TEST(DownloadEndToEnd, GarbageAnswersNeverHangTheListing) {
    linktest::Rxsim rx({"--model", "16", "--almanac-garbage"});
    Session s(rx.device(), 16);
    ASSERT_TRUE(s.run());
    ASSERT_TRUE(s.events.result);
    const std::string text = s.doc.yumaText(); // huge and odd angles among them
    EXPECT_FALSE(text.empty());
}

// Disconnect during the memory-segment path: the receiver is told to leave host mode before
// its messages are switched off, so it understands them, and is itself again afterwards.
TEST(DownloadEndToEnd, DisconnectInHostModeLeavesItBeforeThePortCloses) {
    const std::string rxLog = linktest::tempDir() + "/rx.log";
    linktest::Rxsim rx({"--model", "19", "--rx-log", rxLog});
    Session s(rx.device(), 19);
    ASSERT_TRUE(s.download->start());
    ASSERT_TRUE(s.runUntil([&] { return s.link.state.hostMode; }));
    s.disconnect();
    EXPECT_EQ(s.events.result, std::optional<bool>(false));
    EXPECT_FALSE(s.doc.modified());
    EXPECT_TRUE(s.messages.shown.empty());
    const std::string got = logOnceItHas(rxLog, "OFF*");
    const auto left = got.find("C_CLOSECOMM\n");
    ASSERT_NE(left, std::string::npos) << got;
    // Commands after the host mode are understood again: the switching-off set arrived.
    EXPECT_NE(got.find("$PXKTS,", left), std::string::npos) << got;
    // And a program opening the port anew finds a receiver that answers.
    std::string out, err;
    EXPECT_EQ(linktest::runCommand({linktest::binary("tools/trixlog/trixlog"), "detect",
                                    rx.device(), "--tick-ms", "30"},
                                   out, err),
              0)
        << err;
}

TEST(DownloadEndToEnd, DisconnectRestoresTheRawDataInterval) {
    const std::string rxLog = linktest::tempDir() + "/rx.log";
    linktest::Rxsim rx({"--model", "8", "--rx-log", rxLog});
    Session s(rx.device(), 8);
    ASSERT_TRUE(s.download->start());
    ASSERT_TRUE(s.runUntil([&] { return s.download->savedInterval() > 0; }));
    s.disconnect();
    EXPECT_EQ(s.events.result, std::optional<bool>(false));
    EXPECT_TRUE(s.messages.shown.empty());
    EXPECT_NE(logOnceItHas(rxLog, "$PXKTS,RCI,1.00*").find("$PXKTS,RCI,1.00*"), std::string::npos);
}

// The line goes while the receiver is in host mode: nothing can tell it to leave, and the
// user is told so instead of being shown a downloaded almanac.
TEST(DownloadEndToEnd, LostLineInHostModeIsSaidNotShownAsSuccess) {
    linktest::Rxsim rx({"--model", "19"});
    Session s(rx.device(), 19);
    ASSERT_TRUE(s.download->start());
    ASSERT_TRUE(s.runUntil([&] { return s.link.state.hostMode; }));
    rx.kill();
    ASSERT_TRUE(s.runUntil([&] { return s.lost; }, 5000));
    s.link.closePort(); // as the program does when the port is lost
    EXPECT_EQ(s.events.result, std::optional<bool>(false));
    EXPECT_FALSE(s.doc.modified());
    ASSERT_EQ(s.messages.shown.size(), 1u);
    EXPECT_EQ(s.messages.shown[0], trix::str::kAlmanacCutOffInHostMode);
}
