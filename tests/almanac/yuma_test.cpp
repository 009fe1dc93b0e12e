// Yuma text: published files of every line-end and blank habit, the mended reading rules and
// the number checks.

#include "almanac/almanac_document.h"
#include "almanac/calendar.h"
#include "support.h"

#include <gtest/gtest.h>

using namespace trix::almanac;
using almanactest::dataFile;
using almanactest::readFile;
using almanactest::replaceAll;

namespace {

const long kToday = gpsDayOfDate(2026, 12, 8);

std::string published() {
    return readFile(dataFile("published_week98.alm"));
}

// The listing the program writes, with LF line ends for comparison with the pinned text.
std::string listingLf(const AlmanacDocument& doc) {
    return replaceAll(doc.yumaText(), "\r\n", "\n");
}

// One record in the program's own layout, for the malformed-text cases.
std::string record(int prn, const std::string& toa = "4.055040000e+05",
                   const std::string& week = "0098") {
    char id[8];
    std::snprintf(id, sizeof id, "%03d", prn);
    return std::string("**** Week 0098 almanac for PRN-01 **********\n") +
           "ID:                          " + id + "\n" +
           "Health:                      000\n"
           "Eccentricity:                1.028537750e-02\n"
           "Time of Applicability(s):    " +
           toa +
           "\n"
           "Orbital Inclination(rad):    9.881198477e-01\n"
           "Rate of Right Ascen(r/s):   -7.931758263e-09\n"
           "SQRT(A) (m^1/2):             5.153625977e+03\n"
           "Right Ascen at TOA(rad):    -3.063549588e-01\n"
           "Argument of Perigee(rad):    7.862085910e-01\n"
           "Mean Anom(rad):             -1.729837491e+00\n"
           "Af0(s):                      5.111694336e-04\n"
           "Af1(s/s):                   -1.091393642e-11\n"
           "week:                        " +
           week + "\n\n";
}

} // namespace

TEST(PublishedYuma, EveryLineEndAndBlankHabitListsTheSame) {
    const std::string expected = readFile(dataFile("published_week98.expected.txt"));
    const std::string lf = published();
    ASSERT_NE(lf.back(), '\n'); // the sample has no final line end
    const std::string variants[] = {
        lf,
        replaceAll(lf, "\n", "\r\n"),
        replaceAll(lf, "\n", "\r"),
        replaceAll(lf, "\n", "\t\t\n"),    // trailing tabs
        replaceAll(lf, "\n", "  \t \r\n"), // trailing blanks before CR LF
    };
    for (const std::string& text : variants) {
        AlmanacDocument doc(kToday);
        ASSERT_TRUE(doc.read(text));
        EXPECT_EQ(doc.gpsCount(), 3);
        EXPECT_EQ(doc.glonassCount(), 0);
        EXPECT_TRUE(doc.gpsPresent(0) && doc.gpsPresent(1) && doc.gpsPresent(4));
        EXPECT_FALSE(doc.gpsPresent(2) || doc.gpsPresent(3));
        EXPECT_EQ(listingLf(doc), expected);
    }
}

TEST(PublishedYuma, HandCheckedValuesAfterTheFloatRound) {
    AlmanacDocument doc(kToday);
    ASSERT_TRUE(doc.read(published()));
    KeplerAlmanac k = doc.gpsRecord(0);
    EXPECT_EQ(k.eccentricity, 0.0102853775f);
    EXPECT_NEAR(k.sqrtA, 5153.625977, 1e-12);
    EXPECT_EQ(k.toa, 405504);
    EXPECT_EQ(k.week, 98); // the ten-bit week is kept as read
    EXPECT_EQ(k.weekMod, 98);
    EXPECT_NEAR(k.inclination, 0.9881198406 / 3.141592653589793, 1e-7);
    EXPECT_NEAR(k.rightAscension, -0.3063549588 / 3.141592653589793, 1e-15);
    EXPECT_EQ(k.word58, 0x3F00);
    EXPECT_EQ(k.timeOfWeek, 0);
    EXPECT_EQ(k.word68, 0);
    EXPECT_EQ(doc.gpsRecord(4).health, 63);
    // Bytes of the stored record are big-endian: TOA 405504 = 0x00063000.
    const std::string image = doc.binaryImage();
    ASSERT_EQ(image.size(), 2240u);
    EXPECT_EQ(image.substr(4, 4), std::string("\x00\x06\x30\x00", 4));
    EXPECT_EQ(image.substr(58, 2), std::string("\x3F\x00", 2));
    EXPECT_EQ(image.substr(2 * 70 + 58, 2), std::string("\x00\x3F", 2)); // empty slot word
}

