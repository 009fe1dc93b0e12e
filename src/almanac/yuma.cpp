#include "almanac/yuma.h"

#include "almanac/glonass.h"
#include "base/strings.h"
#include "base/text.h"

#include <cmath>

namespace trix::almanac {
namespace {

constexpr double kPiListing = 3.1415926535898;
constexpr double kInversePi = 0.31830988618378997;

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trimRight(std::string_view s) {
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

RecordLines bodyLines(const KeplerAlmanac& k) {
    RecordLines l;
    l[2] = cformat(str::kAlmanacLineHealth, static_cast<int>(k.health));
    l[3] = cformat(str::kAlmanacLineEccentricity, static_cast<double>(k.eccentricity));
    l[4] = cformat(str::kAlmanacLineToa, static_cast<double>(k.toa));
    l[5] = cformat(str::kAlmanacLineInclination, static_cast<double>(k.inclination) * kPiListing);
    l[6] = cformat(str::kAlmanacLineRate, static_cast<double>(k.rate) * kPiListing);
    l[7] = cformat(str::kAlmanacLineSqrtA, k.sqrtA);
    l[8] = cformat(str::kAlmanacLineRightAscension, k.rightAscension * kPiListing);
    l[9] = cformat(str::kAlmanacLinePerigee, k.perigee * kPiListing);
    l[10] = cformat(str::kAlmanacLineMeanAnomaly, k.meanAnomaly * kPiListing);
    l[11] = cformat(str::kAlmanacLineAf0, static_cast<double>(k.af0));
    l[12] = cformat(str::kAlmanacLineAf1, static_cast<double>(k.af1));
    l[13] = cformat(str::kAlmanacLineWeek, static_cast<int>(k.week));
    return l;
}

// The value of a counted line: the text after its last blank.
std::string_view valueOf(std::string_view line) {
    std::size_t at = line.find_last_of(" \t");
    return line.substr(at + 1);
}

bool parseWhole(std::string_view text, double lo, double hi, double& value) {
    if (!parseDecimal(text, value))
        return false;
    value = std::trunc(value);
    return inRange(value, lo, hi);
}

bool parseSingle(std::string_view text, double scale, float& out) {
    double v = 0;
    if (!parseDecimal(text, v))
        return false;
    v *= scale;
    if (!fitsSingle(v))
        return false;
    out = static_cast<float>(v);
    return true;
}

bool parseDouble(std::string_view text, double scale, double& out) {
    double v = 0;
    if (!parseDecimal(text, v))
        return false;
    out = v * scale;
    return std::isfinite(out);
}

// The 14 counted lines of one record (header first) into a record; false when a value does
// not fit.
bool parseRecord(const std::vector<std::string_view>& lines, TextRecord& r) {
    r.gps = lines[0].find("PRN") != std::string_view::npos;
    double id = 0, health = 0, toa = 0, week = 0;
    KeplerAlmanac& k = r.kepler;
    if (!parseWhole(valueOf(lines[1]), -2147483648.0, 2147483647.0, id) ||
        !parseWhole(valueOf(lines[2]), -32768.0, 32767.0, health) ||
        !parseSingle(valueOf(lines[3]), 1.0, k.eccentricity) ||
        !parseDecimal(valueOf(lines[4]), toa) || !(toa > -1.0 && toa < 604800.0) ||
        !parseSingle(valueOf(lines[5]), kInversePi, k.inclination) ||
        !parseSingle(valueOf(lines[6]), kInversePi, k.rate) ||
        !parseDouble(valueOf(lines[7]), 1.0, k.sqrtA) ||
        !parseDouble(valueOf(lines[8]), kInversePi, k.rightAscension) ||
        !parseDouble(valueOf(lines[9]), kInversePi, k.perigee) ||
        !parseDouble(valueOf(lines[10]), kInversePi, k.meanAnomaly) ||
        !parseSingle(valueOf(lines[11]), 1.0, k.af0) ||
        !parseSingle(valueOf(lines[12]), 1.0, k.af1) ||
        !parseWhole(valueOf(lines[13]), 0.0, 32767.0, week))
        return false;
    r.id = static_cast<long>(id);
    k.health = static_cast<std::int16_t>(health);
    k.toa = static_cast<std::int32_t>(toa);
    k.week = static_cast<std::int16_t>(week);
    k.weekMod = static_cast<std::uint16_t>(k.week % 256);
    k.timeOfWeek = 0;
    k.word68 = 0;
    return k.present();
}

} // namespace

RecordLines gpsLines(const KeplerAlmanac& k, int slot) {
    RecordLines l = bodyLines(k);
    l[0] = cformat(str::kAlmanacHeaderGps, static_cast<int>(k.week), slot + 1);
    l[1] = cformat(str::kAlmanacLineId, slot + 1);
    return l;
}

RecordLines glonassLines(const KeplerAlmanac& k, int slot, unsigned sv) {
    RecordLines l = bodyLines(k);
    l[0] = cformat(str::kAlmanacHeaderGlonass, static_cast<int>(k.week), static_cast<int>(sv),
                   slot + 1);
    l[1] = cformat(str::kAlmanacLineId, slot + 1) + cformat("%02d", static_cast<int>(sv));
    return l;
}

bool parseDecimal(std::string_view text, double& value) {
    std::size_t i = 0;
    const std::size_t n = text.size();
    if (i < n && (text[i] == '+' || text[i] == '-'))
        ++i;
    std::size_t digits = 0;
    while (i < n && text[i] >= '0' && text[i] <= '9') {
        ++i;
        ++digits;
    }
    if (i < n && text[i] == '.') {
        ++i;
        while (i < n && text[i] >= '0' && text[i] <= '9') {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return false;
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < n && (text[i] == '+' || text[i] == '-'))
            ++i;
        std::size_t expDigits = 0;
        while (i < n && text[i] >= '0' && text[i] <= '9') {
            ++i;
            ++expDigits;
        }
        if (expDigits == 0)
            return false;
    }
    if (i != n)
        return false;
    value = parseReal(text);
    return true;
}

std::vector<TextRecord> readYuma(std::string_view text) {
    std::vector<TextRecord> out;
    std::vector<std::string_view> pending; // header and counted lines of the open record
    bool open = false;
    auto close = [&] {
        if (open && pending.size() == kRecordLines) {
            TextRecord r;
            if (parseRecord(pending, r)) {
                if (!r.gps)
                    r.kepler.word58 = static_cast<std::uint16_t>(r.id % 100);
                else
                    r.kepler.word58 = 0x3F00;
                out.push_back(r);
            }
        }
        pending.clear();
        open = false;
    };
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = text.find_first_of("\r\n", at);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = trimRight(text.substr(at, end - at));
        at = end;
        if (at < text.size() && text[at] == '\r')
            ++at;
        if (at < text.size() && text[at] == '\n' && (at == end || text[at - 1] == '\r'))
            ++at;
        if (line.empty())
            continue;
        const char c = line.front();
        if (c == '*') {
            close();
            open = true;
            pending.push_back(line);
            continue;
        }
        if (!open || c < 'A' || c > 'z' || line.find_first_of(" \t") == std::string_view::npos)
            continue;
        pending.push_back(line);
    }
    close();
    return out;
}

} // namespace trix::almanac
