// The download's command steps, answers, progress and ends, against a scripted link.

#include "almanac/almanac_download.h"
#include "almanac/calendar.h"
#include "base/strings.h"
#include "download_support.h"
#include "support.h"

#include <gtest/gtest.h>

using namespace trix::almanac;
using namespace almanactest;

namespace {

struct FakeLink : DownloadLink {
    int model = 8;
    char port = 0;
    bool host = false;
    bool pending = false;
    bool checksum = true;
    std::vector<std::string> sent;
    bool send(std::string_view c) override {
        sent.emplace_back(c);
        return true;
    }
    int modelIndex() const override { return model; }
    char receiverPort() const override { return port; }
    bool hostMode() const override { return host; }
    bool blockPending() const override { return pending; }
    bool checksumChecked() const override { return checksum; }
};

struct Download : ::testing::Test {
    AlmanacDocument doc{gpsDayOfDate(2026, 12, 8)};
    FakeLink link;
    FakeTimers timers;
    RecordingSink messages;
    RecordingEvents events;
    std::unique_ptr<AlmanacDownload> download;

    void begin(int model, char port = 0) {
        link.model = model;
        link.port = port;
        download = std::make_unique<AlmanacDownload>(doc, link, timers, messages, events);
        ASSERT_TRUE(download->start());
    }
    void ticks(int n) {
        for (int i = 0; i < n; ++i)
            download->timer(AlmanacDownload::kStepTimer);
    }
    void silence() { download->timer(AlmanacDownload::kSilenceTimer); }
};

std::vector<std::string> allSteps(AlmanacDownload& d) {
    std::vector<std::string> s;
    for (int n = 1; n <= 5; ++n)
        s.push_back(d.stepCommand(n));
    return s;
}

} // namespace

TEST_F(Download, CommandStepsByModelAndPortLetter) {
    begin(6, 'B');
    EXPECT_EQ(allSteps(*download),
              (std::vector<std::string>{"", "", "$PXKTS,RAW,SAL,B,ON", "$PXKTS,RAW,SAG,B,ON", ""}));
    ticks(5);
    EXPECT_EQ(link.sent, (std::vector<std::string>{"$PXKTS,RAW,SAL,B,ON", "$PXKTS,RAW,SAG,B,ON"}));
    EXPECT_EQ(download->expectedTotal(), 56);
    begin(9);
    EXPECT_EQ(download->stepCommand(4), "$PXKTQ,SAL,A");
    begin(4, 'C');
    EXPECT_EQ(allSteps(*download),
              (std::vector<std::string>{"$PXKTQ,RAW", "$PXKTS,RCI,1", "$PXKTS,OUT,C,BIN",
                                        "$PXKTQ,SAL", ""}));
    EXPECT_EQ(download->expectedTotal(), 32);
    begin(16);
    EXPECT_EQ(download->stepCommand(5), "$PXKTQ,SAG");
    EXPECT_EQ(download->stepCommand(3), "");
    EXPECT_EQ(timers.running.at(AlmanacDownload::kStepTimer), 180);
    EXPECT_EQ(timers.running.at(AlmanacDownload::kSilenceTimer), 5000);
    EXPECT_EQ(events.titles.back(), "Downloading Almanac -   0 % done");
}

