#pragma once
// The texts of the RTK window's two tables and its warning lines, from one snapshot.

#include "views/rtk/rtk_data.h"

#include <string>
#include <vector>

namespace trix::rtk {

struct TableRow {
    std::string label;
    std::string value; // empty, with unit and code, while the value was never set
    std::string unit;
    std::string code;
};

// "Periodic data": UTC time, satellites, position (or baseline for the baseline model) and
// velocity with their RMS values, latency, satellite counts, status and base position.
std::vector<TableRow> periodicRows(const RtkData& d, int modelIndex);
// "Update data": CPD mode, data-link sign, quality, base position age, latency, satellite
// counts, base position and ambiguity.
std::vector<TableRow> updateRows(const RtkData& d);
// The warning lines of the base and rover flags.
std::vector<std::string> warningLines(const RtkData& d);

// The name of the ambiguity value (n/a, Float, Fixed) and of the base-position value.
std::string ambiguityText(double v);
std::string basePositionText(double v);

} // namespace trix::rtk
