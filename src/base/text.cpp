#include "base/text.h"

#include <cerrno>
#include <charconv>
#include <climits>
#include <clocale>
#include <cmath>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <locale.h>

namespace trix {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

std::string_view skipBlanks(std::string_view t) {
    std::size_t i = 0;
    while (i < t.size() && isBlank(t[i]))
        ++i;
    return t.substr(i);
}

locale_t cLocale() {
    static locale_t loc = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return loc;
}

} // namespace

namespace {

// Plain decimals ("4807.0381", "-00.3") of at most 15 significant digits are exact as a
// mantissa below 2^53 divided by an exact power of ten, and one IEEE division rounds that
// correctly: the same double as the general reader, without its cost. Anything else
// (exponents, longer mantissas, "nan", "inf") takes the general path.
bool fastDecimal(std::string_view t, double& value) {
    static constexpr double kPow10[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    std::uint64_t mantissa = 0;
    int digits = 0;
    int fraction = 0;
    bool seenDot = false;
    bool any = false;
    std::size_t i = 0;
    for (; i < t.size(); ++i) {
        char c = t[i];
        if (c >= '0' && c <= '9') {
            any = true;
            if (mantissa == 0 && c == '0') {
                if (seenDot)
                    ++fraction;
                continue;
            }
            if (++digits > 15)
                return false;
            mantissa = mantissa * 10 + static_cast<std::uint64_t>(c - '0');
            if (seenDot)
                ++fraction;
        } else if (c == '.' && !seenDot) {
            seenDot = true;
        } else {
            break;
        }
    }
    if (!any)
        return false;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E'))
        return false;
    if (fraction > 15)
        return false;
    value = static_cast<double>(mantissa) / kPow10[fraction];
    return true;
}

} // namespace

double parseReal(std::string_view text) {
    std::string_view t = skipBlanks(text);
    bool negative = false;
    if (!t.empty() && (t.front() == '+' || t.front() == '-')) {
        negative = t.front() == '-';
        t.remove_prefix(1);
    }
    // from_chars does not take a sign after the one we removed; a second sign reads as 0.
    if (t.empty() || t.front() == '+' || t.front() == '-')
        return 0.0;
    double value = 0.0;
    if (fastDecimal(t, value))
        return negative ? -value : value;
    auto [ptr, ec] =
        std::from_chars(t.data(), t.data() + t.size(), value, std::chars_format::general);
    if (ec == std::errc::result_out_of_range) {
        // Like strtod: overflow gives infinity, underflow gives 0.
        bool tiny = false;
        for (const char* p = t.data(); p < ptr; ++p) {
            if (*p == 'e' || *p == 'E') {
                tiny = p + 1 < ptr && p[1] == '-';
                break;
            }
        }
        value = tiny ? 0.0 : HUGE_VAL;
    } else if (ec != std::errc()) {
        return 0.0;
    }
    return negative ? -value : value;
}

long parseInteger(std::string_view text) {
    std::string_view t = skipBlanks(text);
    bool negative = false;
    if (!t.empty() && (t.front() == '+' || t.front() == '-')) {
        negative = t.front() == '-';
        t.remove_prefix(1);
    }
    long value = 0;
    for (char c : t) {
        if (c < '0' || c > '9')
            break;
        int digit = c - '0';
        if (value > LONG_MAX / 10 || (value == LONG_MAX / 10 && digit > LONG_MAX % 10))
            return negative ? LONG_MIN : LONG_MAX;
        value = value * 10 + digit;
    }
    return negative ? -value : value;
}

bool parseHex(std::string_view text, unsigned long& value) {
    std::string_view t = skipBlanks(text);
    if (t.size() >= 2 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X'))
        t.remove_prefix(2);
    value = 0;
    bool any = false;
    for (char c : t) {
        int d;
        if (c >= '0' && c <= '9')
            d = c - '0';
        else if (c >= 'a' && c <= 'f')
            d = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            d = c - 'A' + 10;
        else
            break;
        value = (value << 4) | static_cast<unsigned long>(d);
        any = true;
    }
    return any;
}

std::string cformat(const char* format, ...) {
    locale_t previous = uselocale(cLocale());
    char small[256];
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    int n = std::vsnprintf(small, sizeof small, format, args);
    va_end(args);
    std::string out;
    if (n >= 0 && static_cast<std::size_t>(n) < sizeof small) {
        out.assign(small, static_cast<std::size_t>(n));
    } else if (n >= 0) {
        out.resize(static_cast<std::size_t>(n) + 1);
        std::vsnprintf(out.data(), out.size(), format, copy);
        out.resize(static_cast<std::size_t>(n));
    }
    va_end(copy);
    uselocale(previous);
    return out;
}

void appendFixed(std::string& out, double v, int precision) {
    static constexpr std::uint64_t kPow10[] = {1,      10,      100,      1000,      10000,
                                               100000, 1000000, 10000000, 100000000, 1000000000};
    double a = std::fabs(v);
    if (!std::isfinite(v) || precision < 0 || precision > 9 || a >= 1e15) {
        char buf[400];
        auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, precision);
        out.append(buf, r.ptr);
        return;
    }
    __extension__ using u128 = unsigned __int128;
    // a = m * 2^e exactly; a * 10^p = m * 10^p * 2^e, rounded half to even on the exact value.
    int e = 0;
    double frac = std::frexp(a, &e);
    auto m = static_cast<std::uint64_t>(std::ldexp(frac, 53));
    e -= 53;
    u128 n = static_cast<u128>(m) * kPow10[precision];
    u128 q = 0;
    if (e >= 0) {
        q = n << e;
    } else if (-e < 127) {
        int shift = -e;
        q = n >> shift;
        u128 rest = n - (q << shift);
        u128 half = static_cast<u128>(1) << (shift - 1);
        if (rest > half || (rest == half && (q & 1)))
            ++q;
    }
    if (std::signbit(v))
        out += '-';
    auto whole = static_cast<std::uint64_t>(q / kPow10[precision]);
    auto fraction = static_cast<std::uint64_t>(q % kPow10[precision]);
    char buf[32];
    auto r = std::to_chars(buf, buf + sizeof buf, whole);
    out.append(buf, r.ptr);
    if (precision > 0) {
        out += '.';
        char digits[9];
        for (int i = precision - 1; i >= 0; --i) {
            digits[i] = static_cast<char>('0' + fraction % 10);
            fraction /= 10;
        }
        out.append(digits, static_cast<std::size_t>(precision));
    }
}

std::string asciiLower(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

} // namespace trix
