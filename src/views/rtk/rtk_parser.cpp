#include "views/rtk/rtk_parser.h"

#include "base/text.h"
#include "decode/epoch_decoder.h"
#include "decode/fields.h"
#include "decode/framing.h"
#include "decode/geo.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <new>

namespace trix::rtk {
namespace {

bool has(std::string_view s, std::string_view key) {
    return s.find(key) != std::string_view::npos;
}

bool finite(std::optional<double> v) {
    return v && std::isfinite(*v);
}

std::string upper(std::string_view s) {
    std::string u(s);
    for (char& c : u) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return u;
}

} // namespace

bool pollsCombinedSolution(int modelIndex) {
    return modelIndex == 4 || modelIndex == 18 || modelIndex == 19;
}

bool reportsBaseline(int modelIndex) {
    return modelIndex == 16;
}

void RtkParser::set(int index, double value, const char* unit, const char* code) {
    ValueEntry& e = data_.values[static_cast<std::size_t>(index)];
    e.value = value;
    e.unit = unit;
    e.code = code;
}

void RtkParser::setTime(double t, const char* code) {
    data_.utcTime = t;
    data_.running = clock_.windowTime(t);
    data_.timeCode = code;
}

void RtkParser::addPoint(const ScatterPoint& p) {
    if (scatter_.size() >= kHistoryCapacity)
        scatter_.clear();
    try {
        scatter_.push_back(p);
    } catch (const std::bad_alloc&) {
        outOfMemory_ = true;
    }
}

RtkParser::Result RtkParser::dispatch(std::string_view raw, bool live) {
    raw = raw.substr(0, raw.find('\0'));
    if (auto t = dgps::positionSentenceTime(raw, limits_.checksum))
        clock_.position(*t);
    const std::string u = upper(raw);
    if (has(u, "$GPMSG")) {
        Result r;
        r.handled = messageRule(u);
        r.changed = r.changed || r.handled;
        return r;
    }
    if (has(u, "RRE"))
        return residualRule(raw, u);
    if (has(u, "MODE:") && has(u, "STAT:"))
        return modeRule(u);
    if (has(u, "VEC"))
        return vectorRule(raw, u, live);
    if (has(u, "CBN"))
        return combinedRule(raw, u, live);
    if (has(u, "CPD,DLK"))
        return dataLinkRule(u);
    if (has(u, "CPD,INF"))
        return informationRule(u);
    if (has(u, "TF:"))
        return latencyPartsRule(u);
    if (has(u, "BAS POS USED:"))
        return basePositionRule(u);
    if (has(u, "AMBIGUITY:"))
        return ambiguityRule(u);
    if (has(u, "LTN"))
        return latencyRule(u);
    if (has(u, "FAST CPD:"))
        return fastCpdRule(u);
    return {};
}

// A repeated RTCM base position message: nothing is stored, but it counts as new data.
bool RtkParser::messageRule(const std::string& u) {
    const std::size_t p = u.find("$GPMSG");
    if (p + 6 >= u.size() || u[p + 6] != ',')
        return false;
    FieldScanner f(u, p + 7, static_cast<std::ptrdiff_t>(u.size()) - 1);
    auto type = f.next();
    if (!type || type->empty() || type->size() > 4 ||
        !std::all_of(type->begin(), type->end(), [](char c) { return c >= '0' && c <= '9'; }))
        return false;
    const long t = parseInteger(*type);
    if (t != 3 && t != 22 && t != 32)
        return false;
    if (!f.skip(6) || !f.next() || !f.next() || !f.next(true))
        return false;
    return f.lastDelimiter() == '*';
}

RtkParser::Result RtkParser::residualRule(std::string_view raw, const std::string& u) {
    Result r;
    if (!checksumPasses(raw, isProprietary(raw), limits_.checksum))
        return r;
    const std::size_t key = u.find("RRE");
    std::size_t end = u.rfind('*');
    if (end == std::string::npos || end < key)
        end = u.size();
    const std::size_t c2 = end == 0 ? std::string::npos : u.rfind(',', end - 1);
    if (c2 == std::string::npos || c2 <= key)
        return r;
    const std::size_t c1 = c2 == 0 ? std::string::npos : u.rfind(',', c2 - 1);
    if (c1 == std::string::npos || c1 <= key)
        return r;
    const double old16 = data_.values[Residual].value;
    const double old6 = data_.values[Rms3].value;
    set(Residual, 0.0, data_.values[Residual].unit.c_str(), "");
    set(Rms3, 0.0, data_.values[Rms3].unit.c_str(), "");
    const std::string_view f16 = std::string_view(u).substr(c1 + 1, c2 - c1 - 1);
    const std::string_view f6 = std::string_view(u).substr(c2 + 1, end - c2 - 1);
    const double v16 = parseReal(f16);
    const double v6 = parseReal(f6);
    if (f16.empty() || f6.empty() || !std::isfinite(v16) || !std::isfinite(v6))
        return r;
    set(Residual, v16, "", "RRE");
    set(Rms3, v6, "m", "RRE");
    r.handled = true;
    r.changed = v16 != old16 || v6 != old6;
    return r;
}

RtkParser::Result RtkParser::modeRule(const std::string& u) {
    int mode = -1;
    if (has(u, "RVP")) {
        if (has(u, "RVP ROV"))
            mode = 3;
        else if (has(u, "RVP BAS"))
            mode = 4;
    } else if (has(u, ":ROV")) {
        mode = 2;
    } else if (has(u, ":BAS")) {
        mode = 1;
    } else if (has(u, "OFF") || has(u, "DIS")) {
        mode = 0;
    }
    Result r;
    if (mode < 0)
        return r;
    r.handled = true;
    r.changed = mode != data_.mode;
    data_.mode = mode;
    return r;
}

RtkParser::Result RtkParser::vectorRule(std::string_view raw, const std::string& u, bool live) {
    Result r;
    if (!checksumPasses(raw, isProprietary(raw), limits_.checksum))
        return r;
    const std::size_t p = u.find("VEC,");
    if (p == std::string::npos)
        return r;
    FieldScanner f(u, p + 4, static_cast<std::ptrdiff_t>(u.size()) - 1);
    auto t = f.real();
    if (!t || !inRange(*t, 0.0, 235960.0))
        return r;
    setTime(*t, "VEC");
    auto base = f.integer();
    if (!base || *base < 0 || *base > 3)
        return r;
    set(BasePosition, static_cast<double>(*base), "", "VEC");
    const Result done{true, true};
    if (*base == 0)
        return done;
    auto third = f.integer();
    if (!third)
        return r;
    if (*third == 0)
        return done;
    if (!f.skip(1))
        return r;
    auto ambiguity = f.integer();
    if (!ambiguity || (*ambiguity != 0 && *ambiguity != 1))
        return r;
    set(Ambiguity, static_cast<double>(*ambiguity), "", "VEC");
    auto rover = f.real();
    auto base2 = f.real();
    auto used = f.real();
    if (!finite(rover) || !finite(base2) || !finite(used))
        return r;
    set(RoverSatellites, *rover, "", "VEC");
    set(BaseSatellites, *base2, "", "VEC");
    set(UsedSatellites, *used, "", "VEC");
    if (!f.skip(1))
        return r;
    auto latency = f.real();
    if (!finite(latency) || !f.skip(1))
        return r;
    set(Latency, *latency, "ms", "VEC");
    auto system = f.next();
    if (!system)
        return r;
    coordinateLabel_ = *system == "1" ? kEnuLabel : kUnknownLabel;
    auto e = f.real();
    auto n = f.real();
    auto up = f.real();
    if (!finite(e) || !finite(n) || !finite(up))
        return r;
    set(Component1, *e, "m", "VEC");
    set(Component2, *n, "m", "VEC");
    set(Component3, *up, "m", "VEC");
    if (live)
        addPoint({*e, *n, *up, PointKind::Metres});
    auto r1 = f.real();
    auto r2 = f.real();
    auto r3 = f.real(true);
    if (!finite(r1) || !finite(r2) || !finite(r3))
        return r;
    set(Rms1, *r1, "m", "VEC");
    set(Rms2, *r2, "m", "VEC");
    set(Rms3, *r3, "m", "VEC");
    return done;
}

RtkParser::Result RtkParser::combinedRule(std::string_view raw, const std::string& u, bool live) {
    Result r;
    if (!checksumPasses(raw, isProprietary(raw), limits_.checksum))
        return r;
    noPosition_ = false;
    FieldScanner f(u, 11, static_cast<std::ptrdiff_t>(u.size()) - 1);
    auto t = f.real();
    if (!t || !inRange(*t, 0.0, 235960.0))
        return r;
    setTime(*t, "CBN");
    if (!f.skip(1))
        return r;
    auto used = f.real();
    if (!finite(used))
        return r;
    set(UsedSatellites, *used, "", "CBN");
    const Result done{true, true};
    auto lat = f.next();
    auto latH = f.next();
    if (!lat || !latH)
        return r;
    if (latH->empty()) {
        auto following = f.next();
        if (following && following->empty()) {
            noPosition_ = true;
            return done;
        }
        return r;
    }
    const double latV = parseReal(*lat);
    if (!inRange(latV, 0.0, 9000.0) || (*latH != "N" && *latH != "S"))
        return r;
    auto lon = f.real();
    auto lonH = f.next();
    if (!lon || !lonH || !inRange(*lon, 0.0, 18000.0) || (*lonH != "E" && *lonH != "W"))
        return r;
    auto alt = f.real();
    if (!finite(alt) || (limits_.limitAltitude && !inRange(*alt, -30000.0, 30000.0)))
        return r;
    data_.latHemisphere = (*latH)[0];
    data_.lonHemisphere = (*lonH)[0];
    double latDeg = ddmmToDegrees(latV);
    double lonDeg = ddmmToDegrees(*lon);
    if (data_.latHemisphere == 'S')
        latDeg = -latDeg;
    if (data_.lonHemisphere == 'W')
        lonDeg = -lonDeg;
    set(Component1, latDeg, "\xC2\xB0", "CBN");
    set(Component2, lonDeg, "\xC2\xB0", "CBN");
    set(Component3, *alt, "m", "CBN");
    if (latV == 0.0 && *lon == 0.0 && *alt == 0.0) {
        noPosition_ = true;
        return done;
    }
    if (live)
        addPoint({latDeg, lonDeg, *alt, PointKind::Degrees});
    for (int i : {Rms1, Rms2, Rms3}) {
        auto v = f.real();
        if (!v || !inRange(*v, 0.0, 99.999))
            return r;
        set(i, *v, "m", "CBN");
    }
    if (!f.skip(4))
        return r;
    for (int i : {VelocityX, VelocityY, VelocityZ}) {
        auto v = f.real();
        if (!finite(v) || (limits_.limitVelocity && !inRange(*v, -999.999, 999.999)))
            return r;
        set(i, *v, "m/s", "CBN");
    }
    for (int i : {VelocityRmsX, VelocityRmsY, VelocityRmsZ}) {
        auto v = f.real(i == VelocityRmsZ);
        if (!finite(v))
            return r;
        set(i, *v, "m/s", "CBN");
    }
    return done;
}

bool RtkParser::liveLine(std::string_view line) {
    ++lineNumber_;
    const Result r = dispatch(line, true);
    return r.handled && r.changed;
}

RtkParser::Indexed RtkParser::indexedLine(std::string_view line) {
    ++lineNumber_;
    if (history_.size() > kHistoryCapacity)
        return Indexed::Refused;
    if (line.empty())
        return Indexed::Empty;
    if (history_.empty())
        data_.utcTime = kNoTime;
    const Result r = dispatch(line, false);
    if (!r.handled || !r.changed)
        return Indexed::Taken;
    newData_ = true;
    lastDataLine_ = lineNumber_;
    if (!data_.hasTime() || (!history_.empty() && !(data_.running > history_.back().running)))
        return Indexed::Taken;
    data_.line = lineNumber_;
    try {
        history_.push_back(data_);
    } catch (const std::bad_alloc&) {
        outOfMemory_ = true;
    }
    return Indexed::Taken;
}

bool RtkParser::dataLoaded() {
    timeline_.clear();
    if (history_.empty() && newData_) {
        RtkData first = data_;
        first.line = lastDataLine_;
        if (!first.hasTime())
            first.running = std::numeric_limits<double>::infinity(); // shown at every epoch
        history_.push_back(first);
    }
    return !history_.empty();
}

int RtkParser::recordFor(double u) const {
    auto it = std::lower_bound(history_.begin(), history_.end(), u,
                               [](const RtkData& d, double v) { return d.running < v; });
    return it == history_.end() ? -1 : static_cast<int>(it - history_.begin());
}

bool RtkParser::follow(double u) {
    int i = recordFor(u);
    // Past the last record the last one stays on screen, however the counter got there: a
    // jump from the first epoch to the end must not leave the first record showing.
    if (i < 0)
        i = static_cast<int>(history_.size()) - 1;
    if (i < 0 || i == shown_)
        return false;
    shown_ = i;
    data_ = history_[static_cast<std::size_t>(i)];
    return true;
}

void RtkParser::setEpochTimes(const std::vector<double>& utcTimes) {
    timeline_.assign(utcTimes, clock_.firstPosition());
}

bool RtkParser::followEpoch(int k) {
    const std::optional<double> u = timeline_.at(k);
    return u && follow(*u);
}

bool RtkParser::followShownEpoch(const EpochDecoder& decoder) {
    if (timeline_.size() != decoder.epochsCompleted)
        setEpochTimes(dgps::storedEpochTimes(decoder));
    return followEpoch(dgps::shownEpoch(decoder));
}

} // namespace trix::rtk
