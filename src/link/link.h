#pragma once
// The receiver link: the open port and its state, the listeners, and the command sender with
// its message sets. One instance per program; the GUI's main frame, trixlog and the tests own it.

#include "base/ui.h"
#include "decode/hooks.h"
#include "link/command_pacer.h"
#include "link/listeners.h"
#include "link/port_settings.h"
#include "link/serial_port.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace trix {
class EpochDecoder;
}

namespace trix::link {

// The link state of the program.
struct LinkState {
    std::unique_ptr<SerialPort> port;
    int comNumber = 0; // 1-based COM number in use, 0 when not connected
    PortSettings portSettings = kDefaultPortSettings;
    int modelIndex = 0;
    char receiverPort = 0; // the receiver's own port letter, 0 while unknown
    std::string firmware;  // four characters from the identification answer
    std::string receiverDescription;
    bool hostMode = false;
    std::uint16_t pendingBlock = 0;
    bool closeHostPending = false;
    bool protocolYqn = false;
    bool turnOffOnDetach = false;
    bool initFromFile = false;
    bool manualConnect = false;
    std::string initFileName;
};

// What the link tells the program around it (status bar panes, port activity window).
class LinkEvents {
public:
    virtual ~LinkEvents() = default;
    virtual void baudChanged(long /*baud*/) {}
    virtual void portChanged() {}
    // A port that was disconnected has let its last commands leave and is closed now.
    virtual void portClosed() {}
};

// The texts of the output switches.
std::string nmeSwitch(std::string_view message, char port, bool on);
std::string outSwitch(char port, std::string_view tail);
// The sentence sendCommand writes for `text` (without CR LF): trailing CR LF and an old
// checksum removed, a fresh one added when asked. Empty when nothing remains.
std::string commandSentence(std::string_view text, bool addChecksum);
// The seven bytes of a memory-segment request for `address`.
std::string segmentRequest(std::uint32_t address);

inline constexpr std::uint16_t kSegmentBlockLength = 2243;

class Link : public PortHook {
public:
    explicit Link(MessageSink& messages, LinkEvents* events = nullptr);
    // A link whose state lives in `external` (a program that keeps more beside it); `external`
    // must outlive the link.
    Link(MessageSink& messages, LinkState& external, LinkEvents* events = nullptr);
    ~Link() override;
    Link(const Link&) = delete;
    Link& operator=(const Link&) = delete;

private:
    // Both public constructors end here; `external` null means the link's own state. (A
    // delegating constructor must not name a member: the object does not exist yet.)
    Link(MessageSink& messages, LinkState* external, LinkEvents* events);
    LinkState ownState_;

public:
    LinkState& state;
    Listeners listeners;

    MessageSink& messages() { return messages_; }
    void setEvents(LinkEvents* events) { events_ = events; }
    void setDecoder(EpochDecoder* decoder) { decoder_ = decoder; }
    EpochDecoder* decoder() const { return decoder_; }
    // How the port's timed operations wait; applied to every port opened afterwards.
    void setWaitHooks(WaitHooks hooks);
    const WaitHooks& waitHooks() const { return wait_; }
    // The blocking pauses between commands of a set (100 and 150 ms), where no timer paces them.
    void setPause(std::function<void(int)> pause) { pause_ = std::move(pause); }
    void pause(int ms);
    // Timer `id` of `host` paces the commands of the sets, so that no pause waits, and timer
    // `closingId` (when not 0) watches a disconnected port drain; the owner hands the timers'
    // firing to pacerTimerFired() and closingTimerFired(). Null: the pauses are slept.
    void setTimerHost(logs::TimerHost* host, int id, int closingId = 0);
    void pacerTimerFired() { pacer_.timerFired(); }
    void closingTimerFired();
    // Commands of a set are still waiting for their turn.
    bool pacing() const { return pacer_.busy(); }

    SerialPort* port() const { return state.port.get(); }
    // False while the open source has no serial line (speed and handshaking do not apply).
    bool serialLine() const;

    // Opens the source `device` names (a device path or tcp://HOST:PORT) with `settings`
    // (buffer sizes 16384 and 4096, handshaking applied on a serial line). Returns the status;
    // on failure no port is kept and openError() says why. `comNumber` is recorded for
    // messages.
    int openDevice(const std::string& device, const PortSettings& settings, int comNumber = 0);
    const std::string& openError() const { return openError_; }
    // Why the open source was lost, for "The connection to %s was lost: %s".
    const char* lostReason() const;
    // As openDevice, showing "Error on opening COM%d : %s" on failure.
    int connectDevice(const std::string& device, const PortSettings& settings, int comNumber);
    // Applies new settings to the open port; with `showErrors`, "Mode not setted !" on failure.
    int reconfigure(const PortSettings& settings, bool showErrors);
    // Switches the receiver's messages off when a model is identified, lets them leave and
    // closes the port before it returns.
    void disconnect();
    // Disconnects without waiting: the switching-off commands are queued and the port leaves
    // the link state at once (portOpen() is false, portChanged() is told), but stays open,
    // unseen, until the commands have left and its output has drained, at most kClosingBoundMs
    // later; portClosed() is told then. True while the port is still closing; without a
    // closing timer it is closed before this returns.
    bool beginDisconnect();
    // A closing port closes now: the rest of its commands leave first, their pauses slept.
    void finishClosing();
    bool closing() const { return closing_ != nullptr; }
    static constexpr int kClosingBoundMs = 2000;
    static constexpr int kClosingPollMs = 20;
    // Closes the port at once; "Error on closing Com%d: %s" when that fails.
    void closePort();

    // The command sender: 1 when written, 0 otherwise.
    int sendCommand(std::string_view text, bool addChecksum);

    // The message sets of the receiver model.
    void standardSet(bool on);
    void rtcmSet(bool on);
    void rtkSet(bool on);
    void querySet(std::string_view which);

    // PortHook: the decoder's own signal-to-noise query.
    bool portOpen() const override;
    void writeQuery(std::string_view text) override;

private:
    // Tells every listener that the open port is about to close.
    void tellPortClosing();
    void echo(std::string_view sentence);
    void followBaud(int newBaud);
    bool receiverKnown() const { return port() && state.receiverPort != 0; }
    // A command of a set: in turn behind the paced ones still waiting.
    void send(std::string_view text);
    // A paced command: to the open port, or to the closing one it was queued for.
    void sendPaced(const std::string& text);

    MessageSink& messages_;
    LinkEvents* events_;
    EpochDecoder* decoder_ = nullptr;
    WaitHooks wait_;
    std::function<void(int)> pause_;
    std::string openError_;
    CommandPacer pacer_;
    logs::TimerHost* timers_ = nullptr;
    int closingTimer_ = 0;
    // The disconnected port while its last commands leave.
    std::unique_ptr<SerialPort> closing_;
    int closingCom_ = 0;
    std::int64_t closingDeadline_ = 0;
    // Events handled inside a port's wait may close that port; it is kept (closed) until no
    // wait runs, so the waiting operation never touches a freed record.
    WaitHooks portHooks();
    void retire(std::unique_ptr<SerialPort> port);
    int waitDepth_ = 0;
    std::vector<std::unique_ptr<SerialPort>> retired_;
};

} // namespace trix::link
