#pragma once
// The user's number format for counts meant for a person's eyes (byte counts, free space).
// Data never passes through here.

#include <string>

namespace trix::app {

struct NumberFormat {
    std::string decimalSeparator = ".";
    std::string thousandsSeparator = ",";
    int grouping = 3; // digits per group; 0: no grouping
};

// A whole number with the user's thousands separators.
std::string formatWhole(unsigned long long value, const NumberFormat& f);

// Bytes as "123 B", or "1,234.56 KB" / "MB" / "GB": whole part grouped, the user's decimal
// separator and two digits of the fraction, truncated.
std::string formatByteCount(double bytes, const NumberFormat& f);

} // namespace trix::app
