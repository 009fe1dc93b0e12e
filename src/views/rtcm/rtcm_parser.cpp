#include "views/rtcm/rtcm_parser.h"

#include "base/text.h"
#include "decode/epoch_decoder.h"
#include "decode/framing.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <new>

namespace trix::rtcm {
namespace {

bool has(std::string_view s, std::string_view key) {
    return s.find(key) != std::string_view::npos;
}

std::optional<int> intField(FieldScanner& f, bool starEnds = false) {
    auto v = f.integer(starEnds);
    if (!v || *v > INT_MAX || *v < INT_MIN)
        return std::nullopt;
    return static_cast<int>(*v);
}

bool validSatellite(long sv) {
    return sv >= 1 && sv <= 200;
}

} // namespace

int slotOfType(long type) {
    for (std::size_t i = 0; i < kMessageTypes.size(); ++i) {
        if (kMessageTypes[i] == type)
            return static_cast<int>(i);
    }
    return -1;
}

Correction* CorrectionTable::find(int sv) {
    for (Correction& c : entries_) {
        if (c.sv == sv)
            return &c;
    }
    return nullptr;
}

Correction* CorrectionTable::enter(int sv) {
    if (Correction* c = find(sv))
        return c;
    if (entries_.size() >= kTableCapacity)
        return nullptr;
    entries_.push_back(Correction{});
    entries_.back().sv = sv;
    return &entries_.back();
}

template <class T> void RtcmParser::append(std::vector<T>& v, T&& item) {
    if (v.size() >= kReplayCapacity || outOfMemory_)
        return;
    try {
        v.push_back(std::move(item));
    } catch (const std::bad_alloc&) {
        outOfMemory_ = true;
    }
}

bool RtcmParser::line(std::string_view raw) {
    ++lineNumber_;
    changed_ = false;
    const std::string_view s = raw.substr(0, raw.find('\0'));
    const bool text = s.empty() || s[0] != '$';
    if (text && has(s, "STATUS:")) {
        // A new answer; one still open is complete at this point.
        if (answerOpen_)
            completeAnswer();
        answerOpen_ = true;
        expectSync_ = true;
        answerLine_ = lineNumber_;
        parseAnswerLine(s, false, queried_);
        return changed_;
    }
    if (answerOpen_) {
        bool first = false;
        bool dropped = false;
        if (expectSync_) {
            expectSync_ = false;
            if (!has(s, "SYNC:")) {
                answerOpen_ = false;
                dropped = true;
            }
            first = true;
        }
        if (!dropped) {
            // A sentence never belongs to an answer: it completes it and is read as itself.
            if (text && !s.empty() && parseAnswerLine(s, first, queried_))
                return changed_;
            completeAnswer();
        }
    }
    dispatchSentence(s);
    return changed_;
}

void RtcmParser::dispatchSentence(std::string_view s) {
    if (s.empty())
        return;
    if (s[0] != '$') {
        // A one-line answer such as "RTC:OFF".
        if (has(s, "RTC") && parseAnswerLine(s, false, queried_)) {
            answerLine_ = lineNumber_;
            completeAnswer();
        }
        return;
    }
    if (auto t = dgps::positionSentenceTime(s, checksum_)) {
        clock_.position(*t);
        lastPositionTime_ = *t;
        for (std::size_t i : untimedAnswers_) {
            answers_[i].time = *t;
            answers_[i].running = clock_.reference();
        }
        untimedAnswers_.clear();
        return;
    }
    const bool proprietary = isProprietary(s);
    if (!checksumPasses(s, proprietary, checksum_))
        return;
    if (s.starts_with("$GPMSG")) {
        messageSentence(s);
        return;
    }
    if (proprietary || s.size() < 6)
        return;
    const int system = s[2] == 'L' ? 1 : 0;
    const SentenceCode code = sentenceCode(s);
    if (code == kGSA)
        usedSatellites(s, system);
    else if (code == makeCode("GRS"))
        residuals(s, system);
    else if (code == makeCode("GSN"))
        signalToNoise(s, system);
}

void RtcmParser::completeAnswer() {
    answerOpen_ = false;
    expectSync_ = false;
    arrived_ = true;
    changed_ = true;
    if (!keepReplay_)
        return;
    AnswerSnapshot snap;
    snap.line = answerLine_;
    snap.state = queried_;
    const bool timed = lastPositionTime_.has_value();
    if (timed) {
        snap.time = *lastPositionTime_;
        snap.running = clock_.windowTime(*lastPositionTime_);
    }
    const std::size_t before = answers_.size();
    append(answers_, std::move(snap));
    if (!timed && answers_.size() > before)
        untimedAnswers_.push_back(before);
}

void RtcmParser::freezeEpoch() {
    if (!epochOpen_ || !keepReplay_)
        return;
    MessageEpochRecord rec = current_;
    rec.messages = messages_;
    rec.messageGps = queried_.messageGps;
    rec.messageGlonass = queried_.messageGlonass;
    append(epochs_, std::move(rec));
}

void RtcmParser::dataLoaded() {
    timeline_.clear();
    if (answerOpen_ && !expectSync_)
        completeAnswer();
    answerOpen_ = false;
    expectSync_ = false;
    freezeEpoch();
    epochOpen_ = false;
}

void RtcmParser::messageSentence(std::string_view s) {
    FieldScanner f(s, 0, static_cast<std::ptrdiff_t>(s.size()) - 1);
    if (!f.skip(1))
        return;
    auto type = f.integer();
    if (!type)
        return;
    const int slot = slotOfType(*type);
    if (slot < 0)
        return;
    auto stid = intField(f);
    auto zcount = f.real();
    auto sequence = intField(f);
    auto health = intField(f);
    if (!stid || !zcount || !sequence || !health || !std::isfinite(*zcount) || !f.skip(1))
        return;
    auto time = f.real();
    if (!time || !inRange(*time, 0.0, 240000.0))
        return;

    const double u = clock_.windowTime(*time);
    if (!epochOpen_ || u > current_.running) {
        freezeEpoch();
        messages_.clearEpoch();
        epochOpen_ = true;
        current_ = MessageEpochRecord{};
        current_.line = lineNumber_;
        current_.time = *time;
        current_.running = u;
    }
    MessageHeader h;
    h.type = static_cast<int>(*type);
    h.stationId = *stid;
    h.zCount = *zcount;
    h.stationHealth = *health;
    h.sequence = *sequence;
    if (previousSequence_ &&
        (*sequence == *previousSequence_ + 1 || (*previousSequence_ == 7 && *sequence == 0)))
        h.mark = '*';
    previousSequence_ = *sequence;
    messages_.headers[static_cast<std::size_t>(slot)] = h;
    changed_ = true;

    switch (h.type) {
    case 3:
    case 32: {
        auto x = f.real();
        auto y = f.real();
        auto z = f.real(true);
        if (!x || !y || !z || !std::isfinite(*x) || !std::isfinite(*y) || !std::isfinite(*z))
            return;
        messages_.bases[h.type == 3 ? 0 : 1] = BasePosition{h.stationId, *x, *y, *z};
        return;
    }
    case 16:
    case 36: {
        const std::string_view rest = s.substr(f.position());
        const std::size_t star = rest.find('*');
        if (star == std::string_view::npos)
            return;
        (h.type == 16 ? queried_.messageGps : queried_.messageGlonass) =
            std::string(rest.substr(0, star));
        return;
    }
    default:
        corrections(f, h.type);
    }
}

void RtcmParser::corrections(FieldScanner& f, int type) {
    const int system = type == 31 ? 1 : 0;
    for (;;) {
        auto sud = intField(f);
        auto sv = f.integer();
        auto prc = f.real();
        auto rrc = f.real();
        if (!sud || !sv || !prc || !rrc)
            return;
        auto iod = f.next(true);
        if (!iod)
            return;
        const bool last = f.lastDelimiter() == '*';
        if (!std::isfinite(*prc) || !std::isfinite(*rrc))
            return;
        if (validSatellite(*sv)) {
            const int number = static_cast<int>(*sv) + (system == 1 ? 32 : 0);
            if (type == 2) {
                // Delta corrections apply to what the GPS table holds.
                Correction* c = messages_.tables[0].find(number);
                if (!c)
                    return;
                if (c->prc)
                    *c->prc += *prc;
                if (c->rrc)
                    *c->rrc += *rrc;
                c->deltaPrc = *prc;
                c->deltaRrc = *rrc;
            } else if (Correction* c =
                           messages_.tables[static_cast<std::size_t>(system)].enter(number)) {
                c->scaleUre = *sud;
                c->prc = *prc;
                c->rrc = *rrc;
                const long v = parseInteger(*iod);
                c->iod = static_cast<int>(std::clamp<long>(v, INT_MIN, INT_MAX));
            }
        }
        if (last)
            return;
    }
}

void RtcmParser::usedSatellites(std::string_view s, int system) {
    FieldScanner f(s, 0, static_cast<std::ptrdiff_t>(s.size()) - 1);
    auto& order = gsaOrder_[static_cast<std::size_t>(system)];
    order.fill(0);
    if (!f.skip(3))
        return;
    for (int& slot : order) {
        auto v = f.next(true);
        if (!v)
            return;
        if (!v->empty()) {
            const long sv = parseInteger(*v);
            if (validSatellite(sv) &&
                messages_.tables[static_cast<std::size_t>(system)].enter(static_cast<int>(sv))) {
                slot = static_cast<int>(sv);
                changed_ = true;
            }
        }
        if (f.lastDelimiter() == '*')
            return;
    }
}

void RtcmParser::residuals(std::string_view s, int system) {
    FieldScanner f(s, 0, static_cast<std::ptrdiff_t>(s.size()) - 1);
    const auto& order = gsaOrder_[static_cast<std::size_t>(system)];
    if (!f.skip(3))
        return;
    for (int sv : order) {
        auto v = f.next(true);
        if (!v)
            return;
        if (!v->empty() && sv != 0) {
            const double r = parseReal(*v);
            if (std::isfinite(r)) {
                if (Correction* c = messages_.tables[static_cast<std::size_t>(system)].enter(sv)) {
                    c->rangeResidual = r;
                    changed_ = true;
                }
            }
        }
        if (f.lastDelimiter() == '*')
            return;
    }
}

void RtcmParser::signalToNoise(std::string_view s, int system) {
    FieldScanner f(s, 0, static_cast<std::ptrdiff_t>(s.size()) - 1);
    if (!f.skip(1))
        return;
    auto count = f.next(true);
    if (!count || f.lastDelimiter() == '*')
        return;
    const long n = parseInteger(*count);
    for (long k = 0; k < n; ++k) {
        auto sv = f.integer();
        auto snr = f.next(true);
        if (!sv || !snr)
            return;
        const double v = parseReal(*snr);
        if (validSatellite(*sv) && !snr->empty() && std::isfinite(v)) {
            if (Correction* c = messages_.tables[static_cast<std::size_t>(system)].enter(
                    static_cast<int>(*sv))) {
                c->snr = v;
                changed_ = true;
            }
        }
        if (f.lastDelimiter() == '*')
            return;
    }
}

int RtcmParser::answerFor(double u) const {
    auto it = std::lower_bound(
        answers_.begin(), answers_.end(), u,
        [](const AnswerSnapshot& a, double v) { return !a.running || *a.running < v; });
    return it == answers_.end() ? -1 : static_cast<int>(it - answers_.begin());
}

int RtcmParser::messageEpochFor(double u) const {
    auto it = std::lower_bound(epochs_.begin(), epochs_.end(), u,
                               [](const MessageEpochRecord& r, double v) { return r.running < v; });
    return it == epochs_.end() ? -1 : static_cast<int>(it - epochs_.begin());
}

bool RtcmParser::follow(double u) {
    bool changed = false;
    // Past the last entry the last one stays on screen, however the counter got there: a jump
    // from the first epoch to the end must not leave the first entry showing.
    const auto orLast = [](int i, std::size_t size) {
        return i >= 0 ? i : static_cast<int>(size) - 1;
    };
    const int a = orLast(answerFor(u), answers_.size());
    if (a >= 0 && a != shownAnswer_) {
        queried_ = answers_[static_cast<std::size_t>(a)].state;
        shownAnswer_ = a;
        changed = true;
    }
    const int e = orLast(messageEpochFor(u), epochs_.size());
    if (e >= 0 && e != shownEpoch_) {
        const MessageEpochRecord& r = epochs_[static_cast<std::size_t>(e)];
        messages_ = r.messages;
        queried_.messageGps = r.messageGps;
        queried_.messageGlonass = r.messageGlonass;
        shownEpoch_ = e;
        changed = true;
    }
    return changed;
}

void RtcmParser::setEpochTimes(const std::vector<double>& utcTimes) {
    timeline_.assign(utcTimes, clock_.firstPosition());
}

bool RtcmParser::followEpoch(int k) {
    const std::optional<double> u = timeline_.at(k);
    return u && follow(*u);
}

bool RtcmParser::followShownEpoch(const EpochDecoder& decoder) {
    if (timeline_.size() != decoder.epochsCompleted)
        setEpochTimes(dgps::storedEpochTimes(decoder));
    return followEpoch(dgps::shownEpoch(decoder));
}

} // namespace trix::rtcm
