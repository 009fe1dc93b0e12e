// The RTK window's rules for the receiver's CPD answers: data link, information, latency
// parts, base position, ambiguity, latency and fast CPD.

#include "views/rtk/rtk_parser.h"

#include "base/text.h"
#include "decode/fields.h"

#include <cmath>
#include <vector>

namespace trix::rtk {
namespace {

bool has(std::string_view s, std::string_view key) {
    return s.find(key) != std::string_view::npos;
}

// The field that starts after the comma at `comma`, up to the next comma or the end.
std::string_view fieldAfter(std::string_view s, std::size_t comma) {
    const std::size_t start = comma + 1;
    const std::size_t end = s.find(',', start);
    return s.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
}

// The number at `pos` (atoi) and the index after its sign and digits.
long countAt(std::string_view s, std::size_t& pos) {
    const long v = parseInteger(s.substr(pos));
    if (pos < s.size() && (s[pos] == '+' || s[pos] == '-'))
        ++pos;
    while (pos < s.size() && s[pos] >= '0' && s[pos] <= '9')
        ++pos;
    return v;
}

bool isWarningMark(char c) {
    return c == 'C' || c == 'P' || c == '-' || c == '+';
}

} // namespace

RtkParser::Result RtkParser::dataLinkRule(const std::string& u) {
    Result r;
    std::vector<std::size_t> commas;
    for (std::size_t i = 0; i < u.size(); ++i) {
        if (u[i] == ',')
            commas.push_back(i);
    }
    if (commas.size() < 4)
        return r;
    r.handled = true;
    if (!has(fieldAfter(u, commas[2]), "ROV"))
        return r;
    set(LinkQuality, 0.0, data_.values[LinkQuality].unit.c_str(), "");
    set(BaseAge, 0.0, data_.values[BaseAge].unit.c_str(), "");
    const std::size_t n = commas.size();
    set(BaseAge, static_cast<double>(parseInteger(fieldAfter(u, commas[n - 4]))), "sec", "DLK");
    const double quality = parseReal(fieldAfter(u, commas[n - 3]));
    if (std::isfinite(quality))
        set(LinkQuality, quality, "%", "DLK");
    const std::string_view last = fieldAfter(u, commas[n - 1]);
    if (!last.empty() && (last[0] == '+' || last[0] == '-')) {
        data_.linkSign = last[0];
        r.changed = true;
        return r;
    }
    data_.linkSign = ' ';
    r.handled = false;
    return r;
}

RtkParser::Result RtkParser::informationRule(const std::string& u) {
    Result r{true, false};
    if (u.size() > 15) {
        const std::string_view rest = std::string_view(u).substr(15);
        struct Keyword {
            const char* text;
            int mode;
        };
        for (const Keyword k : {Keyword{"OFF", 0}, Keyword{"BAS", 1}, Keyword{"ROV", 2},
                                Keyword{"RBR", 3}, Keyword{"RBB", 4}}) {
            if (has(rest, k.text)) {
                r.changed = k.mode != data_.mode;
                data_.mode = k.mode;
                break;
            }
        }
    }
    if (data_.mode == 0 || u.size() < 20 || u[18] == '*')
        return r;
    const auto oldWarnings = data_.warnings;
    const double oldBase = data_.values[BaseSatellites].value;
    const double oldRover = data_.values[RoverSatellites].value;
    data_.warnings = {};
    std::size_t end = u.find('*');
    if (end == std::string::npos)
        end = u.size();
    std::size_t pos = 19;
    // Groups ",SSW": W marks the satellite's warning. Only whole groups before '*' count.
    auto groups = [&](bool base) {
        while (pos + 4 <= end && u[pos] == ',' && isWarningMark(u[pos + 3])) {
            const char w = u[pos + 3];
            if (w == 'C' || w == '-')
                data_.warnings[base ? BaseL1 : RoverL1] = true;
            if (w == 'P' || w == '-')
                data_.warnings[base ? BaseL2 : RoverL2] = true;
            pos += 4;
        }
    };
    set(BaseSatellites, static_cast<double>(countAt(u, pos)), "", "INF");
    groups(true);
    if (pos < end && u[pos] == ',') {
        ++pos;
        set(RoverSatellites, static_cast<double>(countAt(u, pos)), "", "INF");
        groups(false);
    }
    r.changed = r.changed || oldWarnings != data_.warnings ||
                oldBase != data_.values[BaseSatellites].value ||
                oldRover != data_.values[RoverSatellites].value;
    return r;
}

RtkParser::Result RtkParser::latencyPartsRule(const std::string& u) {
    const std::size_t tfAt = u.find("TF:");
    const std::size_t dlfAt = u.find("DLF:");
    const std::size_t tcAt = u.find("TC:");
    const std::size_t dlcAt = u.find("DLC:");
    if (tfAt == std::string::npos || dlfAt == std::string::npos || tcAt == std::string::npos ||
        dlcAt == std::string::npos)
        return {};
    // Formed anew from each line: the latency never accumulates.
    fastSum_ = parseInteger(u.substr(tfAt + 3)) + parseInteger(u.substr(dlfAt + 4));
    commonSum_ = parseInteger(u.substr(tcAt + 3)) + parseInteger(u.substr(dlcAt + 4));
    return {true, true};
}

RtkParser::Result RtkParser::basePositionRule(const std::string& u) {
    const std::string_view rest = std::string_view(u).substr(u.find("BAS POS USED:") + 13);
    if (has(rest, "RECEIVED"))
        set(BasePosition, 2.0, "", "CPD");
    else if (has(rest, "ENTERED"))
        set(BasePosition, 3.0, "", "CPD");
    else
        return {};
    return {true, true};
}

RtkParser::Result RtkParser::ambiguityRule(const std::string& u) {
    const std::string_view rest = std::string_view(u).substr(u.find("AMBIGUITY:") + 10);
    const double old = data_.values[Ambiguity].value;
    if (has(rest, "FIX"))
        set(Ambiguity, 1.0, "", "CPD");
    else if (has(rest, "FLO"))
        set(Ambiguity, 0.0, "", "CPD");
    else
        set(Ambiguity, -1.0, "", "");
    return {true, old != data_.values[Ambiguity].value};
}

RtkParser::Result RtkParser::latencyRule(const std::string& u) {
    const std::size_t p = u.find("LTN,");
    if (p == std::string::npos)
        return {};
    FieldScanner f(u, p + 4, static_cast<std::ptrdiff_t>(u.size()) - 1);
    if (!f.skip(2))
        return {};
    auto field = f.next(true);
    if (!field) {
        // The last field may run to the end of a line without a checksum.
        const std::string_view tail = std::string_view(u).substr(f.position());
        if (tail.empty())
            return {};
        field = tail;
    }
    const double v = parseReal(*field);
    if (field->empty() || !std::isfinite(v))
        return {};
    set(Latency, v, "ms", "LTN");
    return {true, true};
}

RtkParser::Result RtkParser::fastCpdRule(const std::string& u) {
    const long sum = has(u, "FAST CPD:ON") ? fastSum_ : commonSum_;
    set(Latency, static_cast<double>(sum), "ms", "CPD");
    return {true, true};
}

} // namespace trix::rtk
