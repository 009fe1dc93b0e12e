// samplegen: writes a deterministic receiver log (sentences with correct checksums and CR LF
// endings) for a static antenna with noise, so sample data, tests and benchmarks need no
// recorded hardware output.

#include "decode/framing.h"
#include "base/text.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

constexpr const char* kUsage =
    "usage: samplegen --kind nmea|pos|attitude [--epochs N] [--seed S] [--gsv M]\n"
    "                 [--drop-vtg-after E] [--corrupt-every K] [-o FILE]\n";

// xorshift64*: the same numbers on every platform and library.
class Random {
public:
    explicit Random(std::uint64_t seed) : s_(seed ? seed : 0x9e3779b97f4a7c15ull) {}
    std::uint64_t next() {
        s_ ^= s_ >> 12;
        s_ ^= s_ << 25;
        s_ ^= s_ >> 27;
        return s_ * 2685821657736338717ull;
    }
    double uniform() { return static_cast<double>(next() >> 11) * (1.0 / 9007199254740992.0); }
    // Roughly normal: the sum of four uniforms, centred and scaled to unit deviation.
    double normal() {
        return (uniform() + uniform() + uniform() + uniform() - 2.0) * 1.7320508075688772;
    }

private:
    std::uint64_t s_;
};

struct Options {
    std::string kind = "nmea";
    int epochs = 300;
    std::uint64_t seed = 1;
    int gsvMessages = 3;
    int dropVtgAfter = -1;
    int corruptEvery = 0;
    std::string output;
};

struct Satellite {
    int sv, elevation, azimuth, snr;
};

class Writer {
public:
    Writer(std::FILE* out, const Options& o) : out_(out), opt_(o) {}

    void sentence(const std::string& body) {
        std::string line = body + trix::cformat("*%02X", trix::nmeaChecksum(body));
        ++lines_;
        if (opt_.corruptEvery > 0 && lines_ % static_cast<unsigned>(opt_.corruptEvery) == 0)
            line[line.size() - 1] = line[line.size() - 1] == '0' ? '1' : '0';
        line += "\r\n";
        std::fwrite(line.data(), 1, line.size(), out_);
    }

private:
    std::FILE* out_;
    const Options& opt_;
    unsigned lines_ = 0;
};

// Time of day as hhmmss.ss for a number of seconds after 12:00:00.
std::string timeText(int second) {
    int t = 12 * 3600 + second;
    t %= 86400;
    return trix::cformat("%02d%02d%02d.00", t / 3600, t / 60 % 60, t % 60);
}

std::string ddmm(double degrees, int degreeDigits) {
    double a = std::fabs(degrees);
    int d = static_cast<int>(a);
    double m = (a - d) * 60.0;
    return degreeDigits == 2 ? trix::cformat("%02d%07.4f", d, m)
                             : trix::cformat("%03d%07.4f", d, m);
}

