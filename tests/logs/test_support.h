#pragma once
// Helpers shared by the log-layer tests: a recording message sink, a fake timer host and a
// private temporary folder.

#include "decode/framing.h"
#include "base/text.h"
#include "base/ui.h"
#include "logs/timer_host.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace trix::logs::test {

class RecordingSink : public MessageSink {
public:
    Answer show(std::string_view text, Buttons buttons, Icon) override {
        texts.emplace_back(text);
        if (buttons == Buttons::YesNo) {
            Answer a = answers.empty() ? Answer::No : answers.front();
            if (!answers.empty())
                answers.erase(answers.begin());
            return a;
        }
        return Answer::Ok;
    }
    void beep() override { ++beeps; }
    void status(std::string_view text) override { statuses.emplace_back(text); }
    bool saw(std::string_view text) const {
        for (const auto& t : texts)
            if (t == text)
                return true;
        return false;
    }
    std::vector<std::string> texts;
    std::vector<std::string> statuses;
    std::vector<Answer> answers;
    int beeps = 0;
};

class FakeTimers : public TimerHost {
public:
    bool start(int id, long long ms) override {
        if (refuse)
            return false;
        running[id] = ms;
        return true;
    }
    void kill(int id) override { running.erase(id); }
    std::map<int, long long> running;
    bool refuse = false;
};

class TempDir {
public:
    TempDir() {
        char pattern[] = "/tmp/trixlogs-test-XXXXXX";
        path = ::mkdtemp(pattern);
        path += '/';
    }
    ~TempDir() { std::filesystem::remove_all(path); }
    std::string file(const std::string& name) const { return path + name; }
    void write(const std::string& name, const std::string& content) const {
        std::ofstream(file(name), std::ios::binary) << content;
    }
    std::string path;
};

inline std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

// A sentence body with its checksum and CR LF.
inline std::string line(const std::string& body) {
    return body + cformat("*%02X", nmeaChecksum(body)) + "\r\n";
}

// One NMEA epoch: GGA, GSA, three GSV messages, VTG (optional).
inline std::string nmeaEpoch(int second, bool vtg = true, double latMinutes = 7.038) {
    std::string t = cformat("12%02d%02d.00", second / 60, second % 60);
    std::string s = line(cformat("$GPGGA,%s,48%07.4f,N,01131.0000,E,1,08,0.9,500.0,M,47.0,M,,",
                                 t.c_str(), latMinutes));
    s += line("$GPGSA,A,3,04,05,09,12,,,,,,,,,2.5,1.3,2.1");
    s += line("$GPGSV,3,1,09,04,40,083,46,05,21,120,42,09,62,309,48,12,15,210,38");
    s += line("$GPGSV,3,2,09,14,40,083,46,15,21,120,42,19,62,309,48,22,15,210,38");
    s += line("$GPGSV,3,3,09,24,40,083,46");
    if (vtg)
        s += line("$GPVTG,054.7,T,034.4,M,005.5,N,010.2,K,A");
    return s;
}

inline std::string posEpoch(int second, double latMinutes = 7.038) {
    std::string t = cformat("12%02d%02d.00", second / 60, second % 60);
    return line(cformat("$PXKTR,POS,1,08,%s,48%07.4f,N,01131.0000,E,545.40,0,054.7,0.50,+00.3,"
                        "2.5,1.3,2.1,1.0,QF30",
                        t.c_str(), latMinutes)) +
           line("$PXKTR,SAT,2,4,83,40,46,U,5,120,21,42,-");
}

} // namespace trix::logs::test
