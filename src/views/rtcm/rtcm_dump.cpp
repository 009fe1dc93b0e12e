#include "views/rtcm/rtcm_dump.h"

#include "views/rtcm/dump_format.h"

namespace trix::rtcm {
namespace {

using namespace trix::dgps;

std::string text(const std::optional<std::string>& v) {
    return v ? *v : std::string(kNotSet);
}

std::string intText(const std::optional<int>& v) {
    return dumpOptional(v, [](int x) { return dumpInt(x); });
}

std::string realText(const std::optional<double>& v) {
    return dumpOptional(v, [](double x) { return dumpReal(x); });
}

void dumpQueried(std::string& out, const QueriedState& q) {
    dumpLine(out, "mode", text(q.mode));
    dumpLine(out, "sync", dumpOptional(q.sync, [](char c) { return std::string(1, dumpMark(c)); }));
    dumpLine(out, "type", intText(q.type));
    dumpLine(out, "stid", intText(q.stationId));
    dumpLine(out, "sthe", intText(q.stationHealth));
    dumpLine(out, "age", realText(q.age));
    dumpLine(out, "qa", realText(q.quality));
    dumpLine(out, "offset", intText(q.offset));
    dumpLine(out, "base_lat", text(q.baseLatitude));
    dumpLine(out, "base_lon", text(q.baseLongitude));
    dumpLine(out, "base_alt", text(q.baseAltitude));
}

void dumpTexts(std::string& out, const std::optional<std::string>& gps,
               const std::optional<std::string>& glonass) {
    dumpLine(out, "msg_gps", text(gps));
    dumpLine(out, "msg_glo", text(glonass));
}

void dumpMessages(std::string& out, const MessageState& m) {
    for (const auto& h : m.headers) {
        if (!h)
            continue;
        dumpLine(out, "hdr",
                 dumpInt(h->type) + ',' + dumpInt(h->stationId) + ',' + dumpReal(h->zCount) + ',' +
                     dumpInt(h->stationHealth) + ',' + dumpInt(h->sequence) + ',' +
                     dumpMark(h->mark));
    }
    for (std::size_t i = 0; i < m.bases.size(); ++i) {
        const auto& b = m.bases[i];
        if (!b)
            continue;
        dumpLine(out, "base",
                 std::string(kSystemNames[i]) + ',' + dumpInt(b->stationId) + ',' + dumpReal(b->x) +
                     ',' + dumpReal(b->y) + ',' + dumpReal(b->z));
    }
    for (std::size_t t = 0; t < m.tables.size(); ++t) {
        for (const Correction& c : m.tables[t].entries()) {
            dumpLine(out, t == 0 ? "gps" : "glo",
                     dumpInt(c.sv) + ',' + intText(c.scaleUre) + ',' + realText(c.prc) + ',' +
                         realText(c.rrc) + ',' + intText(c.iod) + ',' + realText(c.deltaPrc) + ',' +
                         realText(c.deltaRrc) + ',' + realText(c.rangeResidual) + ',' +
                         realText(c.snr));
        }
    }
}

std::string dayText(std::optional<double> running) {
    return dumpOptional(running, [](double u) { return dumpInt(dayOf(u)); });
}

} // namespace

std::string dumpState(const RtcmParser& p) {
    std::string out;
    dumpLine(out, "answers", dumpInt(static_cast<long>(p.answers().size())));
    dumpLine(out, "msgepochs", dumpInt(static_cast<long>(p.messageEpochs().size())));
    dumpLine(out, "arrived", p.arrived() ? "1" : "0");
    dumpLine(out, "open", p.answerOpen() ? "1" : "0");
    dumpQueried(out, p.queried());
    dumpTexts(out, p.queried().messageGps, p.queried().messageGlonass);
    dumpMessages(out, p.messages());
    return out;
}

std::string dumpParser(const RtcmParser& p) {
    std::string out;
    const auto& answers = p.answers();
    const auto& epochs = p.messageEpochs();
    std::size_t a = 0;
    std::size_t e = 0;
    while (a < answers.size() || e < epochs.size()) {
        const bool answerNext =
            e >= epochs.size() || (a < answers.size() && answers[a].line < epochs[e].line);
        if (answerNext) {
            const AnswerSnapshot& s = answers[a++];
            dumpLine(out, "block", "answer " + dumpInt(static_cast<long>(a)));
            dumpLine(out, "line", dumpInt(s.line));
            dumpLine(out, "time", dumpOptional(s.time, [](double t) { return dumpTime(t); }));
            dumpLine(out, "day", dayText(s.running));
            dumpQueried(out, s.state);
            dumpTexts(out, s.state.messageGps, s.state.messageGlonass);
        } else {
            const MessageEpochRecord& r = epochs[e++];
            dumpLine(out, "block", "msgepoch " + dumpInt(static_cast<long>(e)));
            dumpLine(out, "line", dumpInt(r.line));
            dumpLine(out, "time", dumpTime(r.time));
            dumpLine(out, "day", dumpInt(dayOf(r.running)));
            dumpMessages(out, r.messages);
            dumpTexts(out, r.messageGps, r.messageGlonass);
        }
        out += '\n';
    }
    dumpLine(out, "block", "end");
    out += dumpState(p);
    out += '\n';
    return out;
}

std::string dumpFollow(RtcmParser& p, const std::vector<double>& utcTimes) {
    std::string out;
    // The same path the window takes when the epoch counter shows epoch k.
    p.setEpochTimes(utcTimes);
    for (std::size_t k = 0; k < utcTimes.size(); ++k) {
        const double u = p.epochTime(static_cast<int>(k)).value_or(0.0);
        const int a = p.answerFor(u);
        const int e = p.messageEpochFor(u);
        p.followEpoch(static_cast<int>(k));
        dumpLine(out, "follow",
                 dumpInt(static_cast<long>(k + 1)) + ',' + dumpTime(utcTimes[k]) + ',' +
                     (a < 0 ? std::string("-") : dumpInt(a + 1)) + ',' +
                     (e < 0 ? std::string("-") : dumpInt(e + 1)));
    }
    return out;
}

} // namespace trix::rtcm