TEST(YumaRoundTrip, TextToBinaryToTextAndBinaryToTextToBinaryAreByteIdentical) {
    AlmanacDocument first(kToday);
    ASSERT_TRUE(first.read(published()));
    const std::string text = first.yumaText();
    const std::string binary = first.binaryImage();

    AlmanacDocument fromBinary(kToday);
    ASSERT_TRUE(fromBinary.read(binary));
    EXPECT_EQ(fromBinary.yumaText(), text);

    AlmanacDocument fromText(kToday);
    ASSERT_TRUE(fromText.read(text));
    EXPECT_EQ(fromText.binaryImage(), binary);
    EXPECT_EQ(fromText.yumaText(), text);
}

TEST(YumaReading, ALineMissingInsideARecordDropsOnlyThatRecord) {
    std::string broken = record(3);
    broken.erase(broken.find("Health:"), broken.find("Eccentricity:") - broken.find("Health:"));
    std::string extra = record(4);
    extra.insert(extra.find("week:"), "Spare note: 1\n");
    AlmanacDocument doc(kToday);
    ASSERT_TRUE(doc.read(record(1) + broken + extra + record(7)));
    EXPECT_EQ(doc.gpsCount(), 2);
    EXPECT_TRUE(doc.gpsPresent(0));
    EXPECT_TRUE(doc.gpsPresent(6));
}

TEST(YumaReading, WordLinesNumbersBlankLinesAndLongLinesDoNotDisturb) {
    std::string text = "Almanac\nfrom the navigation centre\n";
    text += record(1);
    text += "12345\n\n   \n7 lines of numbers\n";
    for (int i = 0; i < 10; ++i)
        text += "\n";
    std::string withStray = record(2);
    withStray.insert(withStray.find("Health:"), "SEPARATOR\n"); // no blank: passed over
    text += withStray;
    std::string longLine = record(3);
    longLine.replace(longLine.find("SQRT(A) (m^1/2):"), 16, "SQRT(A)" + std::string(150, '.'));
    text += longLine;
    AlmanacDocument doc(kToday);
    ASSERT_TRUE(doc.read(text));
    EXPECT_EQ(doc.gpsCount(), 3);
    EXPECT_NEAR(doc.gpsRecord(2).sqrtA, 5153.625977, 1e-9);
}

TEST(YumaReading, ValuesThatAreNoNumbersOrDoNotFitLeaveTheRecordOut) {
    std::vector<std::string> bad = {
        replaceAll(record(2), "1.028537750e-02", "abc"),
        replaceAll(record(2), "1.028537750e-02", "1e39"),  // beyond single range
        replaceAll(record(2), "5.153625977e+03", "1e999"), // infinite
        record(2, "1e30"),
        record(2, "604800"),
        record(2, "-5"),
        record(2, "4.055040000e+05", "40000"),
        replaceAll(record(2), "Health:                      000", "Health: 70000"),
        replaceAll(record(2), "5.153625977e+03", "5153.6x"),
        replaceAll(record(2), "5.153625977e+03", "nan"),
    };
    for (const std::string& b : bad) {
        AlmanacDocument doc(kToday);
        ASSERT_TRUE(doc.read(record(1) + b)) << b;
        EXPECT_EQ(doc.gpsCount(), 1) << b;
        EXPECT_FALSE(doc.gpsPresent(1)) << b;
    }
    // The published exponent style and a bare integer TOA are numbers.
    AlmanacDocument doc(kToday);
    ASSERT_TRUE(doc.read(record(1, "405504") +
                         replaceAll(record(2), "1.028537750e-02", "0.1028537750E-001")));
    EXPECT_EQ(doc.gpsCount(), 2);
}

TEST(YumaReading, UnusableTextsFailAndCountOnlyPresentSlots) {
    AlmanacDocument doc(kToday);
    EXPECT_FALSE(doc.read(""));
    EXPECT_FALSE(doc.read("no almanac here\r\n"));
    EXPECT_FALSE(doc.read(record(33)));                // PRN outside the table
    EXPECT_FALSE(doc.read(record(5, "0", "0000")));    // week and TOA both 0
    EXPECT_FALSE(doc.read(std::string(5000, '\xff'))); // garbage
    ASSERT_TRUE(doc.read(record(5) + record(5) + record(33)));
    EXPECT_EQ(doc.gpsCount(), 1); // a duplicate is one slot, ID 33 nothing
}

TEST(YumaReading, DecimalSyntax) {
    double v = 0;
    for (const char* good : {"0", "-1", "+2.5", ".5", "5.", "1E-001", "-0.1091393642E-010"})
        EXPECT_TRUE(parseDecimal(good, v)) << good;
    for (const char* bad : {"", "-", ".", "1e", "1e+", "0x10", "1,5", "inf", "nan", "1.2.3", "1 "})
        EXPECT_FALSE(parseDecimal(bad, v)) << bad;
    ASSERT_TRUE(parseDecimal("-0.1091393642E-010", v));
    EXPECT_DOUBLE_EQ(v, -0.1091393642e-10);
}
