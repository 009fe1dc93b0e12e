#include "receiver.h"

#include "base/text.h"
#include "decode/framing.h"
#include "decode/models.h"

#include <array>

using trix::cformat;

namespace rxsim {
namespace {

constexpr std::array<long, 10> kBauds{300,  600,   1200,  2400,  4800,
                                      9600, 19200, 38400, 57600, 115200};

// Type codes of the identification answer by model index (model 1 answers an unlisted code).
struct RidRow {
    int model;
    const char* code; // the characters after "$PXKTR,RID,"
};
constexpr std::array kRid{
    RidRow{1, "ZZ,UN10"},  RidRow{3, "L6,LA21"},  RidRow{4, "C9,CB30"},  RidRow{5, "M4,MF22"},
    RidRow{6, "W5,WD11"},  RidRow{7, "K7,QG30"},  RidRow{8, "T8,TA40"},  RidRow{9, "D1,DC12"},
    RidRow{10, "E7,EA05"}, RidRow{11, "Y6,QN31"}, RidRow{12, "Y6,QA31"}, RidRow{13, "RX08,A1"},
    RidRow{14, "R5,RB17"}, RidRow{15, "H9,HA02"}, RidRow{16, "S8,QF30"}, RidRow{17, "F2,VR50"},
    RidRow{18, "B4,BA61"}, RidRow{19, "V2,VA09"},
};

bool checksumOk(std::string_view line) {
    std::size_t star = line.rfind('*');
    if (star == std::string_view::npos)
        return true; // a command without a checksum is taken as it is
    unsigned long sent = 0;
    return trix::parseHex(line.substr(star + 1), sent) &&
           trix::nmeaChecksum(line.substr(0, star)) == (sent & 0xFF);
}

std::string_view fieldAt(std::string_view s, int n) { // n-th comma field, 0-based
    for (int i = 0; i < n; ++i) {
        std::size_t c = s.find(',');
        if (c == std::string_view::npos)
            return {};
        s.remove_prefix(c + 1);
    }
    return s.substr(0, s.find(','));
}

} // namespace

long baudOfIndex(long index) {
    return index >= 0 && index < 10 ? kBauds[static_cast<std::size_t>(index)] : 0;
}

Receiver::Receiver(ReceiverConfig config)
    : config_(std::move(config)), baud_(config_.baud), terminal_(config_.terminal),
      dgps_(config_.dgps, config_.model, config_.port) {
    if (config_.outputsOn) {
        if (proprietary()) {
            on_ = {"POS", "SAT"};
            if (config_.model == 17)
                on_.insert({"AT2", "SA4"});
        } else {
            on_ = {"GGA", "GSA", "GSV", "VTG"};
        }
    }
}

bool Receiver::proprietary() const {
    return !trix::modelCan(config_.model).nmea && !trix::modelCan(config_.model).yqn;
}

std::string Receiver::ridCode() const {
    for (const auto& r : kRid) {
        if (r.model == config_.model)
            return r.code;
    }
    return "ZZ,UN10";
}

bool Receiver::ignored(const std::string& line) const {
    if (config_.silent)
        return true;
    for (const auto& w : config_.ignore) {
        if (!w.empty() && line.find(w) != std::string::npos)
            return true;
    }
    return false;
}

void Receiver::receive(std::string_view bytes, std::string& out,
                       std::vector<std::string>& commands) {
    if (hostMode_) {
        hostBytes(bytes, out, commands);
        return;
    }
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        char c = bytes[i];
        line_.push_back(c);
        if (line_.size() > 4096)
            line_.clear();
        if (c == '\n' && line_.size() >= 2 && line_[line_.size() - 2] == '\r') {
            std::string line = line_.substr(0, line_.size() - 2);
            line_.clear();
            if (line.empty())
                continue;
            commands.push_back(line);
            std::string answers;
            handleLine(line, answers);
            terminal_.deliver(std::move(answers), out);
            if (hostMode_) {
                hostBytes(bytes.substr(i + 1), out, commands);
                return;
            }
        }
    }
}

void Receiver::hostBytes(std::string_view bytes, std::string& out,
                         std::vector<std::string>& commands) {
    host_.append(bytes);
    for (;;) {
        if (host_.size() >= 2 && host_[0] == '\0' && host_[1] == '\0') {
            host_.erase(0, 2);
            hostMode_ = false;
            out.push_back('\0');
            commands.emplace_back(kLeaveHostMode);
            std::string rest = host_;
            host_.clear();
            receive(rest, out, commands);
            return;
        }
        if (host_.size() >= 7 && host_[0] == '\x04' && host_[5] == '\x61' && host_[6] == '\x04') {
            host_.erase(0, 7);
            out += almanacSegment(config_.almanacGarbage);
            continue;
        }
        if (!host_.empty() && host_[0] != '\0' && host_[0] != '\x04') {
            host_.erase(0, 1); // not part of any request
            continue;
        }
        if (host_.size() >= 7 && host_[0] == '\x04') {
            host_.erase(0, 1);
            continue;
        }
        return;
    }
}

void Receiver::handleLine(const std::string& line, std::string& out) {
    if (line[0] != '$' || ignored(line))
        return;
    std::string body = line.substr(0, line.rfind('*'));
    if (line.rfind('*') == std::string::npos)
        body = line;
    std::string_view word = fieldAt(body, 1);
    if (config_.model == 2) {
        if (body.rfind("$PYQN,", 0) == 0) {
            if (checksumOk(line))
                handleYqn(word, out);
        } else if (body.rfind("$ECGPQ,", 0) == 0) {
            on_.insert(std::string(word));
        } else if (body.rfind("$PXKTQ,", 0) == 0 || body.rfind("$PXKTS,", 0) == 0) {
            out += withChecksum("$PYQN,ERR,UNKNOWN");
        }
        return;
    }
    if (!checksumOk(line) || terminal_.refused(line)) {
        out += terminal_.nak(word);
        return;
    }
    if (body.rfind("$PXKTS,", 0) == 0)
        handleSetting(body, word, out);
    else if (body.rfind("$PXKTQ,", 0) == 0)
        handleQuery(body, word, out);
}

