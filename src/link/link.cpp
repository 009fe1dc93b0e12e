#include "link/link.h"

#include "base/strings.h"
#include "base/text.h"
#include "decode/framing.h"
#include "decode/models.h"
#include "link/posix_serial_port.h"
#include "link/source.h"

#include <chrono>
#include <thread>

namespace trix::link {

namespace {
bool startsWith(std::string_view s, std::string_view prefix) {
    return s.substr(0, prefix.size()) == prefix;
}
} // namespace

std::string nmeSwitch(std::string_view message, char port, bool on) {
    std::string s = "$PXKTS,NME,";
    s += message;
    s += ',';
    s += port;
    s += on ? ",ON" : ",OFF";
    return s;
}

std::string outSwitch(char port, std::string_view tail) {
    std::string s = "$PXKTS,OUT,";
    s += port;
    s += tail;
    return s;
}

std::string commandSentence(std::string_view text, bool addChecksum) {
    std::string s(text);
    if (s.size() >= 2 && s[s.size() - 2] == '\r' && s[s.size() - 1] == '\n')
        s.resize(s.size() - 2);
    if (s.size() >= 3 && s[s.size() - 3] == '*')
        s.resize(s.size() - 3);
    if (addChecksum && !s.empty())
        s += cformat("*%02X", nmeaChecksum(s));
    return s;
}

std::string segmentRequest(std::uint32_t address) {
    std::string r(7, '\0');
    r[0] = 0x04;
    r[1] = static_cast<char>(address & 0xFF);
    r[2] = static_cast<char>((address >> 8) & 0xFF);
    r[3] = static_cast<char>((address >> 16) & 0xFF);
    r[4] = static_cast<char>((address >> 24) & 0xFF);
    r[5] = 0x61;
    r[6] = 0x04;
    return r;
}

Link::Link(MessageSink& messages, LinkEvents* events) : Link(messages, nullptr, events) {}

Link::Link(MessageSink& messages, LinkState& external, LinkEvents* events)
    : Link(messages, &external, events) {}

Link::Link(MessageSink& messages, LinkState* external, LinkEvents* events)
    : state(external ? *external : ownState_), messages_(messages), events_(events),
      pacer_([this](const std::string& c) { sendPaced(c); }, [this](int ms) { pause(ms); }) {}

Link::~Link() {
    // A port still closing lets its last commands leave; nobody is told any more.
    events_ = nullptr;
    setTimerHost(nullptr, 0);
    if (state.port) {
        // The record may outlive this link (external state): it must not call back into it.
        state.port->setWaitHooks(wait_);
        state.port->close();
    }
}

void Link::setTimerHost(logs::TimerHost* host, int id, int closingId) {
    if (timers_ && closingTimer_ != 0)
        timers_->kill(closingTimer_);
    pacer_.setTimerHost(host, id);
    timers_ = host;
    closingTimer_ = host ? closingId : 0;
    if (closing_ &&
        !(timers_ && closingTimer_ != 0 && timers_->start(closingTimer_, kClosingPollMs)))
        finishClosing();
}

void Link::setWaitHooks(WaitHooks hooks) {
    wait_ = std::move(hooks);
    if (state.port)
        state.port->setWaitHooks(portHooks());
}

WaitHooks Link::portHooks() {
    WaitHooks h;
    h.nowMs = wait_.nowMs;
    h.idle = [this] {
        ++waitDepth_;
        if (wait_.idle)
            wait_.idle();
        else
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        --waitDepth_;
    };
    return h;
}

void Link::retire(std::unique_ptr<SerialPort> port) {
    if (waitDepth_ > 0) {
        retired_.push_back(std::move(port));
        return;
    }
    port.reset();
    retired_.clear();
}

void Link::send(std::string_view text) {
    if (pacer_.busy())
        pacer_.queue({{0, std::string(text)}});
    else
        sendCommand(text, true);
}

void Link::sendPaced(const std::string& text) {
    if (state.port || !closing_) {
        sendCommand(text, true);
        return;
    }
    // The switching-off commands of a port already gone from the link state: written as the
    // command sender writes them, with no echo to windows that have closed.
    const std::string sentence = commandSentence(text, true);
    if (!sentence.empty() && closing_->writeString(sentence, kCrLf) < 0)
        closing_->clearError();
}

void Link::pause(int ms) {
    if (pause_)
        pause_(ms);
    else
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

int Link::openDevice(const std::string& device, const PortSettings& settings, int comNumber) {
    // The device may be the one still closing: it is let go first.
    finishClosing();
    if (state.port)
        closePort();
    if (waitDepth_ == 0)
        retired_.clear();
    openError_.clear();
    setBufferSizes(16384, 4096);
    OpenedSource opened = openSource(device, settings);
    if (!opened.port) {
        openError_ = opened.error;
        return opened.status < 0 ? opened.status : status::kGeneralError;
    }
    std::unique_ptr<SerialPort> port = std::move(opened.port);
    port->portIndex = comNumber - 1;
    port->setWaitHooks(portHooks());
    if (port->isSerialLine()) {
        // Handshaking a back end cannot honour is not a reason to refuse the port.
        port->setRtsCts(settings.rtsCts != 0);
        port->setDtrDsr(settings.dtrDsr != 0);
        port->setXonXoff(settings.xonXoff != 0);
    }
    port->clearError();
    state.port = std::move(port);
    state.comNumber = comNumber;
    state.portSettings = settings;
    state.pendingBlock = 0;
    if (events_)
        events_->baudChanged(settings.baudRate());
    return 0;
}

int Link::connectDevice(const std::string& device, const PortSettings& settings, int comNumber) {
    int rc = openDevice(device, settings, comNumber);
    if (rc < 0) {
        messages_.show(cformat(str::kErrorOpeningCom, comNumber, openError_.c_str()), Buttons::Ok,
                       Icon::Stop);
        state.comNumber = 0;
    }
    return rc;
}

const char* Link::lostReason() const {
    return serialLine() ? str::kDeviceGone : str::kSourceConnectionClosed;
}

bool Link::serialLine() const {
    return !state.port || state.port->isSerialLine();
}

int Link::reconfigure(const PortSettings& settings, bool showErrors) {
    if (!state.port)
        return status::kGeneralError;
    if (!state.port->isSerialLine()) {
        // No line to set: the settings are kept for when the receiver sits on a serial port.
        state.portSettings = settings;
        state.pendingBlock = 0;
        if (events_)
            events_->baudChanged(settings.baudRate());
        return 0;
    }
    int rc = state.port->setLine(settings.baudRate(), settings.parityLetter(),
                                 settings.dataBitCount(), settings.stopBitCount());
    if (rc == 0) {
        int hs[] = {state.port->setRtsCts(settings.rtsCts != 0),
                    state.port->setDtrDsr(settings.dtrDsr != 0),
                    state.port->setXonXoff(settings.xonXoff != 0)};
        for (int r : hs) {
            if (r < 0 && r != status::kNotSupported && rc == 0)
                rc = r;
        }
    }
    if (rc < 0) {
        if (showErrors)
            messages_.show(str::kModeNotSet, Buttons::Ok, Icon::Stop);
        state.port->clearError();
        return rc;
    }
    state.portSettings = settings;
    state.pendingBlock = 0;
    if (events_)
        events_->baudChanged(settings.baudRate());
    return 0;
}

void Link::disconnect() {
    beginDisconnect();
    finishClosing();
}

bool Link::beginDisconnect() {
    tellPortClosing();
    state.hostMode = false;
    if (state.port) {
        if (state.modelIndex != 0) {
            standardSet(false);
            rtcmSet(false);
            rtkSet(false);
        }
        closingCom_ = state.comNumber;
        closingDeadline_ = steadyNowMs() + kClosingBoundMs;
        closing_ = std::move(state.port);
        state.comNumber = 0;
        state.pendingBlock = 0;
        state.closeHostPending = false;
    }
    state.receiverPort = 0;
    state.modelIndex = 0;
    if (events_)
        events_->portChanged();
    if (!closing_)
        return false;
    const bool waiting = pacer_.busy() || closing_->pendingOutput() > 0;
    if (waiting && timers_ && closingTimer_ != 0 && timers_->start(closingTimer_, kClosingPollMs))
        return true;
    finishClosing();
    return false;
}

void Link::closingTimerFired() {
    if (!closing_) {
        if (timers_ && closingTimer_ != 0)
            timers_->kill(closingTimer_);
        return;
    }
    // Closed once the paced commands have been written and the line has sent them, or when
    // the bound has passed (a port that no longer drains).
    const bool drained = !pacer_.busy() && closing_->pendingOutput() == 0;
    if (drained || steadyNowMs() >= closingDeadline_)
        finishClosing();
}

void Link::finishClosing() {
    if (!closing_)
        return;
    if (timers_ && closingTimer_ != 0)
        timers_->kill(closingTimer_);
    pacer_.finish();
    for (int i = 0; i < 100 && closing_->pendingOutput() > 0 && steadyNowMs() < closingDeadline_;
         ++i)
        pause(10);
    pacer_.clear();
    std::unique_ptr<SerialPort> port = std::move(closing_);
    if (int rc = port->close(); rc < 0) {
        std::string reason(statusText(rc));
        messages_.show(cformat(str::kErrorClosingCom, closingCom_, reason.c_str()), Buttons::Ok,
                       Icon::Stop);
    }
    retire(std::move(port));
    if (events_)
        events_->portClosed();
}

void Link::closePort() {
    if (!state.port) {
        if (!closing_) // a closing port's commands are still to leave
            pacer_.clear();
        return;
    }
    tellPortClosing();
    if (!state.port) // a listener has closed it already
        return;
    pacer_.clear();
    int rc = state.port->close();
    if (rc < 0) {
        std::string reason(statusText(rc));
        messages_.show(cformat(str::kErrorClosingCom, state.comNumber, reason.c_str()), Buttons::Ok,
                       Icon::Stop);
    }
    retire(std::move(state.port));
    state.comNumber = 0;
    state.hostMode = false;
    state.pendingBlock = 0;
    state.closeHostPending = false;
}

void Link::tellPortClosing() {
    if (!state.port)
        return;
    const bool writable = !state.port->lost();
    // A listener may leave its slot (or close the port) when told; each slot is read afresh.
    for (std::size_t i = 0; i < static_cast<std::size_t>(Slot::Count) && state.port; ++i) {
        if (LinkListener* l = listeners.get(static_cast<Slot>(i)))
            l->portClosing(writable);
    }
}

void Link::echo(std::string_view sentence) {
    if (auto* l = listeners.get(Slot::PortActivity))
        l->traffic(Direction::Sent, {});
    std::string shown(sentence);
    shown += str::kEchoCrLf;
    if (auto* l = listeners.get(Slot::Terminal))
        l->traffic(Direction::Sent, shown);
    if (auto* l = listeners.get(Slot::InitDialog))
        l->traffic(Direction::Sent, shown);
}

int Link::sendCommand(std::string_view text, bool addChecksum) {
    if (!state.port || text.empty())
        return 0;
    SerialPort& port = *state.port;

    // Baud follow-up, decided before anything is written.
    int newBaud = -1;
    bool concernsLink = false;
    if (startsWith(text, "$PXKTS,SPD")) {
        if (text.size() > 13) {
            // Out-of-range numbers stay out of range instead of wrapping into the table.
            long index = parseInteger(text.substr(13));
            newBaud = index >= 0 && index <= 9 ? static_cast<int>(index) : -1;
            concernsLink = text[11] == state.receiverPort && state.receiverPort != 0;
        }
    } else if (startsWith(text, "$PXKTS,RST")) {
        newBaud = modelCan(state.modelIndex).resetTo4800 ? 4 : 5;
        concernsLink = true;
    }

    if (startsWith(text, "C_CLOSECOMM")) {
        state.closeHostPending = true;
        const unsigned char nul[2] = {0, 0};
        int rc = port.writeBlockTimed(nul, 2, 100);
        if (rc < 0) {
            port.clearTx();
            return 0;
        }
        if (auto* l = listeners.get(Slot::Terminal))
            l->traffic(Direction::Sent, text);
        return 1;
    }
    if (startsWith(text, "C_GETSEG,")) {
        auto address = static_cast<std::uint32_t>(parseInteger(text.substr(9)));
        std::string request = segmentRequest(address);
        if (port.writeBlock(request.data(), request.size()) < 0) {
            port.clearTx();
            return 0;
        }
        state.pendingBlock = kSegmentBlockLength;
        if (auto* l = listeners.get(Slot::Terminal))
            l->traffic(Direction::Sent, text);
        return 1;
    }

    std::string sentence = commandSentence(text, addChecksum);
    if (sentence.empty())
        return 0;
    if (port.writeString(sentence, kCrLf) < 0) {
        port.clearTx();
        port.clearError();
        return 0;
    }
    echo(sentence);
    if (newBaud >= 0 && newBaud <= 9 && concernsLink && newBaud != state.portSettings.baud)
        followBaud(newBaud);
    return 1;
}

void Link::followBaud(int newBaud) {
    bool switchNow = listeners.get(Slot::InitDialog) != nullptr;
    if (!switchNow)
        switchNow =
            messages_.show(str::kSpeedChangeQuestion, Buttons::YesNo, Icon::Warning) == Answer::Yes;
    if (!switchNow)
        return;
    // The command itself must leave at the old speed: switching the line while it still waits
    // in the output queue would garble it and the receiver would never change.
    for (int i = 0; i < 100 && state.port && state.port->txCount() > 0; ++i)
        pause(10);
    PortSettings s = state.portSettings;
    s.baud = newBaud;
    reconfigure(s, true);
}

void Link::standardSet(bool on) {
    if (!receiverKnown())
        return;
    const ModelCapabilities& can = modelCan(state.modelIndex);
    const char p = state.receiverPort;
    if (can.yqn) {
        if (on) {
            for (const char* q : {"$ECGPQ,GGA", "$ECGPQ,GSA", "$ECGPQ,GSV", "$ECGPQ,VTG"})
                send(q);
        } else {
            pacer_.queue({{150, "$PYQN,OUTOFF"}});
        }
        return;
    }
    const bool nmea = can.nmea;
    if (on) {
        if (nmea)
            send(outSwitch(p, ",NMEA"));
        send(nmeSwitch(nmea ? "GSV" : "SAT", p, true));
        send(nmeSwitch(nmea ? "GGA" : "POS", p, true));
        if (can.csn)
            send("$PXKTQ,NME,TAG");
        if (can.attitude) {
            send(nmeSwitch("SA4", p, true));
            send(outSwitch(p, ",AT2"));
        }
        if (nmea) {
            send(nmeSwitch("GSA", p, true));
            send(nmeSwitch("VTG", p, true));
        }
    } else if (state.turnOffOnDetach) {
        pacer_.queue({{150, nmeSwitch("ALL", p, false)}, {150, outSwitch(p, "")}, {150, ""}});
    }
}

void Link::rtcmSet(bool on) {
    if (!receiverKnown())
        return;
    const ModelCapabilities& can = modelCan(state.modelIndex);
    const char p = state.receiverPort;
    const bool noMsg = can.noMsgOutput;
    send(nmeSwitch("GSA", p, on));
    if (!can.noGrsOutput) {
        send(nmeSwitch("GRS", p, on));
        if (!noMsg)
            send(nmeSwitch("GSN", p, on));
    }
    if (!noMsg)
        send(nmeSwitch("MSG", p, on));
    if (on)
        querySet("RTC");
}

void Link::rtkSet(bool on) {
    if (!receiverKnown())
        return;
    const ModelCapabilities& can = modelCan(state.modelIndex);
    const char p = state.receiverPort;
    if (on && can.nmea)
        send(outSwitch(p, ",NMEA"));
    if (!can.noMsgOutput)
        send(nmeSwitch("MSG", p, on));
    if (can.vector)
        send(nmeSwitch("VEC", p, on));
    else if (on && can.baseline)
        send("$PXKTQ,CBN");
    if (on)
        querySet("RTK");
}

void Link::querySet(std::string_view which) {
    if (!state.port)
        return;
    if (which.find("RTC") != std::string_view::npos) {
        send("$PXKTQ,RTC");
    } else if (which.find("RTK") != std::string_view::npos) {
        send("$PXKTQ,CPD,DLK");
        pacer_.queue({{100, "$PXKTQ,CPD,INF"}, {100, "$PXKTQ,CPD"}, {100, ""}});
        if (modelCan(state.modelIndex).baseline)
            send("$PXKTQ,CBN");
    }
}

bool Link::portOpen() const {
    return state.port != nullptr;
}

void Link::writeQuery(std::string_view text) {
    if (state.port && state.port->writeStringTimed(text, kCrLf, 400) < 0)
        state.port->clearError();
}

} // namespace trix::link
