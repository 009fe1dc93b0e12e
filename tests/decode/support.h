#pragma once
// Sentence builders and recording sinks shared by the decoder tests.

#include "base/text.h"
#include "decode/epoch_decoder.h"
#include "decode/framing.h"

#include <string>
#include <utility>
#include <vector>

namespace trixtest {

// "$" + body + "*" + checksum.
inline std::string sentence(const std::string& body) {
    return "$" + body + trix::cformat("*%02X", trix::nmeaChecksum(body));
}

// Records every change mask the decoder reports.
struct RecordingChanges : trix::ChangeSink {
    std::vector<int> masks;
    void changed(int mask) override { masks.push_back(mask); }
    // Reports carrying all of `bits`, and (when given) none of `without`.
    int count(int bits, int without = 0) const {
        int n = 0;
        for (int m : masks)
            n += (m & bits) == bits && (m & without) == 0;
        return n;
    }
};

struct RecordingMessages : trix::MessageSink {
    std::vector<std::string> texts;
    trix::Answer show(std::string_view text, trix::Buttons, trix::Icon) override {
        texts.emplace_back(text);
        return trix::Answer::Ok;
    }
};

struct FakeSession : trix::LogSessionHook {
    bool on = true;
    int autoSave = 0;
    int splits = 0;
    bool active() const override { return on; }
    int autoSaveEpochs() const override { return autoSave; }
    void splitFile() override { ++splits; }
};

struct FakePort : trix::PortHook {
    bool open = true;
    std::vector<std::string> written;
    bool portOpen() const override { return open; }
    void writeQuery(std::string_view t) override { written.emplace_back(t); }
};

// hhmmss.ss of a second count from midnight.
inline double hms(int seconds, int hundredths = 0) {
    int h = seconds / 3600 % 24, m = seconds / 60 % 60, s = seconds % 60;
    return h * 10000.0 + m * 100.0 + s + hundredths / 100.0;
}

inline std::string gga(double t, const char* lat = "4807.038", const char* ns = "N",
                       const char* lon = "01131.000", const char* ew = "E", int quality = 1,
                       const char* alt = "545.4", const char* sep = "46.9") {
    return sentence(trix::cformat("GPGGA,%09.2f,%s,%s,%s,%s,%d,08,0.9,%s,M,%s,M,,", t, lat, ns, lon,
                                  ew, quality, alt, sep));
}
inline std::string gsa() {
    return sentence("GPGSA,A,3,04,05,,09,12,,,24,,,,,2.5,1.3,2.1");
}
inline std::string vtg(const char* mode = "A") {
    return sentence(trix::cformat("GPVTG,054.7,T,034.4,M,005.5,N,010.2,K,%s", mode));
}
// A complete GSV group of `messages` messages describing 4 × messages - 1 satellites.
inline std::vector<std::string> gsvGroup(int messages, const char* talker = "GP") {
    std::vector<std::string> out;
    int total = messages * 4 - 1;
    for (int m = 1; m <= messages; ++m) {
        std::string body = trix::cformat("%sGSV,%d,%d,%02d", talker, messages, m, total);
        for (int k = 0; k < 4; ++k) {
            int idx = (m - 1) * 4 + k;
            if (idx >= total)
                break;
            body += trix::cformat(",%02d,%02d,%03d,%02d", idx + 1, 10 + idx, (idx * 37) % 360,
                                  30 + idx);
        }
        out.push_back(sentence(body));
    }
    return out;
}

inline std::string pos(double t, char mode = '0', const char* vv = "-00.3",
                       const char* lat = "4807.038", const char* lon = "01131.000") {
    return sentence(
        trix::cformat("PXKTR,POS,%c,07,%09.2f,%s,N,%s,E,512.3,M,123.4,1.5,%s,2.1,1.2,1.7,1.0,QF30",
                      mode, t, lat, lon, vv));
}
inline std::string sat3() {
    return sentence("PXKTR,SAT,3,05,120,45,44,U,12,240,30,40,U,40,010,15,33,-");
}
inline std::string at2(double t, char reset = '0', const char* heading = "123.5") {
    return sentence(
        trix::cformat("PXKTR,AT2,%09.2f,%s,-2.5,1.25,0.012,0.003,%c,5,1.234", t, heading, reset));
}
inline std::string csn(const std::string& rest) {
    return sentence("PXKTR,CSN,123456.00," + rest);
}
inline std::string sa4(int antenna) {
    return sentence(trix::cformat("PXKTR,SA4,%d,2,05,44,12,40", antenna));
}

} // namespace trixtest
