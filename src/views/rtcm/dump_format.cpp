#include "views/rtcm/dump_format.h"

#include "base/text.h"

#include <cmath>

namespace trix::dgps {

std::string dumpReal(double v) {
    if (std::isnan(v))
        return "nan";
    if (std::isinf(v))
        return v > 0 ? "inf" : "-inf";
    return cformat("%.9f", v);
}

std::string dumpTime(double v) {
    if (!std::isfinite(v))
        return dumpReal(v);
    return cformat("%.2f", v);
}

std::string dumpInt(long v) {
    return cformat("%ld", v);
}

char dumpMark(char c) {
    return c == ' ' ? '.' : c;
}

void dumpLine(std::string& out, std::string_view key, std::string_view value) {
    out.append(key);
    out += '=';
    out.append(value);
    out += '\n';
}

} // namespace trix::dgps
