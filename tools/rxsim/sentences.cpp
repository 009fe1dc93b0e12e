#include "sentences.h"

#include "base/text.h"
#include "decode/framing.h"

#include <cmath>
#include <cstring>

using trix::cformat;

namespace rxsim {

std::string withChecksum(std::string_view body) {
    std::string s(body);
    s += cformat("*%02X\r\n", trix::nmeaChecksum(body));
    return s;
}

std::string EpochClock::hhmmss() const {
    long whole = static_cast<long>(seconds) % 86400;
    double frac = seconds - std::floor(seconds);
    return cformat("%02ld%02ld%05.2f", whole / 3600, (whole / 60) % 60,
                   static_cast<double>(whole % 60) + frac);
}

namespace {
// A slow wander around a fixed point, so that positions differ from epoch to epoch.
double wobble(const EpochClock& t, double scale) {
    return std::sin(t.seconds / 7.0) * scale;
}

struct Sat {
    int prn, az, el, snr;
};
constexpr Sat kSats[] = {{4, 45, 62, 48},   {7, 120, 35, 44}, {9, 210, 20, 38},
                         {16, 300, 55, 46}, {21, 80, 12, 31}, {27, 170, 70, 50}};
} // namespace

std::string posSentence(const EpochClock& t, std::string_view firmware) {
    std::string fw(firmware);
    return withChecksum(cformat(
        "$PXKTR,POS,1,06,%s,5546.%05d,N,03737.%05d,E,%.3f,,%.1f,%.2f,-00.3,1.8,0.9,1.5,1.1,%s",
        t.hhmmss().c_str(), 12345 + static_cast<int>(wobble(t, 50)),
        54321 + static_cast<int>(wobble(t, 80)), 180.0 + wobble(t, 2), 90.0, 0.1, fw.c_str()));
}

std::string satSentence() {
    std::string s = cformat("$PXKTR,SAT,%02d", static_cast<int>(std::size(kSats)));
    for (const Sat& v : kSats)
        s += cformat(",%d,%d,%d,%d,U", v.prn, v.az, v.el, v.snr);
    return withChecksum(s);
}

std::string at2Sentence(const EpochClock& t) {
    return withChecksum(cformat("$PXKTR,AT2,%s,%.2f,%.2f,%.2f,0.004,0.120,0,1,0.012",
                                t.hhmmss().c_str(), 123.45 + wobble(t, 1), 1.5, -0.7));
}

std::string sa4Sentence(int antenna) {
    std::string s = cformat("$PXKTR,SA4,%d,%02d", antenna, static_cast<int>(std::size(kSats)));
    for (const Sat& v : kSats)
        s += cformat(",%d,%d", v.prn, v.snr - antenna);
    return withChecksum(s);
}

std::string csnSentence(const EpochClock& t) {
    std::string s =
        cformat("$PXKTR,CSN,%s,%02d,2", t.hhmmss().c_str(), static_cast<int>(std::size(kSats)));
    for (const Sat& v : kSats)
        s += cformat(",%d,%d,%d", v.prn, v.snr, v.snr - 6);
    return withChecksum(s);
}

std::string ggaSentence(const EpochClock& t) {
    return withChecksum(cformat("$GPGGA,%s,5546.%05d,N,03737.%05d,E,1,06,0.9,%.1f,M,14.2,M,,",
                                t.hhmmss().c_str(), 12345 + static_cast<int>(wobble(t, 50)),
                                54321 + static_cast<int>(wobble(t, 80)), 165.0 + wobble(t, 2)));
}

std::string gsaSentence() {
    std::string s = "$GPGSA,A,3";
    for (const Sat& v : kSats)
        s += cformat(",%02d", v.prn);
    for (std::size_t i = std::size(kSats); i < 12; ++i)
        s += ",";
    s += ",1.8,0.9,1.5";
    return withChecksum(s);
}

std::string gsvSentences() {
    // Six satellites over three messages of two each keeps the three-message shape.
    std::string out;
    const int total = 3;
    for (int m = 1; m <= total; ++m) {
        std::string s = cformat("$GPGSV,%d,%d,%02d", total, m, static_cast<int>(std::size(kSats)));
        for (int i = (m - 1) * 2; i < m * 2; ++i) {
            const Sat& v = kSats[i];
            s += cformat(",%02d,%02d,%03d,%02d", v.prn, v.el, v.az, v.snr);
        }
        out += withChecksum(s);
    }
    return out;
}

std::string vtgSentence() {
    return withChecksum("$GPVTG,090.0,T,080.5,M,000.1,N,000.2,K,A");
}

std::uint16_t wordSum(std::string_view bytes) {
    std::uint16_t sum = 0;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
        sum = static_cast<std::uint16_t>(sum + ((static_cast<unsigned char>(bytes[i]) << 8) |
                                                static_cast<unsigned char>(bytes[i + 1])));
    return sum;
}

namespace {
void putBe(std::string& out, std::uint64_t v, int bytes) {
    for (int i = bytes - 1; i >= 0; --i)
        out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}
void putFloat(std::string& out, float f) {
    std::uint32_t u;
    std::memcpy(&u, &f, 4);
    putBe(out, u, 4);
}
void putDouble(std::string& out, double d) {
    std::uint64_t u;
    std::memcpy(&u, &d, 8);
    putBe(out, u, 8);
}
bool hasCrLf(std::string_view s) {
    return s.find("\r\n") != std::string_view::npos;
}

// Payload plus checksum, with a spare byte nudged until no CR LF pair is left in it.
std::string sealed(std::string payload, std::size_t spare) {
    for (int tweak = 0; tweak < 256; ++tweak) {
        std::string out = payload;
        putBe(out, wordSum(payload), 2);
        if (!hasCrLf(out))
            return out;
        payload[spare] = static_cast<char>(static_cast<unsigned char>(payload[spare]) + 1);
    }
    return payload;
}
} // namespace

std::string salAnswer(int prn) {
    std::string p;
    putBe(p, static_cast<std::uint64_t>(prn - 1), 2);
    putBe(p, 0, 2);                      // health
    putFloat(p, 0.005f + prn * 0.0001f); // eccentricity
    putFloat(p, 319488.0f);              // time of applicability
    putFloat(p, 0.0095f);                // inclination offset
    putFloat(p, -2.6e-9f);               // rate of right ascension
    putDouble(p, 5153.6 + prn * 0.01);   // square root of the semi-major axis
    putDouble(p, -1.2 + prn * 0.2);      // right ascension
    putDouble(p, 0.7 - prn * 0.01);      // argument of perigee
    putDouble(p, 2.1 + prn * 0.1);       // mean anomaly
    putFloat(p, 1.9e-5f);                // af0
    putFloat(p, 0.0f);                   // af1
    putBe(p, 250, 2);                    // almanac week
    putBe(p, 2250, 2);                   // week
    putBe(p, 345600, 4);                 // time of week
    return "$PXKTR,SAL," + sealed(p, 47) + "\r\n";
}

std::string sagAnswer(int slot) {
    std::string p;
    putBe(p, static_cast<std::uint64_t>(slot), 2);
    for (int i = 0; i < 40; ++i)
        p.push_back(static_cast<char>((slot * 7 + i * 13) & 0x7F));
    return "$PXKTR,SAG," + sealed(p, 41) + "\r\n";
}

std::string segmentAnswer() {
    std::string data;
    for (int i = 0; i < 2240; ++i)
        data.push_back(static_cast<char>((i * 31 + 7) & 0xFF));
    std::string out(1, '\x04');
    out += data;
    putBe(out, wordSum(data), 2);
    return out;
}

} // namespace rxsim
