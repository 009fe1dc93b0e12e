// The download end to end: rxsim as the receiver on a pseudo-terminal, the program's link and
// data pump, the download driven by real timers (the silence check every second).

#include "almanac/almanac_download.h"
#include "almanac/calendar.h"
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
    EXPECT_NE(linktest::readFile(rxLog).find("$PXKTS,RCI,1.00*"), std::string::npos);
}

TEST(DownloadEndToEnd, GarbageAnswersNeverHangTheListing) {
    linktest::Rxsim rx({"--model", "16", "--almanac-garbage"});
    Session s(rx.device(), 16);
    ASSERT_TRUE(s.run());
    ASSERT_TRUE(s.events.result);
    const std::string text = s.doc.yumaText(); // huge and odd angles among them
    EXPECT_FALSE(text.empty());
}
