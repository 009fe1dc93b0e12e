#include "logs/log_indexer.h"
#include "logs/log_naming.h"
#include "logs/viewed_log.h"

#include "base/strings.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace trix::logs {
namespace {

using test::line;
using test::nmeaEpoch;
using test::posEpoch;

class IndexerTest : public ::testing::Test {
protected:
    IndexerTest() : log(sink) { log.indexer.setErrorListDirectory(dir.path); }
    std::string errors() const { return test::readFile(dir.file("~err.txt")); }
    bool errorListExists() const { return fileExists(dir.file("~err.txt")); }

    test::TempDir dir;
    test::RecordingSink sink;
    ViewedLog log;
};

struct Collect : LineListener {
    void indexedLine(std::string_view s) override { lines.emplace_back(s); }
    std::vector<std::string> lines;
};

TEST_F(IndexerTest, NmeaLearningRewindsAndFindsEveryEpoch) {
    std::string content;
    for (int s = 0; s < 20; ++s)
        content += nmeaEpoch(s);
    dir.write("unkn_001.log", content);
    Collect listener;
    log.indexer.addLineListener(&listener);
    ASSERT_TRUE(log.open(dir.file("unkn_001.log")));
    EXPECT_EQ(log.decoder.epochsCompleted, 20);
    EXPECT_EQ(log.decoder.history.writePosition, 0); // the oldest epoch is shown
    EXPECT_DOUBLE_EQ(log.decoder.pos.utcTime, 120000.0);
    EXPECT_EQ(log.decoder.sat.inView, 9);
    EXPECT_EQ(listener.lines.size(), 120u); // every line once, in the first attempt
    EXPECT_FALSE(errorListExists());
    EXPECT_TRUE(sink.texts.empty());
}

TEST_F(IndexerTest, ReceiverThatStopsSendingVtgKeepsItsEpochs) {
    std::string content;
    for (int s = 0; s < 30; ++s)
        content += nmeaEpoch(s, s < 10);
    dir.write("unkn_002.log", content);
    ASSERT_TRUE(log.open(dir.file("unkn_002.log")));
    // Two epochs go to learning the new set; all the others are kept.
    EXPECT_GE(log.decoder.epochsCompleted, 28);
    const auto& h = log.decoder.history;
    EXPECT_DOUBLE_EQ(h.positions[static_cast<std::size_t>(log.decoder.epochsCompleted - 1)].utcTime,
                     120029.0);
}

TEST_F(IndexerTest, ReceiverRepeatingTypesInACycleDecodesLikeLive) {
    // One GSA per constellation and GSV groups of two talkers, in the common order
    // GGA, GSA, GSV, VTG: every epoch must be found, as the live assembly finds them.
    std::string content;
    for (int s = 0; s < 25; ++s) {
        std::string t = cformat("12%02d%02d.00", s / 60, s % 60);
        content += line(
            cformat("$GNGGA,%s,4807.0380,N,01131.0000,E,1,08,0.9,500.0,M,47.0,M,,", t.c_str()));
        content += line("$GNGSA,A,3,04,05,09,12,,,,,,,,,2.5,1.3,2.1");
        content += line("$GNGSA,A,3,65,66,,,,,,,,,,,2.5,1.3,2.1");
        content += line("$GPGSV,2,1,05,04,40,083,46,05,21,120,42,09,62,309,48,12,15,210,38");
        content += line("$GPGSV,2,2,05,24,40,083,46");
        content += line("$GLGSV,1,1,02,65,40,083,46,66,21,120,42");
        content += line("$GNVTG,054.7,T,034.4,M,005.5,N,010.2,K,A");
    }
    dir.write("unkn_003.log", content);
    ASSERT_TRUE(log.open(dir.file("unkn_003.log")));
    EXPECT_EQ(log.decoder.epochsCompleted, 25);
    EXPECT_EQ(log.decoder.handlerCode(0), kGGA);
    EXPECT_EQ(log.decoder.handlerCode(1), kGSA);
    EXPECT_EQ(log.decoder.handlerCode(2), kGSV);
    EXPECT_EQ(log.decoder.handlerCode(3), kVTG);
    EXPECT_EQ(log.decoder.sat.inView, 5);

    // The same bytes, live.
    EpochDecoder live(kModelUnknown);
    LineFramer framer;
    for (char c : content)
        if (framer.push(static_cast<std::uint8_t>(c)))
            live.handleSentence(framer.line());
    EXPECT_EQ(live.history.writePosition, 24);
}

TEST_F(IndexerTest, ChecksumErrorsAreListedWithTheirLineNumbers) {
    std::string content = nmeaEpoch(0) + nmeaEpoch(1);
    std::string bad = nmeaEpoch(2);
    bad[bad.find('*') + 1] = bad[bad.find('*') + 1] == '0' ? '1' : '0'; // break the GGA
    content += bad + nmeaEpoch(3);
    // A truncated last line with a bad checksum is not a receiver error.
    content += "$GPGGA,120004.00,4807.038,N,01131.000,E,1,08,0.9,500.0,M,47.0,M,,*00";
    dir.write("unkn_003.log", content);
    sink.answers = {Answer::Yes};
    ASSERT_TRUE(log.open(dir.file("unkn_003.log")));
    EXPECT_EQ(errors(), "Error CheckSum. Line 13.\n");
    EXPECT_EQ(sink.texts.back(), "The erorrs occured on analysing the file \n" +
                                     dir.file("unkn_003.log") +
                                     ".\n Do you wish to view the errors list? ");
    EXPECT_TRUE(log.indexer.errorListRequested());
    EXPECT_EQ(log.decoder.epochsCompleted, 3);
}

TEST_F(IndexerTest, ProprietaryFileFindsEpochsAndFirmwareScales) {
    std::string content;
    for (int s = 0; s < 5; ++s)
        content += posEpoch(s);
    dir.write("r18__001.log", content);
    ASSERT_TRUE(log.open(dir.file("r18__001.log")));
    EXPECT_EQ(log.decoder.modelIndex(), 3);
    EXPECT_EQ(log.decoder.epochsCompleted, 5);
    EXPECT_FLOAT_EQ(log.decoder.scales().vertical, 10.0f); // model 3
    EXPECT_EQ(log.decoder.sat.inView, 2);
}

TEST_F(IndexerTest, NmeaFileUnderAttitudeNameTriesTwiceAndAsks) {
    std::string content;
    for (int s = 0; s < 5; ++s)
        content += nmeaEpoch(s);
    dir.write("r04__001.log", content);
    EXPECT_FALSE(log.open(dir.file("r04__001.log")));
    EXPECT_EQ(errors(), "The Trialix can't recognize the file\n" + dir.file("r04__001.log") +
                            "\nas RX-04 receiver *.log file.\nThis file will be analysed as "
                            "default Tennar receiver *.log file.\n\n");
    ASSERT_FALSE(sink.statuses.empty());
    EXPECT_EQ(sink.statuses.back(), str::kSecondAttempt);
    EXPECT_FALSE(sink.saw(str::kNoEpochs)); // the errors question is asked instead
    EXPECT_FALSE(log.indexer.errorListRequested());
}

TEST_F(IndexerTest, BadInputGivesMessagesNeverACrash) {
    EXPECT_FALSE(log.open(dir.file("missing.log")));
    EXPECT_EQ(sink.texts.back(), "File \n" + dir.file("missing.log") +
                                     "\ncould not be opened !\n(No such file or directory)");
    EXPECT_FALSE(log.open(dir.path)); // a directory
    EXPECT_EQ(sink.texts.back(),
              "File \n" + dir.path + "\ncould not be opened !\n(Is a directory)");

    dir.write("unkn_004.log", "");
    EXPECT_FALSE(log.open(dir.file("unkn_004.log")));
    EXPECT_EQ(sink.texts.back(), str::kNoEpochs);

    std::string garbage;
    for (int i = 0; i < 20000; ++i)
        garbage += static_cast<char>((i * 7919 + i / 13) & 0xff);
    garbage += std::string(5000, '$') + "\r\n" + std::string(1023, 'A') + "\r\n";
    garbage += nmeaEpoch(0) + std::string(3000, 'x') + nmeaEpoch(1) + nmeaEpoch(2);
    dir.write("unkn_005.log", garbage);
    EXPECT_TRUE(log.open(dir.file("unkn_005.log")));
    EXPECT_GE(log.decoder.epochsCompleted, 1);
}

TEST_F(IndexerTest, AnalysisPassCopiesOutlierSentences) {
    std::string content;
    for (int s = 0; s < 6; ++s)
        content += posEpoch(s, s == 3 ? 7.138 : 7.038); // epoch 4 is 185 m off
    dir.write("r18__002.log", content);
    ASSERT_TRUE(log.open(dir.file("r18__002.log")));
    AnalysisSettings settings;
    settings.mode = ReferenceMode::VsTruth;
    settings.known = {48.1173, 11.516666666666667, 545.4};
    settings.outlierLimit = 10.0;
    settings.writeOutlierBox = true;
    log.startAnalysis(settings);
    EXPECT_EQ(log.statistics.block().analysed, 6);
    EXPECT_EQ(log.statistics.block().outliers, 1);
    EXPECT_TRUE(log.decoder.logIndexed);
    std::string sum = test::readFile(dir.file("r18__002.sum"));
    EXPECT_NE(sum.find("Associated log file: " + dir.file("r18__002.log")), std::string::npos);
    EXPECT_NE(sum.find("$PXKTR,POS,1,08,120003.00,4807.1380"), std::string::npos);
    EXPECT_NE(sum.find("$PXKTR,SAT,2,4,83"), std::string::npos);
    EXPECT_EQ(sum.find("120002.00"), std::string::npos);
    EXPECT_NE(sum.find("Outliers number  1 points"), std::string::npos);
    // The stored departures now refer to the known position.
    EXPECT_NEAR(log.decoder.history.departures[3].north, 0.1 / 60 * 111200, 300);
    EXPECT_NEAR(log.decoder.history.departures[0].north, 0.0, 1.0);
}

TEST_F(IndexerTest, StopsAfter65536Epochs) {
    std::string one = posEpoch(0);
    std::string content;
    content.reserve(one.size() * 65540);
    for (int s = 0; s < 65540; ++s)
        content += posEpoch(s % 3600);
    dir.write("r18__003.log", content);
    ASSERT_TRUE(log.open(dir.file("r18__003.log")));
    EXPECT_EQ(log.decoder.epochsCompleted, kMaxIndexedEpochs);
    EXPECT_EQ(log.decoder.history.oldestPosition, 0);
}

} // namespace
} // namespace trix::logs
