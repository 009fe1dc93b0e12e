// GLONASS records: listings against hand-worked records, the leap cycle of each record, the
// way back from text, and the normalisation of angles.

#include "almanac/almanac_document.h"
#include "almanac/calendar.h"
#include "almanac/glonass.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace trix::almanac;

namespace {

const long kToday = gpsDayOfDate(2026, 12, 8);

GlonassAlmanac sample(std::int32_t day = 1000) {
    GlonassAlmanac g;
    g.sv = 5;
    g.healthFlag = 1;
    g.eccentricity = 0.0012f;
    g.day = day;
    g.inclinationCorrection = 0.0102f;
    g.longitude = -0.4321f;
    g.nodeTime = 33012.5f;
    g.perigee = 0.6123f;
    g.periodCorrection = -2655.875f;
    g.spare = 1.5f;
    g.clock = -1.2e-5f;
    return g;
}

std::string table(int slot, const GlonassAlmanac& g) {
    std::string image(kGlonassTableSize, '\0');
    GlonassBytes b = encode(g);
    image.replace(static_cast<std::size_t>(slot) * kGlonassRecordSize, b.size(),
                  reinterpret_cast<const char*>(b.data()), b.size());
    return image;
}

double loopNormalize(double v) {
    while (v > 1)
        v -= 2;
    while (v <= -1)
        v += 2;
    return v;
}

} // namespace

TEST(GlonassListing, HandWorkedRecord) {
    AlmanacDocument doc(kToday);
    ASSERT_TRUE(doc.read(table(2, sample())));
    EXPECT_EQ(doc.glonassCount(), 1);
    EXPECT_EQ(doc.glonassBase(2), 16065.0); // the cycle 2024-2027
    auto lines = doc.recordLines(Constellation::Glonass, 2);
    ASSERT_TRUE(lines);
    const RecordLines expected = {
        "**** Week 2437 almanac for SV-05, slot 03 **",
        "ID:                          00305",
        "Health:                      000",
        "Eccentricity:                1.200000057e-03",
        "Time of Applicability(s):    5.406120000e+05",
        "Orbital Inclination(rad):    1.131601636e+00",
        "Rate of Right Ascen(r/s):   -6.714646321e-09",
        "SQRT(A) (m^1/2):             5.050553589e+03",
        "Right Ascen at TOA(rad):     3.654919751e-01",
        "Argument of Perigee(rad):    1.923597115e+00",
        "Mean Anom(rad):             -1.921344234e+00",
        "Af0(s):                      1.200000042e-05",
        "Af1(s/s):                    0.000000000e+00",
        "week:                        2437",
    };
    EXPECT_EQ(*lines, expected);
    // A health flag other than 1 lists as unhealthy.
    GlonassAlmanac sick = sample();
    sick.healthFlag = 7;
    ASSERT_TRUE(doc.read(table(0, sick)));
    EXPECT_EQ((*doc.recordLines(Constellation::Glonass, 0))[2], "Health:                      001");
}

TEST(GlonassListing, DayNumbersOfBinaryRecordsAreDatedNoLaterThanAWeekAfterToday) {
    // Day 1 of the 2024 cycle is 1 January 2024; day 1450 is in December 2027, so a binary
    // record with day 1450 is taken from the cycle before: December 2023.
    EXPECT_EQ(cycleBaseForDayNumber(1450, kToday), 16065.0 - 1461.0);
    EXPECT_EQ(cycleBaseForDayNumber(1070, kToday), 16065.0);        // 5 December 2026
    EXPECT_EQ(cycleBaseForDayNumber(1081, kToday), 16065.0 - 1461); // eight days ahead
    EXPECT_EQ(cycleBaseForDayNumber(1080, kToday), 16065.0);        // seven days ahead
    // A record from another leap cycle's Yuma text keeps its own cycle: week 1500 (2008).
    AlmanacDocument doc(kToday);
    ASSERT_TRUE(doc.read(table(0, sample())));
    std::string text = doc.yumaText();
    const std::string from = "Week 2437", to = "Week 1500";
    text.replace(text.find(from), from.size(), to);
    text.replace(text.find("2437\r\n"), 4, "1500");
    AlmanacDocument old(kToday);
    ASSERT_TRUE(old.read(text));
    const GlonassAlmanac g = old.glonassRecord(0);
    EXPECT_GE(g.day, 1);
    EXPECT_LE(g.day, 1461);
    EXPECT_EQ(old.glonassBase(0), cycleBaseOfDay(1500 * 7.0));
    EXPECT_EQ((*old.recordLines(Constellation::Glonass, 0))[13],
              "week:                        1500");
}