TEST_F(Download, GpsAnswersFillTheirSlotsAndTheEndComesWithTheLastOne) {
    begin(8);
    ticks(5);
    download->message("RCI:2.50");
    for (int prn = 1; prn <= 16; ++prn)
        download->message(salLine(prn));
    EXPECT_EQ(events.titles.back(), "Downloading Almanac -  50 % done");
    download->message(salLine(3, 2400, "ALM")); // the same PRN again: one slot
    EXPECT_EQ(download->answered(), 16);
    for (int prn = 17; prn <= 31; ++prn)
        download->message(salLine(prn));
    EXPECT_FALSE(events.result);
    download->message(salLine(32));
    ASSERT_TRUE(events.result);
    EXPECT_TRUE(*events.result);
    EXPECT_EQ(doc.gpsCount(), 32);
    EXPECT_TRUE(doc.modified());
    EXPECT_EQ(doc.gpsRecord(2).week, 2400); // the later record is kept
    const std::string image = doc.binaryImage();
    // Health moves to offset 16; the receiver words at 58 and 68 are 00 01.
    EXPECT_EQ(image.substr(16, 2), std::string("\x01\x02", 2));
    EXPECT_EQ(image.substr(0, 4), std::string("\x14\x15\x16\x17", 4));
    EXPECT_EQ(image.substr(18, 1), std::string("\x24"));
    EXPECT_EQ(image.substr(58, 2), std::string("\x00\x01", 2));
    EXPECT_EQ(image.substr(68, 2), std::string("\x00\x01", 2));
    EXPECT_EQ(image.substr(64, 4), std::string("\x00\x05\x46\x00", 4)); // 345600
    // Leaving restores the raw-data interval and stops the timers.
    EXPECT_EQ(link.sent.back(), "$PXKTS,RCI,2.50");
    EXPECT_TRUE(timers.running.empty());
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(Download, ShortBadAndOutOfRangeAnswersAreIgnored) {
    begin(16);
    const std::string good = salLine(1);
    download->message("$PXKTR,SA");
    download->message("$PXKTR,SAL");
    download->message(good.substr(0, 80)); // one byte short
    download->message(sagLine(1).substr(0, 54));
    std::string badSum = good;
    badSum[20] ^= 0x40;
    download->message(badSum);
    download->message(salLine(33));
    download->message(sagLine(25));
    download->message(sagLine(0));
    EXPECT_EQ(download->answered(), 0);
    EXPECT_FALSE(doc.modified());
    // With the checksum option off a bad sum is taken.
    link.checksum = false;
    download->message(badSum);
    download->message(sagLine(24));
    EXPECT_EQ(download->answered(), 2);
    EXPECT_TRUE(doc.glonassPresent(23));
    EXPECT_EQ(doc.glonassBase(23), 16065.0);
}

TEST_F(Download, SilenceEndsAnIncompleteDownloadAtFullProgress) {
    begin(16); // expects 56: GPS and GLONASS
    ticks(5);
    for (int prn = 1; prn <= 32; ++prn)
        download->message(salLine(prn));
    silence(); // the count moved since the start
    EXPECT_EQ(events.titles.back(), "Downloading Almanac -  57 % done");
    silence();
    EXPECT_EQ(events.titles.back(), "Downloading Almanac -  100 % done");
    ticks(5);
    EXPECT_FALSE(events.result);
    ticks(1);
    ASSERT_TRUE(events.result);
    EXPECT_TRUE(*events.result);
}

TEST_F(Download, NoAnswerAtAllFailsWithTheMessage) {
    begin(8);
    ticks(5);
    silence();
    ticks(6);
    ASSERT_TRUE(events.result);
    EXPECT_FALSE(*events.result);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0], trix::str::kAlmanacNotDownloading);
    EXPECT_FALSE(doc.modified());
}

TEST_F(Download, HostModeWaitsForTheReceiverThenReadsTheSegment) {
    begin(19);
    ticks(1);
    EXPECT_EQ(link.sent, std::vector<std::string>{"$PXKTS,HOS"});
    ticks(3); // no host mode yet: the segment is not asked for
    EXPECT_EQ(download->step(), 1);
    link.host = true;
    ticks(1);
    EXPECT_EQ(link.sent.back(), "C_GETSEG,4010,1121");
    EXPECT_EQ(events.titles.back(), "Downloading Almanac -  25 % done");
    link.pending = true;
    silence();
    silence(); // a block being read is no silence
    EXPECT_FALSE(events.result);
    link.pending = false;
    AlmanacDocument source(doc.today());
    KeplerAlmanac k;
    k.week = 2437;
    k.toa = 319488;
    for (int s = 0; s < 30; ++s)
        source.setGpsRecord(s, encode(k));
    download->message(withSum(source.binaryImage()));
    ticks(6);
    ASSERT_TRUE(events.result);
    EXPECT_TRUE(*events.result);
    EXPECT_EQ(doc.gpsCount(), 30);
    EXPECT_EQ(download->answered(), 30);
    EXPECT_EQ(link.sent.back(), "C_CLOSECOMM");
}

