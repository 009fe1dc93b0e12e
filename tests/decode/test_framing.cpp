#include "decode/framing.h"
#include "support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace trix;

namespace {
std::vector<std::string> frame(LineFramer& f, std::string_view bytes) {
    std::vector<std::string> lines;
    for (char c : bytes) {
        if (f.push(static_cast<std::uint8_t>(c)))
            lines.emplace_back(f.line());
    }
    return lines;
}
} // namespace

TEST(LiveFraming, LinesEndAtCrLfOnly) {
    LineFramer f;
    auto lines = frame(f, "$GPGGA,1\r\n\r\n$A\nB\r\n$C\r\r\n");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "$GPGGA,1");
    EXPECT_EQ(lines[1], "$A\nB") << "a lone LF does not end a line";
    EXPECT_EQ(lines[2], "$C\r");
}

TEST(LiveFraming, FullBufferIsDroppedAndCollectionStartsAgain) {
    LineFramer f;
    std::string junk(1024, 'x');
    auto lines = frame(f, junk + "$OK\r\n");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], "$OK");
    EXPECT_EQ(f.overflows(), 1u);
    // 1021 characters with CR LF are the longest line handed on; 1022 are dropped.
    lines = frame(f, std::string(1021, 'y') + "\r\n" + std::string(1022, 'w') + "\r\n$N\r\n");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].size(), 1021u);
    EXPECT_EQ(lines[1], "$N");
    EXPECT_EQ(f.overflows(), 2u);
}

TEST(LogFraming, CrLfIsCutOtherEndingsStay) {
    EXPECT_EQ(logLineSentence("$GPGGA,1*00\r\n"), "$GPGGA,1*00");
    EXPECT_EQ(logLineSentence("$GPGGA,1*00\n"), "$GPGGA,1*00\n");
    EXPECT_EQ(logLineSentence("$trunc"), "$trunc");
    EXPECT_EQ(logLineSentence(""), "");
}

TEST(SentenceCode, TalkerAndProprietary) {
    EXPECT_EQ(sentenceCode("$GPGGA,"), kGGA);
    EXPECT_EQ(sentenceCode("$GLGSV,"), kGSV);
    EXPECT_EQ(sentenceCode("$PXKTR,POS,1"), kPOS);
    EXPECT_EQ(sentenceCode("$PXKTR,SA"), 0u);
    EXPECT_EQ(sentenceCode("$GP"), 0u);
    EXPECT_EQ(sentenceCode(""), 0u);
}

TEST(Checksum, RuleForNmeaAndProprietary) {
    std::string good = trixtest::sentence("GPGGA,1,2");
    EXPECT_TRUE(checksumPasses(good, false, true));
    std::string bad = good;
    bad[3] = 'X';
    EXPECT_FALSE(checksumPasses(bad, false, true));
    EXPECT_TRUE(checksumPasses(bad, false, false)) << "control off: everything passes";
    EXPECT_TRUE(checksumPasses("$GPGGA,1,2", false, true)) << "NMEA without '*' passes";
    EXPECT_FALSE(checksumPasses("$PXKTR,POS,1", true, true)) << "proprietary without '*' fails";
    // Lower-case hex digits are read too; an empty text after '*' reads as 0.
    std::string lower = "$GPX,a*" + cformat("%02x", nmeaChecksum("GPX,a"));
    EXPECT_TRUE(checksumPasses(lower, false, true));
    EXPECT_TRUE(checksumPasses("$*", false, true));
}

TEST(LiveFraming, SentenceStartsAtItsFirstDollar) {
    LineFramer f;
    const char bytes[] = "\0\0\0$GPGGA,1\r\n\xff$A,$B\r\nno dollar\r\n";
    auto lines = frame(f, std::string_view(bytes, sizeof bytes - 1));
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "$GPGGA,1");
    EXPECT_EQ(lines[1], "$A,$B");
    EXPECT_EQ(lines[2], "no dollar") << "a line without '$' is handed on as it came";
}

TEST(LogFraming, SentenceStartsAtItsFirstDollar) {
    const char nuls[] = "\0\0\0$GPGGA,1*00\r\n";
    EXPECT_EQ(logLineSentence(std::string_view(nuls, sizeof nuls - 1)), "$GPGGA,1*00");
    EXPECT_EQ(logLineSentence("x$GPGSA\n"), "$GPGSA\n");
    EXPECT_EQ(logLineSentence("noise\r\n"), "noise");
}
