#include "logs/log_recorder.h"
#include "logs/log_settings.h"

#include "base/strings.h"
#include "decode/epoch_decoder.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>

namespace trix::logs {
namespace {

struct Events : RecorderEvents {
    void postPerformLogSession() override { ++stopsPosted; }
    int stopsPosted = 0;
};

class RecorderTest : public ::testing::Test {
protected:
    RecorderTest() : recorder(sink, timers) {
        LogSettings s;
        s.directory = dir.path;
        recorder.setSettings(s);
        recorder.setModelIndex(1);
    }
    test::TempDir dir;
    test::RecordingSink sink;
    test::FakeTimers timers;
    LogRecorder recorder;
};

TEST_F(RecorderTest, RecordsEveryByteIntoNumberedFiles) {
    dir.write("unkn_004.log", "older");
    ASSERT_TRUE(recorder.startSession());
    EXPECT_EQ(recorder.fileName(), dir.file("unkn_005.log"));
    recorder.writeLogBytes("$GPGGA,1*00\r\n$GPGSA,2");
    EXPECT_DOUBLE_EQ(recorder.bytesWritten(), 21.0);
    recorder.splitFile();
    EXPECT_EQ(recorder.fileName(), dir.file("unkn_006.log"));
    EXPECT_DOUBLE_EQ(recorder.bytesWritten(), 0.0);
    recorder.writeLogBytes("tail");
    recorder.stopSession();
    EXPECT_FALSE(recorder.fileOpen());
    EXPECT_EQ(test::readFile(dir.file("unkn_005.log")), "$GPGGA,1*00\r\n$GPGSA,2");
    EXPECT_EQ(test::readFile(dir.file("unkn_006.log")), "tail");
    EXPECT_EQ(test::readFile(dir.file("unkn_004.log")), "older");
}

TEST_F(RecorderTest, AutoSaveByMinutesStartsTheNextFileOnTimer12) {
    LogSettings s = recorder.settings();
    s.autoSaveCount = 5;
    s.autoSaveUnit = AutoSaveUnit::Minutes;
    recorder.setSettings(s);
    ASSERT_TRUE(recorder.startSession());
    EXPECT_EQ(timers.running.at(kTimerRecording), 5 * 60000);
    EXPECT_EQ(recorder.autoSaveEpochs(), 0);
    recorder.writeLogBytes("first\n");
    recorder.timerFired(kTimerRecording);
    EXPECT_TRUE(recorder.active());
    EXPECT_EQ(recorder.fileName(), dir.file("unkn_002.log"));
    recorder.performLogSession(); // stops
    EXPECT_TRUE(timers.running.empty());
    EXPECT_FALSE(recorder.sessionRunning());
}

TEST_F(RecorderTest, MultipleRecordingAlternatesBetweenRecordings) {
    LogSettings s = recorder.settings();
    s.mode = RecordMode::Multiple;
    s.periodMinutes = 60;
    s.durationMinutes = 10;
    recorder.setSettings(s);
    ASSERT_TRUE(recorder.startSession());
    EXPECT_EQ(timers.running.at(kTimerRecording), 10 * 60000);
    EXPECT_EQ(timers.running.at(kTimerPeriod), 60 * 60000);
    recorder.writeLogBytes("first\n");
    recorder.timerFired(kTimerRecording); // the ten minutes are over
    EXPECT_FALSE(recorder.active());
    EXPECT_FALSE(recorder.fileOpen());
    EXPECT_FALSE(timers.running.count(kTimerRecording));
    recorder.writeLogBytes("between recordings"); // nothing is recorded
    recorder.timerFired(kTimerPeriod);
    EXPECT_TRUE(recorder.active());
    EXPECT_EQ(recorder.fileName(), dir.file("unkn_002.log"));
    EXPECT_EQ(timers.running.at(kTimerRecording), 10 * 60000);
    recorder.writeLogBytes("second");
    recorder.stopSession();
    EXPECT_EQ(test::readFile(dir.file("unkn_002.log")), "second");
}

TEST_F(RecorderTest, AutoSaveByEpochsIsReportedToTheDecoder) {
    LogSettings s = recorder.settings();
    s.autoSaveCount = 100;
    s.autoSaveUnit = AutoSaveUnit::Epochs;
    recorder.setSettings(s);
    EXPECT_EQ(recorder.autoSaveEpochs(), 0); // no session
    ASSERT_TRUE(recorder.startSession());
    EXPECT_EQ(recorder.autoSaveEpochs(), 100);
    EXPECT_TRUE(timers.running.empty());
}

TEST_F(RecorderTest, FailuresStopTheSession) {
    timers.refuse = true;
    LogSettings s = recorder.settings();
    s.autoSaveCount = 1;
    recorder.setSettings(s);
    EXPECT_FALSE(recorder.startSession());
    EXPECT_EQ(sink.texts.back(), str::kOutOfTimers);
    EXPECT_FALSE(recorder.sessionRunning());

    timers.refuse = false;
    s.autoSaveCount = 0;
    s.directory = "/nonexistent-dir/";
    recorder.setSettings(s);
    EXPECT_FALSE(recorder.startSession());
    EXPECT_EQ(sink.texts.back(), "File \n/nonexistent-dir/unkn_001.log\ncould not be opened !");
    EXPECT_FALSE(recorder.sessionRunning()); // stopped once the call returned

    Events events;
    LogRecorder posted(sink, timers, &events);
    s.directory = dir.path;
    posted.setSettings(s);
    posted.setModelIndex(0); // no model: the session is asked to stop
    posted.startSession();
    EXPECT_EQ(events.stopsPosted, 1);
    EXPECT_FALSE(posted.fileOpen());
}

TEST_F(RecorderTest, DecoderSplitsTheFileAfterAutoSaveEpochs) {
    EpochDecoder decoder(3);
    EpochDecoder::Hooks hooks;
    hooks.logSession = &recorder;
    decoder.setHooks(hooks);
    recorder.setDecoder(&decoder);
    LogSettings s = recorder.settings();
    s.autoSaveCount = 2;
    s.autoSaveUnit = AutoSaveUnit::Epochs;
    recorder.setSettings(s);
    ASSERT_TRUE(recorder.startSession());
    EXPECT_EQ(recorder.fileName(), dir.file("r18__001.log"));
    for (int e = 0; e < 3; ++e) {
        std::string epoch = test::posEpoch(e);
        recorder.writeLogBytes(epoch);
        std::size_t cut = epoch.find("\r\n");
        decoder.handleSentence(epoch.substr(0, cut));
        decoder.handleSentence(epoch.substr(cut + 2, epoch.size() - cut - 4));
    }
    // After two epochs the proprietary assembly starts the next file.
    EXPECT_EQ(recorder.fileName(), dir.file("r18__002.log"));
    recorder.stopSession();
}

// A per-file size limit makes the disk refuse bytes beyond a file offset, as a full disk does
// for the file being written, while a new file can still take them.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &old_);
        rlimit r = old_;
        r.rlim_cur = bytes;
        ok_ = ::setrlimit(RLIMIT_FSIZE, &r) == 0;
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldHandler_);
    }
    bool ok() const { return ok_; }

