// The answer parser of the RTCM window: one line of the receiver's plain-text report of its
// RTCM link. Each key is searched anywhere in the line; a line whose value would start at its
// end is ignored as a whole but still belongs to the answer.

#include "views/rtcm/rtcm_parser.h"

#include "base/text.h"

#include <climits>
#include <cmath>

namespace trix::rtcm {
namespace {

bool has(std::string_view s, std::string_view key) {
    return s.find(key) != std::string_view::npos;
}

// The value after `key` and any blanks; nullopt when the key is missing or the value would
// start at the end of the line.
std::optional<std::string_view> valueAfter(std::string_view s, std::string_view key) {
    std::size_t p = s.find(key);
    if (p == std::string_view::npos)
        return std::nullopt;
    p += key.size();
    while (p < s.size() && s[p] == ' ')
        ++p;
    if (p >= s.size())
        return std::nullopt;
    return s.substr(p);
}

std::string upTo(std::string_view v, std::string_view stops) {
    return std::string(v.substr(0, v.find_first_of(stops)));
}

int toInt(std::string_view v) {
    const long x = parseInteger(v);
    if (x > INT_MAX)
        return INT_MAX;
    if (x < INT_MIN)
        return INT_MIN;
    return static_cast<int>(x);
}

} // namespace

bool RtcmParser::parseAnswerLine(std::string_view s, bool first, QueriedState& state) {
    // Free text from the base: everything after the first ':'.
    if (has(s, "MSG") && has(s, ":")) {
        auto text = valueAfter(s, ":");
        if (text) {
            if (has(s, "(GLO)"))
                state.messageGlonass = std::string(*text);
            else
                state.messageGps = std::string(*text);
        }
        return true;
    }
    // Values go to a copy first, so that a line that fails changes nothing.
    QueriedState t = state;
    bool taken = false;
    auto commit = [&] {
        state = std::move(t);
        return true;
    };
    if (has(s, "RTC:")) {
        taken = true;
        auto v = valueAfter(s, "RTC:");
        if (!v)
            return true;
        if (v->starts_with("OFF")) {
            t.mode = "OFF";
            return commit();
        }
    }
    if (has(s, "SYNC:")) {
        taken = true;
        auto v = valueAfter(s, "SYNC:");
        if (!v)
            return true;
        t.sync = (*v)[0];
    }
    if (first && has(s, "TYPE:")) {
        taken = true;
        auto v = valueAfter(s, "TYPE:");
        if (!v)
            return true;
        t.type = toInt(*v);
    }
    if (has(s, "STID:")) {
        taken = true;
        auto v = valueAfter(s, "STID:");
        if (!v)
            return true;
        t.stationId = toInt(*v);
    }
    if (has(s, "STHE:")) {
        auto v = valueAfter(s, "STHE:");
        if (!v)
            return true;
        t.stationHealth = toInt(*v);
        return commit();
    }
    if (has(s, "AGE:")) {
        taken = true;
        auto v = valueAfter(s, "AGE:");
        if (!v)
            return true;
        const double x = parseReal(*v);
        if (!std::isfinite(x))
            return true;
        t.age = x;
    }
    if (has(s, "QA:")) {
        taken = true;
        auto v = valueAfter(s, "QA:");
        if (!v)
            return true;
        const double x = parseReal(*v);
        if (!std::isfinite(x))
            return true;
        t.quality = x;
    }
    if (has(s, "OFFSET:")) {
        auto v = valueAfter(s, "OFFSET:");
        if (!v)
            return true;
        t.offset = toInt(*v);
        return commit();
    }
    if (has(s, "MODE:") && has(s, "PORT:")) {
        taken = true;
        auto v = valueAfter(s, "MODE:");
        if (!v)
            return true;
        t.mode = upTo(*v, ", ");
    }
    if (has(s, "BASE:") && has(s, "LAT:")) {
        taken = true;
        struct Key {
            const char* key;
            std::optional<std::string>* text;
        };
        for (const Key& k : {Key{"LAT:", &t.baseLatitude}, Key{"LON:", &t.baseLongitude},
                             Key{"ALT:", &t.baseAltitude}}) {
            if (!has(s, k.key))
                continue; // a missing key leaves its text as it was
            auto v = valueAfter(s, k.key);
            if (!v)
                return true;
            *k.text = upTo(*v, " ,");
        }
    }
    for (const char* key : {"SETUP:", "FRQ:", "SPD:", "MAX:", "TYP:", "STATUS:"}) {
        if (has(s, key))
            taken = true;
    }
    if (taken)
        state = std::move(t);
    return taken;
}

} // namespace trix::rtcm
