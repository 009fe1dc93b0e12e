#include "views/rtk/rtk_table.h"

#include "base/strings.h"
#include "base/text.h"
#include "decode/geo.h"
#include "views/rtk/rtk_parser.h"

#include <cmath>

namespace trix::rtk {
namespace {

bool isSet(const ValueEntry& v) {
    return !v.code.empty();
}

TableRow real(const char* label, const ValueEntry& v) {
    if (!isSet(v))
        return {label, {}, {}, {}};
    return {label, cformat("% .4f", v.value), v.unit, v.code};
}

TableRow whole(const char* label, const ValueEntry& v) {
    if (!isSet(v))
        return {label, {}, {}, {}};
    const double x = std::isfinite(v.value) ? v.value : 0.0;
    return {label, cformat("% ld", static_cast<long>(x)), v.unit, v.code};
}

template <std::size_t N> std::string named(const char* const (&names)[N], double v, int offset) {
    if (!std::isfinite(v))
        return {};
    const long i = std::lround(v) + offset;
    if (i < 0 || i >= static_cast<long>(N))
        return {};
    return names[i];
}

} // namespace

std::string ambiguityText(double v) {
    return named(str::kRtkAmbiguityNames, v, 1);
}

std::string basePositionText(double v) {
    return named(str::kRtkBaseNames, v, 1);
}

std::vector<TableRow> periodicRows(const RtkData& d, int modelIndex) {
    std::vector<TableRow> rows;
    TableRow utc{str::kRtkUtcTime, {}, {}, {}};
    if (d.hasTime() && !d.timeCode.empty()) {
        const TimeParts p = splitTime(d.utcTime);
        utc.value = cformat(str::kRtkUtcTimeFormat, p.hours, p.minutes, p.seconds);
        utc.code = d.timeCode;
    }
    rows.push_back(utc);
    rows.push_back(whole(str::kRtkUsedSvs, d.values[UsedSatellites]));
    const auto& labels =
        reportsBaseline(modelIndex) ? str::kRtkBaselineRows : str::kRtkPositionRows;
    for (int i = 0; i < 6; ++i)
        rows.push_back(real(labels[i], d.values[static_cast<std::size_t>(Component1 + i)]));
    const int velocity[] = {VelocityX,    VelocityRmsX, VelocityY,
                            VelocityRmsY, VelocityZ,    VelocityRmsZ};
    for (int i = 0; i < 6; ++i)
        rows.push_back(
            real(str::kRtkVelocityRows[i], d.values[static_cast<std::size_t>(velocity[i])]));
    rows.push_back(whole(str::kRtkLatency, d.values[Latency]));
    rows.push_back(whole(str::kRtkBasedSvs, d.values[BaseSatellites]));
    rows.push_back(whole(str::kRtkRoverSvs, d.values[RoverSatellites]));
    const ValueEntry& amb = d.values[Ambiguity];
    rows.push_back(
        {str::kRtkStatus, isSet(amb) ? ambiguityText(amb.value) : std::string(), {}, amb.code});
    const ValueEntry& base = d.values[BasePosition];
    rows.push_back({str::kRtkBasePosition,
                    isSet(base) ? basePositionText(base.value) : std::string(),
                    {},
                    base.code});
    return rows;
}

std::vector<TableRow> updateRows(const RtkData& d) {
    std::vector<TableRow> rows;
    const int mode = d.mode >= 0 && d.mode <= 4 ? d.mode : 0;
    rows.push_back({str::kRtkCpdMode, str::kRtkModeNames[mode], {}, "CPD"});
    TableRow sync{str::kRtkSync, {}, {}, {}};
    if (d.linkSign != ' ') {
        sync.value = std::string(1, d.linkSign);
        sync.code = "DLK";
    }
    rows.push_back(sync);
    rows.push_back(real(str::kRtkQa, d.values[LinkQuality]));
    rows.push_back(whole(str::kRtkBpsAge, d.values[BaseAge]));
    rows.push_back(whole(str::kRtkLatency, d.values[Latency]));
    rows.push_back(whole(str::kRtkBaseSvs, d.values[BaseSatellites]));
    rows.push_back(whole(str::kRtkRoverSvs, d.values[RoverSatellites]));
    const ValueEntry& base = d.values[BasePosition];
    rows.push_back({str::kRtkBasePosition,
                    isSet(base) ? basePositionText(base.value) : std::string(),
                    {},
                    base.code});
    const ValueEntry& amb = d.values[Ambiguity];
    rows.push_back({str::kRtkAmbiguityFix,
                    isSet(amb) ? ambiguityText(amb.value) : std::string(),
                    {},
                    amb.code});
    return rows;
}

std::vector<std::string> warningLines(const RtkData& d) {
    std::vector<std::string> lines;
    if (d.warnings[BaseL1] && d.warnings[BaseL2])
        lines.push_back(str::kBaseWarningL1L2);
    else if (d.warnings[BaseL1])
        lines.push_back(str::kBaseWarningL1);
    else if (d.warnings[BaseL2])
        lines.push_back(str::kBaseWarningL2);
    if (d.warnings[RoverL1])
        lines.push_back(str::kRoverWarningL1);
    if (d.warnings[RoverL2])
        lines.push_back(str::kRoverWarningL2);
    return lines;
}

} // namespace trix::rtk
