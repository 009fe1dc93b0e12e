#pragma once
// Dates of almanacs: days since the GPS epoch (6 January 1980), the four-year leap cycles in
// which GLONASS day numbers count, ten-bit GPS weeks and the almanac file names.

#include <cstdint>
#include <optional>
#include <string>

namespace trix::almanac {

// Today's local date as days since 6 January 1980.
long currentGpsDay();
// Days since 6 January 1980 of a civil date (month 1-12).
long gpsDayOfDate(int year, int month, int day);

// The day before 1 January of the leap year that opens the cycle holding `gpsDay`, counted
// from the GPS epoch (-6 for the cycle 1980-1983).
double cycleBaseOfDay(double gpsDay);
// The base of the latest cycle in which day number `n` falls at most seven days after
// `today`: records of the receiver or a binary file carry no cycle of their own.
double cycleBaseForDayNumber(std::int32_t n, long today);

// A week as stored; weeks below 1024 (ten-bit weeks) become the latest full week with that
// remainder whose start is at most seven days after `today`.
long resolveWeek(long week, long today);

// The two-digit year and day of year of the date `week`, `seconds` (seconds may exceed a
// week), by the receiver's Modified Julian day rule.
struct NameDate {
    long year2 = 0;
    long dayOfYear = 0;
};
NameDate nameDate(long week, long long seconds);

// Double to int conversions that saturate at the limits and take NaN to 0.
std::int32_t saturateInt(double v);
std::int16_t saturateShort(double v);

} // namespace trix::almanac
