#include "almanac/calendar.h"

#include <cmath>
#include <ctime>
#include <limits>

namespace trix::almanac {
namespace {

// Days from 1 January 1970 of a proleptic Gregorian date.
long long daysFromCivil(long long y, unsigned m, unsigned d) {
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

constexpr long long kGpsEpochUnixDay = 3657; // 6 January 1980

long long floorDiv(long long a, long long b) {
    long long q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return q;
}

} // namespace

long gpsDayOfDate(int year, int month, int day) {
    return static_cast<long>(
        daysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) -
        kGpsEpochUnixDay);
}

long currentGpsDay() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return gpsDayOfDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

double cycleBaseOfDay(double gpsDay) {
    return std::floor((gpsDay + 5.0) / 1461.0) * 1461.0 - 6.0;
}

double cycleBaseForDayNumber(std::int32_t n, long today) {
    // The latest k with 1461 k - 6 + n <= today + 7.
    return std::floor((static_cast<double>(today) + 13.0 - n) / 1461.0) * 1461.0 - 6.0;
}

long resolveWeek(long week, long today) {
    if (week < 0 || week >= 1024)
        return week;
    const long latestWeek = (today + 7) / 7;
    if (latestWeek < week)
        return week;
    return week + (latestWeek - week) / 1024 * 1024;
}

NameDate nameDate(long week, long long seconds) {
    const long long mjd = static_cast<long long>(week) * 7 + floorDiv(seconds, 86400) + 44244;
    const long long d = mjd - 15385; // days since 1 January 1901
    const long long c = d / 1461;
    const long long r = d - 1461 * c;
    const long long y = r / 365 - r / 1460;
    long long year = 1901 + 4 * c + y;
    NameDate out;
    out.dayOfYear = static_cast<long>(r - 365 * y + 1);
    if (year > 1900)
        year -= 1900;
    if (year >= 100)
        year -= 100;
    out.year2 = static_cast<long>(year);
    return out;
}

std::int32_t saturateInt(double v) {
    if (std::isnan(v))
        return 0;
    if (v >= 2147483647.0)
        return std::numeric_limits<std::int32_t>::max();
    if (v <= -2147483648.0)
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(v);
}

std::int16_t saturateShort(double v) {
    if (std::isnan(v))
        return 0;
    if (v >= 32767.0)
        return 32767;
    if (v <= -32768.0)
        return -32768;
    return static_cast<std::int16_t>(v);
}

} // namespace trix::almanac
