#include "almanac/almanac_download.h"

#include "base/strings.h"
#include "base/text.h"
#include "link/link.h"

#include <bit>
#include <cmath>

namespace trix::almanac {
namespace {

constexpr int kHostModel = 19; // RX-02: the memory-segment path
constexpr std::size_t kTypeAt = 7;
constexpr std::size_t kPayloadAt = 11;
constexpr std::size_t kGpsPayload = 68;
constexpr std::size_t kGlonassPayload = 42;
constexpr std::size_t kSegmentLength = kGpsTableSize + 2;

std::uint16_t be16(std::string_view s, std::size_t at) {
    return static_cast<std::uint16_t>((static_cast<unsigned char>(s[at]) << 8) |
                                      static_cast<unsigned char>(s[at + 1]));
}

std::span<const std::uint8_t> bytesOf(std::string_view s) {
    return {reinterpret_cast<const std::uint8_t*>(s.data()), s.size()};
}

bool sealed(std::string_view payloadAndSum, std::size_t payload) {
    return wordSum(bytesOf(payloadAndSum.substr(0, payload))) == be16(payloadAndSum, payload);
}

bool oneOf(int v, std::initializer_list<int> set) {
    for (int s : set) {
        if (v == s)
            return true;
    }
    return false;
}

} // namespace

bool LinkDownloadPort::send(std::string_view command) {
    return link_.sendCommand(command, true) == 1;
}
int LinkDownloadPort::modelIndex() const {
    return link_.state.modelIndex;
}
char LinkDownloadPort::receiverPort() const {
    return link_.state.receiverPort;
}
bool LinkDownloadPort::hostMode() const {
    return link_.state.hostMode;
}
bool LinkDownloadPort::blockPending() const {
    return link_.state.pendingBlock != 0;
}

AlmanacDownload::AlmanacDownload(AlmanacDocument& doc, DownloadLink& link, logs::TimerHost& timers,
                                 MessageSink& messages, DownloadEvents& events,
                                 DownloadTiming timing)
    : doc_(doc), link_(link), timers_(timers), messages_(messages), events_(events),
      timing_(timing), model_(link.modelIndex()),
      expected_(oneOf(link.modelIndex(), {3, 5, 6, 7, 16}) ? 56 : 32) {}

AlmanacDownload::~AlmanacDownload() {
    shutdown();
}

bool AlmanacDownload::start() {
    showProgress();
    if (!timers_.start(kStepTimer, timing_.stepMs) ||
        !timers_.start(kSilenceTimer, timing_.silenceMs)) {
        timers_.kill(kStepTimer);
        timers_.kill(kSilenceTimer);
        messages_.show(str::kOutOfTimers, Buttons::Ok, Icon::Stop);
        return false;
    }
    return true;
}

int AlmanacDownload::answered() const {
    return std::popcount(answeredGps_) + std::popcount(answeredGlonass_);
}

std::string AlmanacDownload::stepCommand(int n) const {
    const char port = link_.receiverPort();
    auto withPort = [port](std::string c, std::size_t at) {
        if (port != 0)
            c[at] = port;
        return c;
    };
    const bool rawPorts = model_ == 6 || model_ == 7;
    switch (n) {
    case 1:
        if (model_ == kHostModel)
            return "$PXKTS,HOS";
        return oneOf(model_, {5, 6, 7}) ? "" : "$PXKTQ,RAW";
    case 2:
        if (model_ == kHostModel)
            return "C_GETSEG,4010,1121";
        return oneOf(model_, {5, 6, 7}) ? "" : "$PXKTS,RCI,1";
    case 3:
        if (model_ == 4 || model_ == 18)
            return withPort("$PXKTS,OUT,A,BIN", 11);
        return rawPorts ? withPort("$PXKTS,RAW,SAL,A,ON", 15) : "";
    case 4:
        if (rawPorts)
            return withPort("$PXKTS,RAW,SAG,A,ON", 15);
        if (model_ == kHostModel)
            return "";
        if (model_ == 9)
            return std::string("$PXKTQ,SAL,") + (port != 0 ? port : 'A');
        return "$PXKTQ,SAL";
    case 5:
        return oneOf(model_, {3, 5, 16}) ? "$PXKTQ,SAG" : "";
    default:
        return "";
    }
}

void AlmanacDownload::doStep() {
    const int next = step_ + 1;
    // The memory segment can be asked for only once the receiver is in host mode, whenever
    // its answer to the host-mode command comes.
    if (model_ == kHostModel && next == 2 && !link_.hostMode())
        return;
    const std::string command = stepCommand(next);
    if (!command.empty())
        link_.send(command);
    step_ = next;
    if (model_ == kHostModel && next == 2) {
        percent_ = 25;
        events_.title(cformat(str::kAlmanacProgress, percent_));
    }
}

void AlmanacDownload::timer(int id) {
    if (over_)
        return;
    hostMode_ = hostMode_ || link_.hostMode();
    if (id == kSilenceTimer) {
        silenceCheck();
        return;
    }
    if (id != kStepTimer)
        return;
    if (step_ < kSteps)
        doStep();
    events_.animate();
    if (finishing_ > 0) {
        if (finishing_ >= 6)
            finish();
        else
            ++finishing_;
    }
}

void AlmanacDownload::silenceCheck() {
    // While a memory-segment block is being read its bytes are not counted yet.
    if (link_.hostMode() && link_.blockPending())
        return;
    const int sum = answered();
    if (sum == lastCount_ && finishing_ == 0) {
        finishing_ = 1;
        if (sum != 0) {
            percent_ = 100;
            events_.title(cformat(str::kAlmanacProgress, percent_));
        }
    } else {
        lastCount_ = sum;
    }
}

void AlmanacDownload::message(std::string_view m) {
    if (over_)
        return;
    hostMode_ = hostMode_ || link_.hostMode();
    const std::string_view type = m.size() >= 10 ? m.substr(kTypeAt, 3) : std::string_view{};
    if (type == "SAG") {
        if (m.size() >= kPayloadAt + kGlonassPayload + 2)
            glonassAnswer(m.substr(kPayloadAt, kGlonassPayload + 2));
    } else if (type == "SAL" || type == "ALM") {
        if (m.size() >= kPayloadAt + kGpsPayload + 2)
            gpsAnswer(m.substr(kPayloadAt, kGpsPayload + 2));
    } else if (m.substr(0, 4) == "RCI:") {
        savedInterval_ = parseReal(m.substr(4));
    } else if (m.substr(0, 5) == "ERROR") {
        messages_.show(str::kAlmanacErrorReadingBuffer, Buttons::Ok, Icon::Stop);
        startFinishing();
    } else if (m.size() > 1024) {
        segmentAnswer(m);
    }
    if (over_)
        return;
    if (answered() != shownCount_)
        showProgress();
    if (answered() == expected_)
        finish();
}

void AlmanacDownload::gpsAnswer(std::string_view p) {
    if (link_.checksumChecked() && !sealed(p, kGpsPayload))
        return;
    const unsigned index = be16(p, 0);
    if (index >= kGpsSlots)
        return;
    GpsBytes r{};
    const auto* b = reinterpret_cast<const std::uint8_t*>(p.data());
    std::copy(b + 4, b + 20, r.begin());       // eccentricity .. rate of right ascension
    std::copy(b + 2, b + 4, r.begin() + 16);   // health
    std::copy(b + 20, b + 60, r.begin() + 18); // four doubles, af0, af1
    r[58] = 0x00;
    r[59] = 0x01;
    std::copy(b + 60, b + 68, r.begin() + 60); // almanac week, week, time of week
    r[68] = 0x00;
    r[69] = 0x01;
    doc_.setGpsRecord(static_cast<int>(index), r);
    answeredGps_ |= 1u << index;
}

void AlmanacDownload::glonassAnswer(std::string_view p) {
    if (link_.checksumChecked() && !sealed(p, kGlonassPayload))
        return;
    const unsigned slot = be16(p, 0);
    if (slot < 1 || slot > kGlonassSlots)
        return;
    doc_.setGlonassRecord(static_cast<int>(slot - 1),
                          bytesOf(p.substr(2, kGlonassRecordSize)).first<kGlonassRecordSize>());
    answeredGlonass_ |= 1u << (slot - 1);
}

void AlmanacDownload::segmentAnswer(std::string_view block) {
    const bool whole = block.size() == kSegmentLength;
    if (!whole || (link_.checksumChecked() && !sealed(block, kGpsTableSize))) {
        messages_.show(str::kAlmanacErrorReadingBuffer, Buttons::Ok, Icon::Stop);
    } else {
        doc_.setGpsTable(bytesOf(block).first<kGpsTableSize>());
        answeredGps_ = 0;
        for (int s = 0; s < kGpsSlots; ++s) {
            if (doc_.gpsPresent(s))
                answeredGps_ |= 1u << s;
        }
    }
    startFinishing();
}

void AlmanacDownload::startFinishing() {
    if (finishing_ == 0)
        finishing_ = 1;
}

void AlmanacDownload::showProgress() {
    shownCount_ = answered();
    percent_ = shownCount_ * 100 / expected_;
    events_.title(cformat(str::kAlmanacProgress, percent_));
}

void AlmanacDownload::finish() {
    if (over_)
        return;
    over_ = true;
    shutdown();
    // A record counts only when its slot is present: a segment of empty slots is no almanac.
    const bool received = doc_.recordCount() > 0;
    if (!received) {
        doc_.setModified(false);
        messages_.show(str::kAlmanacNotDownloading, Buttons::Ok, Icon::Stop);
    }
    events_.finished(received);
}

void AlmanacDownload::cancel() {
    over_ = true;
    doc_.setModified(false);
    shutdown();
}

void AlmanacDownload::portClosing(bool writable) {
    if (over_)
        return;
    over_ = true;
    doc_.setModified(false);
    if (writable) {
        shutdown();
    } else {
        // Nothing more reaches a receiver that is gone.
        shutDown_ = true;
        timers_.kill(kStepTimer);
        timers_.kill(kSilenceTimer);
        messages_.show(hostMode_ || link_.hostMode() ? str::kAlmanacCutOffInHostMode
                                                     : str::kAlmanacCutOff,
                       Buttons::Ok, Icon::Stop);
    }
    events_.finished(false);
}

void AlmanacDownload::shutdown() {
    if (shutDown_)
        return;
    shutDown_ = true;
    over_ = true;
    if (link_.hostMode() || hostMode_)
        link_.send("C_CLOSECOMM");
    if (savedInterval_ > 0 && std::isfinite(savedInterval_))
        link_.send(cformat("$PXKTS,RCI,%.2f", savedInterval_));
    timers_.kill(kStepTimer);
    timers_.kill(kSilenceTimer);
}

} // namespace trix::almanac
