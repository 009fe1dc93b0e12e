#pragma once
// Helpers of the download tests: answers as the receiver frames them, timers and a window
// stand-in that records what it is told.

#include "almanac/almanac_download.h"
#include "almanac/records.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace almanactest {

inline void putBe(std::string& out, std::uint64_t v, int width) {
    for (int i = width - 1; i >= 0; --i)
        out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

inline std::string withSum(std::string payload) {
    auto sum = trix::almanac::wordSum(
        {reinterpret_cast<const std::uint8_t*>(payload.data()), payload.size()});
    putBe(payload, sum, 2);
    return payload;
}

// "$PXKTR,SAL," with a 68-byte payload for PRN `prn` whose fields are recognisable bytes.
inline std::string salLine(int prn, std::uint16_t week = 2437, const char* type = "SAL") {
    std::string p;
    putBe(p, static_cast<std::uint64_t>(prn - 1), 2);
    putBe(p, 0x0102, 2); // health
    for (int i = 4; i < 60; ++i)
        p.push_back(static_cast<char>(0x10 + i));
    putBe(p, week % 256, 2);
    putBe(p, week, 2);
    putBe(p, 345600, 4);
    return std::string("$PXKTR,") + type + "," + withSum(p);
}

inline std::string sagLine(int slot, std::int32_t day = 1000) {
    trix::almanac::GlonassAlmanac g;
    g.sv = static_cast<std::uint16_t>(slot);
    g.healthFlag = 1;
    g.day = day;
    g.periodCorrection = -2655.5f;
    auto b = trix::almanac::encode(g);
    std::string p;
    putBe(p, static_cast<std::uint64_t>(slot), 2);
    p.append(reinterpret_cast<const char*>(b.data()), b.size());
    return "$PXKTR,SAG," + withSum(p);
}

struct RecordingEvents : trix::almanac::DownloadEvents {
    std::vector<std::string> titles;
    int animations = 0;
    std::optional<bool> result;
    void title(std::string_view t) override { titles.emplace_back(t); }
    void animate() override { ++animations; }
    void finished(bool received) override { result = received; }
};

struct FakeTimers : trix::logs::TimerHost {
    std::map<int, long long> running;
    bool start(int id, long long ms) override {
        running[id] = ms;
        return true;
    }
    void kill(int id) override { running.erase(id); }
};

} // namespace almanactest