void Receiver::allOff() {
    on_.clear();
}

void Receiver::handleSetting(const std::string& body, std::string_view word, std::string& out) {
    const std::string w(word);
    if (w == "HOS") {
        out += withChecksum("$PXKTR,HOS");
        hostMode_ = true;
        return;
    }
    out += terminal_.ack(w);
    terminal_.remember(body);
    if (w == "NME") {
        std::string msg(fieldAt(body, 2));
        std::string_view port = fieldAt(body, 3);
        std::string_view state = fieldAt(body, 4);
        if (port.size() != 1 || port[0] != config_.port)
            return;
        if (msg == "ALL") {
            if (state == "OFF")
                allOff();
        } else if (state == "ON") {
            on_.insert(msg);
        } else if (state == "OFF") {
            on_.erase(msg);
        }
    } else if (w == "OUT") {
        std::string_view port = fieldAt(body, 2);
        std::string_view mode = fieldAt(body, 3);
        if (port.size() == 1 && port[0] == config_.port) {
            binary_ = mode == "BIN";
            if (mode == "AT2")
                on_.insert("AT2");
            if (mode.empty())
                allOff();
        }
    } else if (w == "SPD") {
        std::string_view port = fieldAt(body, 2);
        long rate = baudOfIndex(trix::parseInteger(fieldAt(body, 3)));
        if (port.size() == 1 && port[0] == config_.port && rate > 0)
            baud_ = rate;
    } else if (w == "RAW") {
        out += rawAlmanacOutput(body, config_.port, config_.almanacGarbage);
    } else if (w == "RST") {
        int m = config_.model;
        baud_ = trix::modelCan(m).resetTo4800 ? 4800 : 9600;
        allOff();
    }
}

void Receiver::handleQuery(const std::string& body, std::string_view word, std::string& out) {
    if (dgps_.answer(body, clock_, out))
        return;
    const std::string w(word);
    const int m = config_.model;
    if (w == "PRT") {
        out += withChecksum(cformat("$PXKTR,PRT,%c,%ld", config_.port, baud_));
    } else if (w == "RID") {
        out += withChecksum("$PXKTR,RID," + ridCode() + ",SIM0001");
    } else if (w == "CSN" && trix::hasCsn(m)) {
        out += csnSentence(clock_);
    } else if (w == "NME" && fieldAt(body, 2) == "TAG" && trix::hasCsn(m)) {
        out += withChecksum("$PXKTR,NME,TAG,XKT");
    } else if (w == "SAL") {
        for (int prn = 1; prn <= 32; ++prn)
            out += gpsAlmanacAnswer(prn, config_.almanacGarbage);
    } else if (w == "SAG") {
        for (int slot = 1; slot <= 24; ++slot)
            out += glonassAlmanacAnswer(slot, config_.almanacGarbage);
    } else if (w == "RAW") {
        out += "RCI:1.00\r\n";
    } else if (!terminal_.answer(body, w, on_, config_.port, baud_, out)) {
        out += terminal_.nak(w);
    }
}

void Receiver::handleYqn(std::string_view word, std::string& out) {
    const std::string p(1, config_.port);
    if (word == "ACK" || word == "PWOFF") {
        out += withChecksum("$PYQN,ACK," + std::string(word) + ",0," + p);
    } else if (word == "COMMNT") {
        out += withChecksum("$PYQN,COMMNT,V1.0,SN00123, ZELP simulated receiver");
    } else if (word == "LANG") {
        out += withChecksum("$PYQN,LAN,ENG");
    } else if (word == "OUTOFF") {
        allOff();
        out += withChecksum("$PYQN,ACK,OUTOFF,0," + p);
    }
}

std::string Receiver::epoch() {
    std::string out;
    const auto has = [this](const char* m) { return on_.count(m) != 0; };
    const std::string fw = ridCode().substr(ridCode().find(',') + 1);
    if (proprietary()) {
        if (config_.model == 17 && has("AT2"))
            out += at2Sentence(clock_);
        if (has("POS"))
            out += posSentence(clock_, fw);
        if (has("SAT"))
            out += satSentence();
        if (config_.model == 17 && has("SA4")) {
            for (int a = 1; a <= 4; ++a)
                out += sa4Sentence(a);
        }
    } else {
        if (has("GGA"))
            out += ggaSentence(clock_);
        if (has("GSA"))
            out += gsaSentence();
        if (has("GSV"))
            out += gsvSentences();
        if (has("VTG"))
            out += vtgSentence();
    }
    out += dgps_.epoch(on_, clock_, !proprietary() && has("GSA"));
    clock_.seconds += 1.0;
    return out;
}

std::string Receiver::blastEpoch() {
    std::string out;
    const std::string fw = ridCode().substr(ridCode().find(',') + 1);
    if (proprietary()) {
        if (config_.model == 17)
            out += at2Sentence(clock_);
        out += posSentence(clock_, fw);
        out += satSentence();
        if (config_.model == 17) {
            for (int a = 1; a <= 4; ++a)
                out += sa4Sentence(a);
        }
    } else {
        out += ggaSentence(clock_) + gsaSentence() + gsvSentences() + vtgSentence();
    }
    clock_.seconds += 0.05;
    return out;
}

} // namespace rxsim
