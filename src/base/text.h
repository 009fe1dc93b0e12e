#pragma once
// Locale-independent number reading and formatting.
//
// The GUI sets the process locale from the environment, under which atof and printf would
// read and write decimal commas. Every number that goes to or comes from a receiver, a log
// or a report file passes through these functions instead.

#include <cstdint>
#include <string>
#include <string_view>

namespace trix {

// atof semantics: leading blanks skipped, the longest valid prefix is read, an empty or
// unreadable text gives 0. "nan" and "inf" are read as such; callers range-check with
// inRange(), which no NaN passes.
double parseReal(std::string_view text);

// atoi semantics (leading blanks, optional sign, digits up to the first non-digit); the value
// saturates at the limits of long instead of overflowing.
long parseInteger(std::string_view text);

// "%x" semantics: leading blanks, optional "0x", hexadecimal digits; false when none is read.
bool parseHex(std::string_view text, unsigned long& value);

// printf with the "C" locale whatever the process locale is.
std::string cformat(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Appends v as printf's "%.<precision>f" would in the "C" locale (exact value, ties to even),
// without printf's cost; for tables of many rows.
void appendFixed(std::string& out, double v, int precision);

// Inclusive range check that NaN never passes.
inline bool inRange(double v, double lo, double hi) {
    return v >= lo && v <= hi;
}

// Lower-cases ASCII letters only; other bytes are left as they are.
std::string asciiLower(std::string_view text);

} // namespace trix
