#include "app/core/number_format.h"

#include "base/text.h"

#include <cmath>

namespace trix::app {

std::string formatWhole(unsigned long long value, const NumberFormat& f) {
    std::string digits = cformat("%llu", value);
    if (f.grouping <= 0 || f.thousandsSeparator.empty())
        return digits;
    std::string out;
    const auto g = static_cast<std::size_t>(f.grouping);
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % g == 0)
            out += f.thousandsSeparator;
        out += digits[i];
    }
    return out;
}

std::string formatByteCount(double bytes, const NumberFormat& f) {
    if (!(bytes > 0.0)) // negative estimates and NaN show as nothing left
        bytes = 0.0;
    if (bytes < 1024.0)
        return cformat("%s %s", formatWhole(static_cast<unsigned long long>(bytes), f).c_str(),
                       "B");
    const char* unit = "KB";
    double scaled = bytes / 1024.0;
    if (bytes >= 1073741824.0) {
        unit = "GB";
        scaled = bytes / 1073741824.0;
    } else if (bytes >= 1048576.0) {
        unit = "MB";
        scaled = bytes / 1048576.0;
    }
    double whole = std::floor(scaled);
    auto hundredths = static_cast<unsigned>((scaled - whole) * 100.0);
    if (hundredths > 99)
        hundredths = 99;
    return cformat("%s%s%02u %s", formatWhole(static_cast<unsigned long long>(whole), f).c_str(),
                   f.decimalSeparator.c_str(), hundredths, unit);
}

} // namespace trix::app
