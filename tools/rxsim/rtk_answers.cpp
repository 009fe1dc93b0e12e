#include "rtk_answers.h"

#include "base/text.h"

#include <cmath>
#include <cstring>

using trix::cformat;

namespace rxsim {
namespace {

// The GPS satellites of the simulated sky (as in the SAT and GSA sentences) with their SNR,
// and the GLONASS slots it receives corrections for.
struct Sat {
    int prn, snr;
};
constexpr Sat kGps[] = {{4, 48}, {7, 44}, {9, 38}, {16, 46}, {21, 31}, {27, 50}};
constexpr Sat kGlonass[] = {{3, 41}, {8, 39}, {14, 36}};
constexpr int kGlonassOffset = 32; // GLONASS satellites are numbered slot + 32

double wave(double seconds, double period, double amplitude) {
    return amplitude * std::sin(seconds * 2.0 * 3.141592653589793 / period);
}

EpochClock shifted(const EpochClock& t, double by) {
    EpochClock c = t;
    c.seconds += by;
    if (c.seconds < 0)
        c.seconds += 86400.0;
    return c;
}

} // namespace

bool parseDgpsOption(int argc, char** argv, int& i, DgpsConfig& config) {
    const std::string a = argv[i];
    if (a == "--cpd-mode") {
        if (i + 1 >= argc)
            return false;
        const std::string v = argv[++i];
        if (v == "ROV" || v == "BAS")
            config.cpdMode = v;
        else if (v == "RVPROV" || v == "RVP ROV")
            config.cpdMode = "RVP ROV";
        else
            return false;
        return true;
    }
    if (a == "--float") {
        config.fixed = false;
        return true;
    }
    if (a == "--rtcm-off") {
        config.rtcmOn = false;
        return true;
    }
    return false;
}

const char* dgpsUsage() {
    return "  --cpd-mode M       CPD mode of the answers: ROV (default), BAS or RVPROV\n"
           "  --float            ambiguities float instead of fixed\n"
           "  --rtcm-off         the RTCM link is off (RTC answers \"RTC:OFF\")\n";
}

RtkAnswers::RtkAnswers(DgpsConfig config, int model, char port)
    : config_(std::move(config)), model_(model), port_(port) {}

bool RtkAnswers::answer(const std::string& body, const EpochClock& clock, std::string& out) {
    if (body == "$PXKTQ,RTC") {
        if (!config_.rtcmOn) {
            out += "RTC:OFF\r\n";
            return true;
        }
        out += "RTC STATUS:\r\n"
               "SYNC:*  TYPE:1  STID:0123  STHE:0\r\n"
               "AGE:+001.7  QA:100.0%  OFFSET:2\r\n"
               "SETUP:\r\n";
        out += cformat("MODE:REMOTE,PORT:%c,SPD:9600\r\n", port_ == 'A' ? 'B' : 'A');
        out += "FRQ:1 MAX:060 TYP:1\r\n"
               "BASE: LAT:5546.12345N LON:03737.54321E ALT:+0165.00\r\n"
               "MSG:BASE 0123 READY\r\n"
               "MSG(GLO):GLONASS BASE 0123\r\n";
        return true;
    }
    if (body == "$PXKTQ,CPD") {
        out += "CPD MODE:" + config_.cpdMode + " STAT:ON\r\n";
        out += "BAS POS USED:RECEIVED\r\n";
        out += config_.fixed ? "AMBIGUITY:FIXED\r\n" : "AMBIGUITY:FLOAT\r\n";
        out += "TF:0010 DLF:0120 TC:0050 DLC:0400\r\n"
               "FAST CPD:ON\r\n";
        out += withChecksum("$PXKTR,LTN,ROV,1,0120");
        out += withChecksum("$PXKTR,RRE,3,02,0.4,05,-0.2,12,0.1,0.031,0.052");
        return true;
    }
    const std::string mode = config_.cpdMode == "RVP ROV" ? "ROV" : config_.cpdMode;
    if (body == "$PXKTQ,CPD,DLK") {
        out += withChecksum(cformat("$PXKTR,CPD,DLK,%s,B,0123,%04d,%02d,1200,+", mode.c_str(),
                                    2 + static_cast<int>(clock.seconds) % 3, 98));
        return true;
    }
    if (body == "$PXKTQ,CPD,INF") {
        out += withChecksum("$PXKTR,CPD,INF," + mode + ",03,02+,05C,12-,04,02+,05+,12P,17+");
        return true;
    }
    if (body == "$PXKTQ,CBN" && (model_ == 4 || model_ == 18 || model_ == 19)) {
        const double s = clock.seconds;
        out += withChecksum(cformat(
            "$PXKTR,CBN,%s,%s,06,5546.%05d,N,03737.%05d,E,%.3f,0.012,0.010,0.025,1.8,0.9,1.5,"
            "0.8,0.001,-0.002,0.000,0.010,0.010,0.020",
            clock.hhmmss().c_str(), config_.fixed ? "FIX" : "FLT",
            12345 + static_cast<int>(wave(s, 40, 3)), 54321 + static_cast<int>(wave(s, 55, 4)),
            165.0 + wave(s, 30, 0.05)));
        return true;
    }
    return false;
}

std::string RtkAnswers::message(int type, const std::string& time, const std::string& tail) {
    const int seq = sequence_;
    sequence_ = (sequence_ + 1) % 8;
    return withChecksum(cformat("$GPMSG,%d,0123,%.1f,%d,0,%d,%s,%s", type, 1234.5, seq, 1,
                                time.c_str(), tail.c_str()));
}

std::string RtkAnswers::messages(const EpochClock& clock) {
    const EpochClock at = shifted(clock, -1.0);
    const std::string time = at.hhmmss();
    const long whole = static_cast<long>(std::floor(at.seconds));
    std::string out;
    auto groups = [&](const auto& sats, double scale) {
        std::string g;
        for (const Sat& v : sats) {
            if (!g.empty())
                g += ',';
            g += cformat("0,%d,%.3f,%.3f,%d", v.prn, scale * v.prn + wave(at.seconds, 60, 0.3),
                         0.001 * v.prn, 40 + v.prn);
        }
        return g;
    };
    out += message(1, time, groups(kGps, 0.25));
    if (whole % 15 == 5)
        out += message(2, time, cformat("0,%d,0.050,-0.001,%d", kGps[0].prn, 40 + kGps[0].prn));
    if (whole % 10 == 0)
        out += message(3, time, "2849012.345,2169254.678,5256148.901");
    if (whole % 30 == 0)
        out += message(16, time, "BASE 0123 READY");
    out += message(31, time, groups(kGlonass, -0.5));
    if (whole % 10 == 0)
        out += message(32, time, "2849010.112,2169256.204,5256147.388");
    if (whole % 30 == 0)
        out += message(36, time, "GLONASS BASE 0123");
    return out;
}

std::string RtkAnswers::epoch(const std::set<std::string>& on, const EpochClock& clock,
                              bool standardGsa) {
    const auto has = [&](const char* m) { return on.count(m) != 0; };
    std::string out;
    const bool noMsg = model_ == 5 || model_ == 6 || model_ == 7;
    if (has("MSG") && !noMsg && config_.rtcmOn)
        out += messages(clock);
    const std::string time = clock.hhmmss();
    if (has("GSA")) {
        if (!standardGsa) {
            std::string s = "$GPGSA,A,3";
            for (std::size_t i = 0; i < 12; ++i)
                s += i < std::size(kGps) ? cformat(",%02d", kGps[i].prn) : std::string(",");
            out += withChecksum(s + ",1.8,0.9,1.5");
        }
        std::string g = "$GLGSA,A,3";
        for (std::size_t i = 0; i < 12; ++i)
            g += i < std::size(kGlonass) ? cformat(",%02d", kGlonass[i].prn + kGlonassOffset)
                                         : std::string(",");
        out += withChecksum(g + ",1.8,0.9,1.5");
    }
    if (has("GRS")) {
        std::string s = "$GPGRS," + time + ",1";
        for (std::size_t i = 0; i < 12; ++i)
            s += i < std::size(kGps)
                     ? cformat(",%.1f", wave(clock.seconds + static_cast<double>(i), 20, 2.0))
                     : std::string(",");
        out += withChecksum(s);
    }
    if (has("GSN")) {
        std::string s = cformat("$GPGSN,%d", static_cast<int>(std::size(kGps)));
        for (const Sat& v : kGps)
            s += cformat(",%02d,%d", v.prn, v.snr);
        out += withChecksum(s);
        std::string g = cformat("$GLGSN,%d", static_cast<int>(std::size(kGlonass)));
        for (const Sat& v : kGlonass)
            g += cformat(",%02d,%d", v.prn + kGlonassOffset, v.snr);
        out += withChecksum(g);
    }
    if (has("VEC") && model_ == 16) {
        const double s = clock.seconds;
        out += withChecksum(cformat(
            "$PXKTR,VEC,%s,2,1,0,%d,08,09,08,0,0120,0,1,%+.4f,%+.4f,%+.4f,0.0100,0.0100,0.0200",
            time.c_str(), config_.fixed ? 1 : 0, 12.3247 + wave(s, 40, 0.02),
            -5.6596 + wave(s, 55, 0.02), 0.8883 + wave(s, 30, 0.03)));
    }
    return out;
}

} // namespace rxsim