TEST(GlonassText, WrittenAndReadBackKeepsSlotSvDayAndWholeSecondNodeTime) {
    AlmanacDocument doc(kToday);
    GlonassAlmanac g = sample();
    g.healthFlag = 9;
    ASSERT_TRUE(doc.read(table(2, g)));
    AlmanacDocument back(kToday);
    ASSERT_TRUE(back.read(doc.yumaText()));
    ASSERT_EQ(back.glonassCount(), 1);
    ASSERT_TRUE(back.glonassPresent(2));
    const GlonassAlmanac r = back.glonassRecord(2);
    EXPECT_EQ(r.sv, 5);
    EXPECT_EQ(r.day, 1000);
    EXPECT_EQ(r.nodeTime, 33012.0f); // the TOA was printed in whole seconds
    EXPECT_EQ(r.healthFlag, 0);
    EXPECT_EQ(r.spare, 0.0f);
    EXPECT_NEAR(r.eccentricity, g.eccentricity, 1e-9);
    EXPECT_NEAR(r.inclinationCorrection, g.inclinationCorrection, 1e-7);
    // The node passage at half a second listed a TOA truncated to the second: the node
    // longitude comes back half a second of Earth rotation off.
    EXPECT_NEAR(r.longitude, g.longitude, 0.5 * 2.3211523423851732e-5 + 1e-7);
    EXPECT_NEAR(r.perigee, g.perigee, 1e-7);
    EXPECT_NEAR(r.periodCorrection, g.periodCorrection, 1e-3);
    EXPECT_NEAR(r.clock, g.clock, 1e-12);
    EXPECT_EQ(back.glonassBase(2), 16065.0);
}

TEST(GlonassText, ResultsBeyondSinglePrecisionLeaveTheRecordOut) {
    KeplerAlmanac k;
    k.week = 2437;
    k.toa = 1000;
    k.sqrtA = 1e200; // the period correction does not fit a float
    EXPECT_FALSE(keplerToGlonass(k));
    k.sqrtA = 5050.0;
    EXPECT_TRUE(keplerToGlonass(k));
    k.week = 0;
    k.toa = 0;
    EXPECT_FALSE(keplerToGlonass(k));
}

TEST(Normalisation, OneStepEqualsSteppingByTwoAndEndsForHugeValues) {
    for (double v : {0.0, -0.0, 1.0, -1.0, 1.5, -1.5, 3.0, -3.0, 2.9999999999999996, 7.25,
                     -1234.5678, 1e6 + 0.1, 123456.789e3, -9.99e7, 0.3})
        EXPECT_EQ(std::bit_cast<std::uint64_t>(normalizeSemicircles(v)),
                  std::bit_cast<std::uint64_t>(loopNormalize(v)))
            << v;
    const double r = normalizeSemicircles(1e300);
    EXPECT_TRUE(r > -1 && r <= 1);
    EXPECT_TRUE(std::isinf(normalizeSemicircles(std::numeric_limits<double>::infinity())));
    EXPECT_TRUE(std::isnan(normalizeSemicircles(std::nan(""))));
}

TEST(Normalisation, HugeAndNonFiniteAnglesInABinaryTableList) {
    GlonassAlmanac g = sample();
    g.longitude = 3e38f;
    g.perigee = std::numeric_limits<float>::infinity();
    g.nodeTime = std::numeric_limits<float>::quiet_NaN();
    AlmanacDocument doc(kToday);
    ASSERT_TRUE(doc.read(table(0, g)));
    auto lines = doc.recordLines(Constellation::Glonass, 0);
    ASSERT_TRUE(lines);
    EXPECT_EQ((*lines)[4], "Time of Applicability(s):    0.000000000e+00"); // NaN -> 0
    EXPECT_EQ((*lines)[9], "Argument of Perigee(rad):                inf");
}

TEST(Saturation, DoubleToIntegerConversions) {
    EXPECT_EQ(saturateInt(1e30), 2147483647);
    EXPECT_EQ(saturateInt(-1e30), -2147483647 - 1);
    EXPECT_EQ(saturateInt(std::nan("")), 0);
    EXPECT_EQ(saturateInt(-3.7), -3);
    EXPECT_EQ(saturateShort(1e9), 32767);
    EXPECT_EQ(saturateShort(-40000), -32768);
}