private:
    rlimit old_{};
    void (*oldHandler_)(int) = nullptr;
    bool ok_ = false;
};

TEST_F(RecorderTest, WriteErrorContinuesInANewFileWithoutLosingBytes) {
    ASSERT_TRUE(recorder.startSession());
    recorder.writeLogBytes("$A*00\r\n");
    {
        FileSizeLimit limit(10);
        ASSERT_TRUE(limit.ok());
        recorder.writeLogBytes("$B*00\r\n"); // only three of these bytes fit
    }
    EXPECT_TRUE(sink.saw(str::kErrorWritingLog));
    EXPECT_TRUE(recorder.sessionRunning());
    EXPECT_EQ(recorder.fileName(), dir.file("unkn_002.log"));
    recorder.writeLogBytes("$C*00\r\n");
    recorder.stopSession();
    EXPECT_EQ(test::readFile(dir.file("unkn_001.log")) + test::readFile(dir.file("unkn_002.log")),
              "$A*00\r\n$B*00\r\n$C*00\r\n");
}

TEST_F(RecorderTest, FailingCloseAtANewPeriodKeepsRecording) {
    LogSettings s = recorder.settings();
    s.mode = RecordMode::Multiple;
    s.periodMinutes = 60;
    s.durationMinutes = 0;
    recorder.setSettings(s);
    ASSERT_TRUE(recorder.startSession());
    recorder.writeLogBytes("$A*00\r\nxyzwvu"); // the tail waits for its line end
    {
        FileSizeLimit limit(10);
        ASSERT_TRUE(limit.ok());
        recorder.timerFired(kTimerPeriod); // closing cannot write the whole tail
    }
    EXPECT_TRUE(sink.saw(str::kDiskFull));
    EXPECT_TRUE(recorder.sessionRunning());
    EXPECT_TRUE(recorder.fileOpen());
    recorder.writeLogBytes("\r\n$B*00\r\n");
    recorder.stopSession();
    EXPECT_EQ(test::readFile(dir.file("unkn_001.log")) + test::readFile(dir.file("unkn_002.log")),
              "$A*00\r\nxyzwvu\r\n$B*00\r\n");
}

TEST(LoggingPageTest, RangesAndTheUndefinedMode) {
    LogSettings out;
    LoggingPageInput in;
    in.mode = RecordMode::Multiple;
    in.periodHours = 1.0;
    in.durationMinutes = 61;
    EXPECT_STREQ(validateLoggingPage(in, out), str::kUndefinedMode);
    in.durationMinutes = 60;
    EXPECT_EQ(validateLoggingPage(in, out), nullptr);
    in.periodHours = 0.1;
    in.durationMinutes = 6;
    EXPECT_EQ(validateLoggingPage(in, out), nullptr);
    EXPECT_EQ(out.periodMinutes, 6);
    in.periodHours = 0.01;
    EXPECT_NE(validateLoggingPage(in, out), nullptr);
    in.periodHours = 1;
    in.autoSaveCount = 5001;
    EXPECT_NE(validateLoggingPage(in, out), nullptr);
}

TEST_F(RecorderTest, FileThatNeverReceivedAByteIsRemoved) {
    ASSERT_TRUE(recorder.startSession());
    recorder.nextLogFile(false); // a split before anything came
    recorder.writeLogBytes("data\n");
    const std::string kept = recorder.fileName();
    recorder.nextLogFile(false);
    recorder.stopSession();
    EXPECT_EQ(test::readFile(kept), "data\n");
    EXPECT_EQ(recorder.emptyFilesRemoved(), 2);
    int files = 0;
    for (const auto& e : std::filesystem::directory_iterator(dir.path))
        files += e.is_regular_file();
    EXPECT_EQ(files, 1) << "only the file with data is kept";
}

} // namespace
} // namespace trix::logs