TEST_F(Download, HostModeThatNeverComesEndsBySilence) {
    begin(19);
    ticks(5);
    silence();
    ticks(6);
    ASSERT_TRUE(events.result);
    EXPECT_FALSE(*events.result);
    EXPECT_EQ(link.sent, std::vector<std::string>{"$PXKTS,HOS"});
}

TEST_F(Download, BrokenSegmentsAndErrorAnswersReportErrorReadingBuffer) {
    const std::string table(kGpsTableSize, '\x01');
    const std::vector<std::string> broken = {
        "\x05" + withSum(table),                     // 2243 bytes: first byte not stripped
        withSum(table).substr(0, 2000),              // short block
        withSum(table).substr(0, 2240) + "\x00\x00", // wrong sum
        std::string("ERROR READING BUFFER\0", 21),   // the link's read failure
    };
    for (const std::string& block : broken) {
        messages.shown.clear();
        events.result.reset();
        doc.clear();
        doc.setModified(false);
        begin(19);
        link.host = true;
        ticks(2);
        download->message(block);
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0], trix::str::kAlmanacErrorReadingBuffer);
        EXPECT_EQ(doc.gpsCount(), 0);
        ticks(6);
        ASSERT_TRUE(events.result);
        EXPECT_FALSE(*events.result);
        link.host = false;
    }
}

TEST_F(Download, CancelKeepsNothingAndLeavesHostMode) {
    begin(19);
    ticks(1);
    link.host = true;
    download->message(salLine(1));
    download->cancel();
    EXPECT_FALSE(doc.modified());
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_FALSE(events.result);
    EXPECT_TRUE(timers.running.empty());
    EXPECT_EQ(link.sent.back(), "C_CLOSECOMM");
    const std::size_t sent = link.sent.size();
    download.reset(); // leaving twice sends nothing more
    EXPECT_EQ(link.sent.size(), sent);
}

// A disconnect clears the link's host-mode flag before the port closes; the receiver is still
// in host mode and is told to leave while the port takes it. A port already gone can carry
// nothing, and the user hears that the download was cut off rather than a success.
TEST_F(Download, PortClosingEndsTheDownloadAndLeavesHostModeWhileItCan) {
    begin(19);
    ticks(1);
    link.host = true;
    download->message("$PXKTR,HOS");
    link.host = false; // the disconnect's own reset
    download->portClosing(true);
    EXPECT_EQ(link.sent.back(), "C_CLOSECOMM");
    EXPECT_EQ(events.result, std::optional<bool>(false));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(timers.running.empty());
    const std::size_t sent = link.sent.size();
    download->portClosing(true); // told again (another slot, closePort after disconnect)
    download->timer(AlmanacDownload::kStepTimer);
    EXPECT_EQ(link.sent.size(), sent);

    // A receiver that answered records, its line gone: nothing is kept, nothing claims success.
    events.result.reset();
    begin(16);
    ticks(5);
    download->message(salLine(3));
    download->portClosing(false);
    EXPECT_FALSE(doc.modified());
    EXPECT_EQ(events.result, std::optional<bool>(false));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0], trix::str::kAlmanacCutOff);
    const std::size_t before = link.sent.size();
    download.reset();
    EXPECT_EQ(link.sent.size(), before) << "nothing is written to a port that is gone";

    messages.shown.clear();
    events.result.reset();
    begin(19);
    ticks(1);
    link.host = true;
    ticks(1);
    link.host = false;
    download->portClosing(false);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0], trix::str::kAlmanacCutOffInHostMode);
}
