#pragma once
// Number and text conventions of the headless dumps of the DGPS windows.

#include <optional>
#include <string>
#include <string_view>

namespace trix::dgps {

inline constexpr const char* kNotSet = "n/a";

// "%.9f"; nan, inf and -inf as such.
std::string dumpReal(double v);
// "%.2f" for times.
std::string dumpTime(double v);
std::string dumpInt(long v);
// A mark, sign or hemisphere: '.' stands for a blank.
char dumpMark(char c);

template <class T, class F> std::string dumpOptional(const std::optional<T>& v, F format) {
    return v ? format(*v) : std::string(kNotSet);
}

// One "key=value" line.
void dumpLine(std::string& out, std::string_view key, std::string_view value);

} // namespace trix::dgps