int generate(const Options& o, std::FILE* out) {
    Random rng(o.seed);
    Writer w(out, o);
    const double lat0 = 48.1173, lon0 = 11.516666, alt0 = 545.4;
    const double metresPerDegLat = 111132.0;
    const double metresPerDegLon = 111132.0 * std::cos(lat0 * 3.141592653589793 / 180.0);
    Satellite sats[12];
    for (int i = 0; i < 12; ++i)
        sats[i] = {static_cast<int>(2 + i * 3 % 31), 10 + static_cast<int>(rng.uniform() * 75),
                   static_cast<int>(rng.uniform() * 359),
                   30 + static_cast<int>(rng.uniform() * 20)};
    double east = 0, north = 0, up = 0;
    for (int e = 0; e < o.epochs; ++e) {
        // A slowly wandering error with noise, and now and then a jump (an outlier).
        east = 0.9 * east + 0.6 * rng.normal();
        north = 0.9 * north + 0.6 * rng.normal();
        up = 0.9 * up + 1.0 * rng.normal();
        double je = 0, jn = 0;
        if (rng.uniform() < 0.02) {
            je = 8.0 * rng.normal();
            jn = 8.0 * rng.normal();
        }
        double lat = lat0 + (north + jn) / metresPerDegLat;
        double lon = lon0 + (east + je) / metresPerDegLon;
        double alt = alt0 + up;
        std::string t = timeText(e);
        int used = 7 + static_cast<int>(rng.uniform() * 4);
        double hdop = 0.8 + rng.uniform() * 0.4, vdop = 1.2 + rng.uniform() * 0.5;
        double pdop = std::sqrt(hdop * hdop + vdop * vdop), tdop = 0.9 + rng.uniform() * 0.3;
        double course = rng.uniform() * 359.9, knots = std::fabs(0.05 * rng.normal());
        double vv = 0.2 * rng.normal(); // m/s
        for (auto& s : sats)
            s.snr = std::min(55, std::max(20, s.snr + static_cast<int>(std::lround(rng.normal()))));

        if (o.kind == "nmea") {
            double sep = 47.0;
            w.sentence(trix::cformat("$GPGGA,%s,%s,N,%s,E,1,%02d,%.1f,%.1f,M,%.1f,M,,", t.c_str(),
                                     ddmm(lat, 2).c_str(), ddmm(lon, 3).c_str(), used, hdop,
                                     alt - sep, sep));
            std::string gsa = "$GPGSA,A,3";
            for (int i = 0; i < 12; ++i)
                gsa += i < used ? trix::cformat(",%02d", sats[i].sv) : std::string(",");
            w.sentence(gsa + trix::cformat(",%.1f,%.1f,%.1f", pdop, hdop, vdop));
            int per = (12 + o.gsvMessages - 1) / o.gsvMessages;
            for (int m = 0; m < o.gsvMessages; ++m) {
                std::string gsv = trix::cformat("$GPGSV,%d,%d,%02d", o.gsvMessages, m + 1, 12);
                for (int i = m * per; i < (m + 1) * per && i < 12; ++i)
                    gsv += trix::cformat(",%02d,%02d,%03d,%02d", sats[i].sv, sats[i].elevation,
                                         sats[i].azimuth, sats[i].snr);
                w.sentence(gsv);
            }
            if (o.dropVtgAfter < 0 || e < o.dropVtgAfter)
                w.sentence(trix::cformat("$GPVTG,%.1f,T,%.1f,M,%.3f,N,%.3f,K,A", course, course,
                                         knots, knots * 1.852));
        } else {
            bool attitude = o.kind == "attitude";
            if (attitude) {
                bool bad = rng.uniform() < 0.05;
                double heading = std::fmod(359.0 + 2.0 * rng.normal() + 360.0, 360.0);
                w.sentence(trix::cformat(
                    "$PXKTR,AT2,%s,%.2f,%.2f,%.2f,%.3f,%.3f,%d,%d,0.%d%d%d", t.c_str(),
                    bad ? 0.0 : heading, bad ? 0.0 : 1.5 + 0.3 * rng.normal(),
                    bad ? 0.0 : -0.7 + 0.3 * rng.normal(), 0.004 + 0.001 * rng.uniform(),
                    0.006 + 0.001 * rng.uniform(), bad ? 1 : 0, used,
                    static_cast<int>(rng.uniform() * 10), static_cast<int>(rng.uniform() * 10),
                    static_cast<int>(rng.uniform() * 10)));
            }
            // Vertical velocity in tenths of m/s with a decimal point (scale 10 by detection).
            w.sentence(trix::cformat(
                "$PXKTR,POS,%d,%02d,%s,%s,N,%s,E,%.2f,0,%.1f,%.2f,%+05.1f,%.1f,%.1f,%.1f,%.1f,%s",
                rng.uniform() < 0.9 ? 1 : 0, used, t.c_str(), ddmm(lat, 2).c_str(),
                ddmm(lon, 3).c_str(), alt, course, knots, vv, pdop, hdop, vdop, tdop,
                attitude ? "VR50" : "QF30"));
            std::string sat = trix::cformat("$PXKTR,SAT,%d", 12);
            for (int i = 0; i < 12; ++i)
                sat += trix::cformat(",%d,%d,%d,%d,%c", sats[i].sv, sats[i].azimuth,
                                     sats[i].elevation, sats[i].snr, i < used ? 'U' : '-');
            w.sentence(sat);
            if (attitude) {
                for (int a = 1; a <= 4; ++a) {
                    std::string sa4 = trix::cformat("$PXKTR,SA4,%d,%d", a, 8);
                    for (int i = 0; i < 8; ++i)
                        sa4 += trix::cformat(",%d,%d", sats[i].sv, sats[i].snr - a);
                    w.sentence(sa4);
                }
            }
        }
    }
    return std::ferror(out) ? 1 : 0;
}

} // namespace

int main(int argc, char** argv) {
    Options o;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        auto value = [&](long lo, long hi, long& v) {
            if (++i >= argc)
                return false;
            v = trix::parseInteger(argv[i]);
            return v >= lo && v <= hi;
        };
        long v = 0;
        if (a == "--help" || a == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        } else if (a == "--kind" && i + 1 < argc) {
            o.kind = argv[++i];
            if (o.kind != "nmea" && o.kind != "pos" && o.kind != "attitude") {
                std::fputs(kUsage, stderr);
                return 2;
            }
        } else if (a == "--epochs" && value(1, 10000000, v)) {
            o.epochs = static_cast<int>(v);
        } else if (a == "--seed" && value(0, 1L << 62, v)) {
            o.seed = static_cast<std::uint64_t>(v);
        } else if (a == "--gsv" && value(1, 3, v)) {
            o.gsvMessages = static_cast<int>(v);
        } else if (a == "--drop-vtg-after" && value(0, 10000000, v)) {
            o.dropVtgAfter = static_cast<int>(v);
        } else if (a == "--corrupt-every" && value(1, 10000000, v)) {
            o.corruptEvery = static_cast<int>(v);
        } else if (a == "-o" && i + 1 < argc) {
            o.output = argv[++i];
        } else {
            std::fputs(kUsage, stderr);
            return 2;
        }
    }
    std::FILE* out = o.output.empty() ? stdout : std::fopen(o.output.c_str(), "wb");
    if (!out) {
        std::fprintf(stderr, "samplegen: cannot create %s\n", o.output.c_str());
        return 1;
    }
    int rc = generate(o, out);
    if ((out == stdout ? std::fflush(out) : std::fclose(out)) != 0)
        rc = 1;
    return rc;
}
