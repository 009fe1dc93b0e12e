#include "views/rtk/rtk_dump.h"

#include "base/text.h"
#include "views/rtcm/dump_format.h"

namespace trix::rtk {
namespace {
using namespace trix::dgps;
}

std::string dumpData(const RtkData& d) {
    std::string out;
    dumpLine(out, "utc", dumpTime(d.utcTime));
    dumpLine(out, "day", d.hasTime() ? dumpInt(dayOf(d.running)) : std::string(kNotSet));
    dumpLine(out, "tcode", d.timeCode.empty() ? std::string(kNotSet) : d.timeCode);
    dumpLine(out, "mode", dumpInt(d.mode));
    dumpLine(out, "warn",
             dumpInt(d.warnings[BaseL1]) + ',' + dumpInt(d.warnings[RoverL1]) + ',' +
                 dumpInt(d.warnings[BaseL2]) + ',' + dumpInt(d.warnings[RoverL2]));
    dumpLine(out, "sign", std::string(1, dumpMark(d.linkSign)));
    dumpLine(out, "hemi", std::string{dumpMark(d.latHemisphere), ',', dumpMark(d.lonHemisphere)});
    for (int i = 0; i < kValueCount; ++i) {
        const ValueEntry& v = d.values[static_cast<std::size_t>(i)];
        dumpLine(out, cformat("v%02d", i),
                 dumpReal(v.value) + ';' + v.unit + ';' +
                     (v.code.empty() ? std::string(kNotSet) : v.code));
    }
    return out;
}

std::string dumpRecords(const RtkParser& p) {
    std::string out;
    long n = 0;
    for (const RtkData& d : p.history()) {
        dumpLine(out, "block", "record " + dumpInt(++n));
        dumpLine(out, "line", dumpInt(d.line));
        out += dumpData(d);
        out += '\n';
    }
    return out;
}

std::string dumpRedraw(const RtkParser& p, int n) {
    std::string out;
    dumpLine(out, "block", "redraw " + dumpInt(n));
    dumpLine(out, "line", dumpInt(p.lineCount()));
    out += dumpData(p.data());
    dumpLine(out, "scatter", dumpInt(static_cast<long>(p.scatter().size())));
    out += '\n';
    return out;
}

std::string dumpEnd(const RtkParser& p, bool closed) {
    std::string out;
    dumpLine(out, "block", "end");
    dumpLine(out, "records", dumpInt(static_cast<long>(p.history().size())));
    out += dumpData(p.data());
    dumpLine(out, "nopos", p.noPosition() ? "1" : "0");
    dumpLine(out, "coord", p.coordinateLabel());
    dumpLine(out, "sums", dumpInt(p.fastSum()) + ',' + dumpInt(p.commonSum()));
    dumpLine(out, "scatter", dumpInt(static_cast<long>(p.scatter().size())));
    dumpLine(out, "newdata", p.newData() ? "1" : "0");
    dumpLine(out, "closed", closed ? "1" : "0");
    out += '\n';
    return out;
}

std::string dumpFollow(RtkParser& p, const std::vector<double>& utcTimes) {
    std::string out;
    // The same path the window takes when the epoch counter shows epoch k.
    p.setEpochTimes(utcTimes);
    for (std::size_t k = 0; k < utcTimes.size(); ++k) {
        const int r = p.recordFor(p.epochTime(static_cast<int>(k)).value_or(0.0));
        p.followEpoch(static_cast<int>(k));
        dumpLine(out, "follow",
                 dumpInt(static_cast<long>(k + 1)) + ',' + dumpTime(utcTimes[k]) + ',' +
                     (r < 0 ? std::string("-") : dumpInt(r + 1)));
    }
    return out;
}

} // namespace trix::rtk
