#include "decode/text.h"

#include <cerrno>
#include <charconv>
#include <climits>
#include <clocale>
#include <cmath>
#include <cstdarg>
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
        if (value > (LONG_MAX - digit) / 10)
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

std::string asciiLower(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

} // namespace trix
