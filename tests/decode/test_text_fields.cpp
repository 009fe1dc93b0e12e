#include "decode/fields.h"
#include "base/text.h"

#include <gtest/gtest.h>

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <string>

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

TEST(Numbers, FastDecimalsReadExactlyAsTheGeneralReader) {
    // Plain decimals take a short path; it must give the very same double.
    std::uint64_t x = 88172645463325252ull;
    for (int i = 0; i < 200000; ++i) {
        x ^= x << 13;
        x ^= x >> 7;
        x ^= x << 17;
        int digits = 1 + static_cast<int>(x % 17);
        std::string text =
            std::to_string(x % 1000000000000000000ull).substr(0, static_cast<std::size_t>(digits));
        std::size_t dot = (x >> 20) % (text.size() + 1);
        text.insert(dot, ".");
        double expected = 0.0;
        std::from_chars(text.data(), text.data() + text.size(), expected);
        ASSERT_EQ(parseReal(text), expected) << text;
    }
    EXPECT_DOUBLE_EQ(parseReal("0.0000000000000000012"), 1.2e-18);
    EXPECT_DOUBLE_EQ(parseReal("12345678901234567890"), 12345678901234567890.0);
    EXPECT_DOUBLE_EQ(parseReal("1.5e3"), 1500.0);
}

TEST(Numbers, AppendFixedMatchesPrintf) {
    std::uint64_t x = 0x9E3779B97F4A7C15ull;
    auto check = [](double v, int p) {
        std::string out;
        appendFixed(out, v, p);
        ASSERT_EQ(out, cformat("%.*f", p, v)) << v << " " << p;
    };
    for (int i = 0; i < 100000; ++i) {
        x ^= x << 13;
        x ^= x >> 7;
        x ^= x << 17;
        double v = static_cast<double>(static_cast<std::int64_t>(x >> 11) - (1ll << 52)) /
                   static_cast<double>(1ull << (x % 50));
        check(v, static_cast<int>(x % 10));
    }
    for (double v :
         {0.0, -0.0, 0.5, 1.5, 2.5, -2.5, 0.125, 1e-30, 123456.785, 9.9999999995, 1e15, 1e300})
        for (int p = 0; p <= 9; ++p)
            check(v, p);
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
