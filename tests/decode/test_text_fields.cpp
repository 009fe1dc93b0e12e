#include "decode/fields.h"
#include "decode/text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>

using namespace trix;

TEST(Numbers, RealReadsLikeAtofWithoutLocale) {
    EXPECT_DOUBLE_EQ(parseReal("4807.038"), 4807.038);
    EXPECT_DOUBLE_EQ(parseReal("  -00.3xyz"), -0.3);
    EXPECT_DOUBLE_EQ(parseReal("+12"), 12.0);
    EXPECT_DOUBLE_EQ(parseReal(""), 0.0);
    EXPECT_DOUBLE_EQ(parseReal("abc"), 0.0);
    EXPECT_DOUBLE_EQ(parseReal("1.5*4F"), 1.5);
    EXPECT_DOUBLE_EQ(parseReal("--3"), 0.0);
    EXPECT_TRUE(std::isnan(parseReal("nan")));
    EXPECT_TRUE(std::isinf(parseReal("1e999")));
    EXPECT_DOUBLE_EQ(parseReal("1e-999"), 0.0);
}

TEST(Numbers, NanNeverPassesARangeCheck) {
    EXPECT_FALSE(inRange(parseReal("nan"), -1e300, 1e300));
    EXPECT_FALSE(inRange(parseReal("-nan"), 0, 100));
    EXPECT_TRUE(inRange(0.0, 0, 0));
}

TEST(Numbers, IntegerReadsLikeAtoiAndSaturates) {
    EXPECT_EQ(parseInteger("08"), 8);
    EXPECT_EQ(parseInteger(" -17abc"), -17);
    EXPECT_EQ(parseInteger(""), 0);
    EXPECT_EQ(parseInteger("12.9"), 12);
    EXPECT_EQ(parseInteger("99999999999999999999999"), LONG_MAX);
    EXPECT_EQ(parseInteger("-99999999999999999999999"), LONG_MIN);
}

TEST(Numbers, HexReadsLikePercentX) {
    unsigned long v = 0;
    EXPECT_TRUE(parseHex("4F", v));
    EXPECT_EQ(v, 0x4Fu);
    EXPECT_TRUE(parseHex("0x1a\r", v));
    EXPECT_EQ(v, 0x1Au);
    EXPECT_FALSE(parseHex("zz", v));
    EXPECT_FALSE(parseHex("", v));
}

TEST(Numbers, FormattingIgnoresTheProcessLocale) {
    // A locale with a decimal comma, when the machine has one; the C locale otherwise.
    const char* chosen = std::setlocale(LC_ALL, "de_DE.UTF-8");
    EXPECT_EQ(cformat("%.3f", 1.5), "1.500");
    EXPECT_EQ(cformat("%s-%d", "x", 7), "x-7");
    std::string longText(1000, 'a');
    EXPECT_EQ(cformat("%s", longText.c_str()), longText);
    if (chosen)
        std::setlocale(LC_ALL, "C");
}

TEST(FieldScanner, ReadsFieldsAndStopsAtTheLastPermittedIndex) {
    std::string_view s = "$GPXXX,1,22,,abc*5A";
    FieldScanner f(s, 7, static_cast<std::ptrdiff_t>(s.size()) - 1);
    EXPECT_EQ(f.next().value(), "1");
    EXPECT_EQ(f.next().value(), "22");
    EXPECT_EQ(f.next().value(), "");
    EXPECT_FALSE(f.next().has_value()) << "no comma after abc";
    FieldScanner g(s, 7, static_cast<std::ptrdiff_t>(s.size()) - 1);
    ASSERT_TRUE(g.skip(3));
    EXPECT_EQ(g.next(true).value(), "abc");
    EXPECT_EQ(g.lastDelimiter(), '*');
}

TEST(FieldScanner, NeverReadsOutsideTheSentence) {
    std::string_view s = "$GP";
    FieldScanner f(s, 7, 1000);
    EXPECT_FALSE(f.next().has_value());
    EXPECT_FALSE(f.skip(1));
    FieldScanner g("", 0, -1);
    EXPECT_FALSE(g.next(true).has_value());
    // A delimiter beyond the permitted index does not count.
    std::string_view p = "$PXKTR,SAT,3,4,5*00";
    FieldScanner h(p, 11, static_cast<std::ptrdiff_t>(p.size()) - 3);
    EXPECT_EQ(h.next().value(), "3");
    EXPECT_EQ(h.next().value(), "4");
    EXPECT_EQ(h.next(true).value(), "5");
    EXPECT_FALSE(h.next(true).has_value());
}

TEST(FieldScanner, LastCommaSearch) {
    EXPECT_EQ(lastCommaAtOrBefore("a,b,c", 4), 3u);
    EXPECT_EQ(lastCommaAtOrBefore("a,b,c", 2), 1u);
    EXPECT_EQ(lastCommaAtOrBefore("abc", 10), std::string_view::npos);
    EXPECT_EQ(lastCommaAtOrBefore("", 0), std::string_view::npos);
    EXPECT_EQ(lastCommaAtOrBefore(",", -1), std::string_view::npos);
}
