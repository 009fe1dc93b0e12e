// Logs of receivers that differ from the plain GP set: 4.10 GSA fields, stray bytes before a
// sentence, other talkers, a damaged first sentence.

#include "logs/viewed_log.h"

#include "base/strings.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace trix::logs {
namespace {

using test::line;

class VarietyTest : public ::testing::Test {
protected:
    VarietyTest() : log(sink) { log.indexer.setErrorListDirectory(dir.path); }
    const PositionRecord& first() const { return log.decoder.history.positions.at(0); }

    test::TempDir dir;
    test::RecordingSink sink;
    ViewedLog log;
};

std::string epochOf(int second, const char* talker, const char* gsa) {
    std::string t = cformat("12%02d%02d.00", second / 60, second % 60);
    std::string s = line(
        cformat("$%sGGA,%s,4807.0380,N,01131.0000,E,1,08,0.9,500.0,M,47.0,M,,", talker, t.c_str()));
    s += line(cformat("$%sGSA,%s", talker, gsa));
    s += line(cformat("$%sGSV,2,1,05,04,40,083,46,05,21,120,42,09,62,309,48,12,15,210,38", talker));
    s += line(cformat("$%sGSV,2,2,05,24,40,083,46", talker));
    s += line(cformat("$%sVTG,054.7,T,034.4,M,005.5,N,010.2,K,A", talker));
    return s;
}

TEST_F(VarietyTest, Nmea410GsaTakesItsDopsByPosition) {
    std::string content;
    for (int s = 0; s < 5; ++s)
        content += epochOf(s, "GN", "A,3,04,05,09,12,,,,,,,,,1.7,1.0,1.4,1");
    // Extra trailing fields after the system id shift nothing either.
    content += epochOf(5, "GN", "A,3,04,05,09,12,,,,,,,,,1.8,1.1,1.5,1,X,Y");
    // An older short GSA still reads from the end.
    content += epochOf(6, "GP", "A,3,04,05,09,12,2.5,1.3,2.1");
    dir.write("unkn_001.log", content);
    ASSERT_TRUE(log.open(dir.file("unkn_001.log")));
    ASSERT_EQ(log.decoder.epochsCompleted, 7);
    const auto& p = log.decoder.history.positions;
    EXPECT_FLOAT_EQ(p[0].pdop, 1.7f);
    EXPECT_FLOAT_EQ(p[0].vdop, 1.4f);
    EXPECT_FLOAT_EQ(p[5].pdop, 1.8f);
    EXPECT_FLOAT_EQ(p[5].vdop, 1.5f);
    EXPECT_FLOAT_EQ(p[6].pdop, 2.5f);
    EXPECT_FLOAT_EQ(p[6].vdop, 2.1f);
}

TEST_F(VarietyTest, StrayBytesBeforeTheDollarLoseNoEpoch) {
    std::string content;
    const std::string noise[] = {std::string(3, '\0'), "\xff", "x", std::string("\r\n\x80\0", 4)};
    for (int s = 0; s < 300; ++s) {
        std::string e = epochOf(s, "GP", "A,3,04,05,09,12,,,,,,,,,2.5,1.3,2.1");
        // Noise before every sentence of the epoch.
        std::string noisy;
        std::size_t from = 0;
        for (std::size_t at; (at = e.find('$', from)) != std::string::npos; from = at + 1)
            noisy += e.substr(from, at - from) + noise[s % 4] + '$';
        noisy += e.substr(from);
        content += noisy;
    }
    dir.write("unkn_001.log", content);
    ASSERT_TRUE(log.open(dir.file("unkn_001.log")));
    EXPECT_GE(log.decoder.epochsCompleted, 299);
    EXPECT_EQ(first().usedSats, 8);
}

TEST_F(VarietyTest, AnyTalkerAssemblesEpochs) {
    std::string all;
    for (int s = 0; s < 10; ++s)
        all += epochOf(s, "GL", "A,3,65,66,67,,,,,,,,,,2.5,1.3,2.1");
    dir.write("unkn_001.log", all);
    ASSERT_TRUE(log.open(dir.file("unkn_001.log")));
    EXPECT_FALSE(sink.saw(str::kNoEpochs));
    EXPECT_GE(log.decoder.epochsCompleted, 9);

    const char* talkers[] = {"GP", "GN", "GL", "GA", "GB"};
    std::string mixed;
    for (int s = 0; s < 50; ++s)
        mixed += epochOf(s, talkers[s % 5], "A,3,04,05,09,12,,,,,,,,,2.5,1.3,2.1");
    dir.write("unkn_002.log", mixed);
    ViewedLog other(sink);
    other.indexer.setErrorListDirectory(dir.path);
    ASSERT_TRUE(other.open(dir.file("unkn_002.log")));
    EXPECT_GE(other.decoder.epochsCompleted, 49);
}

TEST_F(VarietyTest, RejectedFirstPositionDoesNotLeakIntoTheNextEpoch) {
    std::string content = epochOf(0, "GP", "A,3,04,05,09,12,,,,,,,,,2.5,1.3,2.1");
    // Damage the first GGA's checksum.
    std::size_t star = content.find('*');
    content[star + 1] = content[star + 1] == '0' ? '1' : '0';
    for (int s = 1; s < 6; ++s)
        content += epochOf(s, "GP", "A,3,04,05,09,12,,,,,,,,,2.5,1.3,2.1");
    dir.write("unkn_001.log", content);
    ASSERT_TRUE(log.open(dir.file("unkn_001.log")));
    ASSERT_GE(log.decoder.epochsCompleted, 5);
    for (int k = 0; k < log.decoder.epochsCompleted; ++k)
        EXPECT_EQ(log.decoder.history.positions[static_cast<std::size_t>(k)].usedSats, 8) << k;
}

} // namespace
} // namespace trix::logs
