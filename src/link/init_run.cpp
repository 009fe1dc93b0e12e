#include "link/init_run.h"

#include "base/strings.h"
#include "base/text.h"
#include "decode/epoch_decoder.h"
#include "link/identification.h"
#include "link/init_file.h"

namespace trix::link {

namespace {

const char* parityName(int parity) {
    switch (parity) {
    case 0:
        return str::kParityNo;
    case 1:
        return str::kParityOdd;
    case 2:
        return str::kParityEven;
    case 3:
        return str::kParityMark;
    default:
        return str::kParitySpace;
    }
}

const char* handshakeName(const PortSettings& s) {
    if (s.rtsCts)
        return str::kHandshakeRtsCts;
    if (s.dtrDsr)
        return str::kHandshakeDtrDsr;
    if (s.xonXoff)
        return str::kHandshakeXonXoff;
    return str::kHandshakeNone;
}

// The n-th comma-separated field of `s` (the first is the sentence word), or empty.
std::string_view field(std::string_view s, int n) {
    for (int i = 1; i < n; ++i) {
        std::size_t comma = s.find(',');
        if (comma == std::string_view::npos)
            return {};
        s.remove_prefix(comma + 1);
    }
    return s.substr(0, s.find(','));
}

// The description a "$PYQN" receiver gives of itself in its "COM" answer.
std::string yqnDescription(std::string_view s) {
    if (s.size() <= 14)
        return {};
    std::size_t at = s.find(',', 14);
    if (at == std::string_view::npos)
        return {};
    at = s.find(',', at + 1);
    if (at == std::string_view::npos || at + 2 > s.size())
        return {};
    return std::string(s.substr(at + 2));
}

} // namespace

std::string describeSettings(const PortSettings& s) {
    return cformat(str::kComSettingDescription, s.baudRate(), s.stopBitCount(),
                   parityName(s.parity), s.dataBitCount(), handshakeName(s));
}

PortSettings InitRun::candidate(int index) {
    PortSettings s = kPlainPortSettings;
    s.baud = 9 - index % 10;
    s.rtsCts = index >= 10 ? 1 : 0;
    return s;
}

InitRun::InitRun(Link& link, MessageSink& messages, InitHost& host, Options options)
    : link_(link), messages_(messages), host_(host), options_(std::move(options)),
      detect_(options_.detect) {}

InitRun::~InitRun() {
    stopAckWait();
    link_.listeners.remove(this);
}

void InitRun::setTimerHost(logs::TimerHost* host, int id) {
    stopAckWait();
    timers_ = host;
    ackTimer_ = id;
}

bool InitRun::start() {
    savedSettings_ = link_.state.portSettings;
    candidateIndex_ = -1;
    if (!detect_) {
        loadFile();
        if (commands_.empty())
            return false;
    }
    link_.listeners.set(Slot::InitDialog, this);
    started_ = true;
    return true;
}

bool InitRun::loadFile() {
    commands_.clear();
    if (options_.fileName.empty())
        return false;
    std::string name = resolveInitFileName(options_.fileName, link_.state.modelIndex);
    std::string path = options_.locate               ? options_.locate(name)
                       : options_.initFolder.empty() ? name
                                                     : options_.initFolder + "/" + name;
    InitFile f = loadInitFile(path);
    if (!f.opened) {
        messages_.show(cformat(str::kFileNotOpened, path.c_str()), Buttons::Ok, Icon::Stop);
        return false;
    }
    if (f.commands.empty()) {
        messages_.beep();
        messages_.show(cformat(str::kNoCommandsInFile, name.c_str()), Buttons::Ok, Icon::Warning);
        return false;
    }
    commands_ = std::move(f.commands);
    current_ = lastSent_ = 0;
    host_.rememberInitFile(name);
    return true;
}

void InitRun::note(std::string_view text) {
    host_.statusNote(text);
}

void InitRun::finish() {
    if (finished_)
        return;
    finished_ = true;
    messages_.beep();
    messages_.status(str::kInitializationComplete);
    host_.finished();
}

void InitRun::close() {
    if (closed_)
        return;
    closed_ = true;
    stopAckWait();
    link_.listeners.remove(this);
    host_.closed();
}

void InitRun::tick() {
    if (!started_ || closed_ || finished_)
        return;
    if (ackWaiting_) {
        // The receiver still takes in the last command: the next one must not go yet.
        tickDue_ = true;
        return;
    }
    if (link_.serialLine() && link_.state.portSettings.baud < 4) {
        // At 2400 baud and below a tick acts only every third time.
        if (++slowTick_ <= 2)
            return;
        slowTick_ = 0;
    }
    if (suspended_) {
        note(str::kInitializationSuspended);
        return;
    }
    if (!link_.port()) {
        close();
        return;
    }
    if (scanning_)
        scanTick();
    else if (detect_)
        detectTick();
    else if (!commands_.empty())
        commandTick();
}

void InitRun::scanTick() {
    ++candidateIndex_;
    if (candidateIndex_ >= kCandidates) {
        scanning_ = false;
        candidateOpened_ = false;
        messages_.beep();
        messages_.show(str::kReceiverNotDetected, Buttons::Ok, Icon::Stop);
        link_.reconfigure(savedSettings_, true);
        host_.scanFailed();
        return;
    }
    PortSettings c = candidate(candidateIndex_);
    if (link_.reconfigure(c, false) < 0)
        return;
    candidateOpened_ = true;
    note(cformat(str::kRemainingModes, kCandidates - candidateIndex_));
    link_.port()->flushInput();
    link_.sendCommand(link_.state.protocolYqn ? "$PYQN,ACK" : "$PXKTQ,PRT", true);
    host_.list(Direction::Note, describeSettings(c));
}

bool InitRun::sendOrClose(std::string_view command) {
    if (link_.sendCommand(command, true))
        return true;
    close();
    messages_.show(str::kErrorWritingPort, Buttons::Ok, Icon::Stop);
    return false;
}

void InitRun::detectTick() {
    note(str::kWaitingForResponse);
    link_.port()->flushInput();
    const LinkState& st = link_.state;
    if (st.protocolYqn) {
        if (st.receiverPort == 0) {
            if (!sendOrClose("$PYQN,PWOFF") || !sendOrClose("$PYQN,ACK"))
                return;
        } else if (!sendOrClose(st.modelIndex <= 1 ? "$PYQN,COMMNT" : "$PYQN,LANG")) {
            return;
        }
    } else if (!sendOrClose(st.receiverPort == 0 ? "$PXKTQ,PRT" : "$PXKTQ,RID")) {
        return;
    }
    if (++silentTicks_ < kSilentLimitDetect)
        return;
    suspended_ = true;
    messages_.beep();
    switch (host_.notResponding()) {
    case NotRespondingChoice::AutoSelect:
        startScan();
        suspended_ = false;
        break;
    case NotRespondingChoice::ManualConnect:
        link_.state.manualConnect = true;
        host_.manualConnect();
        close();
        break;
    case NotRespondingChoice::Cancel:
        suspended_ = false;
        silentTicks_ = 0;
        break;
    }
}

void InitRun::commandTick() {
    ++silentTicks_;
    if (silentTicks_ >= kSilentLimitCommand) {
        suspended_ = true;
        messages_.beep();
        if (messages_.show(str::kNoAckContinue, Buttons::YesNo, Icon::Question) != Answer::Yes) {
            host_.clearStatusPane();
            close();
            return;
        }
        ++current_;
        if (current_ >= static_cast<int>(commands_.size())) {
            finish();
            return;
        }
        silentTicks_ = 1;
        suspended_ = false;
    }
    sendCurrent();
}

void InitRun::sendCurrent() {
    if (commands_.empty() || !link_.port())
        return;
    const int last = static_cast<int>(commands_.size()) - 1;
    current_ = current_ < 0 ? 0 : (current_ > last ? last : current_);
    note(cformat(str::kInitializationFrom, options_.fileName.c_str()));
    // A step by hand cuts a wait short, so that its answer is not the one discarded after it.
    stopAckWait();
    link_.port()->flushInput();
    if (sendOrClose(commands_[static_cast<std::size_t>(current_)]))
        lastSent_ = current_;
}

void InitRun::traffic(Direction direction, std::string_view text) {
    if (direction == Direction::Received && !closed_)
        handleLine(text);
    host_.list(direction, text);
}

void InitRun::handleLine(std::string_view line) {
    if (finished_ || line.empty())
        return;
    const std::size_t dollar = line.find('$');
    if (scanning_ && candidateOpened_) {
        if (dollar == std::string_view::npos)
            return;
        // Any answer at all shows that this candidate's setting is the receiver's.
        scanning_ = false;
        candidateOpened_ = false;
        suspended_ = true;
        std::string where = describeSettings(link_.state.portSettings);
        if (std::size_t colon = where.find(':');
            colon != std::string::npos && colon + 1 < where.size())
            where[colon + 1] = '\n';
        messages_.show(std::string(str::kReceiverAnswersAt) + where, Buttons::Ok,
                       Icon::Information);
        current_ = lastSent_ = 0;
        suspended_ = false;
        return;
    }
    if (detect_) {
        if (dollar == std::string_view::npos)
            return;
        std::string_view s = line.substr(dollar);
        if (std::size_t yqn = line.find("$PYQN,"); yqn != std::string_view::npos) {
            link_.state.protocolYqn = true;
            handleYqn(line.substr(yqn));
        } else if (s.substr(0, 7) == "$PXKTR,") {
            handleProprietary(s);
        }
        return;
    }
    if (commands_.empty())
        return;
    std::string_view s = dollar == std::string_view::npos ? line : line.substr(dollar);
    if (s.size() >= 10 && s.substr(7, 3) == "ACK") {
        current_ = lastSent_ + 1;
        if (current_ >= static_cast<int>(commands_.size())) {
            finish();
            return;
        }
        silentTicks_ = 0;
        ackWait();
    }
}

void InitRun::ackWait() {
    if (!link_.port())
        return;
    // The receiver needs 200 ms after its acknowledgement before it takes the next command.
    if (timers_ && timers_->start(ackTimer_, kAckWaitMs)) {
        ackWaiting_ = true;
        ackAt_ = now();
        return;
    }
    link_.port()->delayMs(kAckWaitMs + 1); // whole milliseconds: never short of 200 ms
    if (SerialPort* port = link_.port())
        port->flushInput();
}

void InitRun::stopAckWait() {
    if (ackWaiting_ && timers_)
        timers_->kill(ackTimer_);
    ackWaiting_ = false;
    tickDue_ = false;
}

std::int64_t InitRun::now() const {
    const WaitHooks& hooks = link_.waitHooks();
    return hooks.nowMs ? hooks.nowMs() : steadyNowMs();
}

void InitRun::ackWaitOver() {
    if (!ackWaiting_)
        return;
    // A coarse timer may fire a little early; the receiver's 200 ms are kept all the same. The
    // clock counts whole milliseconds: one more keeps the real wait from falling short.
    if (const std::int64_t left = kAckWaitMs + 1 - (now() - ackAt_); left > 0) {
        if (timers_->start(ackTimer_, left))
            return;
    }
    const bool due = tickDue_;
    stopAckWait();
    if (SerialPort* port = link_.port())
        port->flushInput();
    if (due)
        tick();
}

void InitRun::handleYqn(std::string_view s) {
    std::string_view kind = s.substr(6, 3);
    LinkState& st = link_.state;
    if (kind == "ACK") {
        silentTicks_ = 0;
        std::string_view f = field(s, 5);
        if (!f.empty() && ((f[0] >= 'A' && f[0] <= 'H') || f[0] == 'T'))
            st.receiverPort = f[0];
    } else if (kind == "COM") {
        if (st.modelIndex != 0)
            return;
        silentTicks_ = 0;
        st.modelIndex = 2;
        st.receiverDescription = yqnDescription(s);
        if (auto* d = link_.decoder()) {
            d->setModelIndex(2);
            d->setupHandlers(false);
        }
        host_.receiverChanged();
    } else if (kind == "LAN") {
        silentTicks_ = 0;
        detect_ = false;
        if (!loadFile())
            finish();
    }
}

void InitRun::handleProprietary(std::string_view s) {
    std::string_view kind = s.substr(7, 3);
    if (kind == "PRT") {
        silentTicks_ = 0;
        if (s.size() > 11)
            link_.state.receiverPort = s[11];
    } else if (kind == "RID") {
        std::string_view code = s.size() > 11 ? s.substr(11) : std::string_view{};
        std::string_view firmware = s.size() > 14 ? s.substr(14, 4) : std::string_view{};
        identified(modelFromRid(code), firmware);
    }
}

void InitRun::identified(int model, std::string_view firmware) {
    LinkState& st = link_.state;
    st.modelIndex = model;
    st.firmware = std::string(firmware);
    if (auto* d = link_.decoder()) {
        d->setModelIndex(model);
        d->setupHandlers(false);
        d->setScalesForFirmware(firmware);
    }
    silentTicks_ = 0;
    detect_ = false;
    host_.receiverChanged();
    if (!loadFile())
        finish();
}

void InitRun::startScan() {
    if (!link_.serialLine()) {
        // A source without a serial line has no speed to find: the scan ends before it starts.
        messages_.beep();
        messages_.show(str::kReceiverNotDetected, Buttons::Ok, Icon::Stop);
        silentTicks_ = 0;
        host_.scanFailed();
        return;
    }
    scanning_ = true;
    candidateOpened_ = false;
    slowTick_ = 2;
    silentTicks_ = 0;
    candidateIndex_ = -1;
}

void InitRun::toggleStop() {
    if (finished_ || closed_)
        return;
    suspended_ = !suspended_;
    messages_.beep();
}

void InitRun::stepBack() {
    if (!suspended_ || commands_.empty() || finished_ || closed_)
        return;
    silentTicks_ = 0;
    messages_.beep();
    --current_;
    sendCurrent();
}

void InitRun::stepForward() {
    if (!suspended_ || commands_.empty() || finished_ || closed_)
        return;
    silentTicks_ = 0;
    messages_.beep();
    ++current_;
    sendCurrent();
}

void InitRun::toggleAutoSelect() {
    if (finished_ || closed_)
        return;
    if (scanning_) {
        scanning_ = false;
        candidateOpened_ = false;
    } else {
        startScan();
    }
    slowTick_ = 2;
    silentTicks_ = 0;
}

void InitRun::cancel() {
    if (closed_)
        return;
    if (!finished_) {
        messages_.beep();
        messages_.status(str::kInitializationCanceled);
    }
    close();
}

} // namespace trix::link
