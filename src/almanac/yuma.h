#pragma once
// Yuma almanac text: the 14 lines of one record, and reading records out of a text.

#include "almanac/records.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace trix::almanac {

inline constexpr int kRecordLines = 14;
using RecordLines = std::array<std::string, kRecordLines>;

// The lines of a GPS record for PRN slot + 1.
RecordLines gpsLines(const KeplerAlmanac& k, int slot);
// The lines of a GLONASS record (already in Kepler form) of orbital slot slot + 1 with SV `sv`.
RecordLines glonassLines(const KeplerAlmanac& k, int slot, unsigned sv);

// One record taken from text: the constellation by its header, the ID as read, and the Kepler
// form with the single-precision fields already rounded.
struct TextRecord {
    bool gps = true;
    long id = 0;
    KeplerAlmanac kepler;
};

// Every well-formed record of `text`. A line beginning with "*" starts a record, taken only
// when exactly 13 counted lines (beginning with a letter in "A".."z" and holding a blank)
// follow before the next header or the end, and when every value is a number within its
// field. Lines end at CR LF, LF or CR; trailing blanks and tabs are dropped. Records whose
// week and time of applicability are both 0 are left out too.
std::vector<TextRecord> readYuma(std::string_view text);

// Strict decimal number: optional sign, digits with an optional point (at least one digit),
// optional exponent. False for anything else.
bool parseDecimal(std::string_view text, double& value);

} // namespace trix::almanac
