#pragma once
// The receiver initialization run behind the "GPS Receiver Initialization" dialog: detection
// of the receiver (queries each tick, optionally scanning baud rates and handshaking) and then
// the commands of an initialization file, each repeated until acknowledged. Driven by tick()
// and by the received lines the pump hands over; everything it shows or asks goes through
// the message sink and the host interface.

#include "base/ui.h"
#include "link/link.h"
#include "link/listeners.h"
#include "link/port_settings.h"
#include "logs/timer_host.h"

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace trix::link {

enum class NotRespondingChoice { AutoSelect, ManualConnect, Cancel };

// What the dialog around the run shows and decides.
class InitHost {
public:
    virtual ~InitHost() = default;
    // One entry of the traffic list.
    virtual void list(Direction /*direction*/, std::string_view /*text*/) {}
    // The tick's status texts (remaining candidates, waiting, file name, suspended).
    virtual void statusNote(std::string_view /*text*/) {}
    // Seven silent ticks while detecting: "AutoSelect", "Manual Connect" or "Cancel".
    virtual NotRespondingChoice notResponding() = 0;
    // Every scan candidate was tried without an answer; the old settings are back.
    virtual void scanFailed() {}
    // A model was identified (title, port activity window, command menu).
    virtual void receiverChanged() {}
    // The work is done: "Initialization complete" in the title and the status pane.
    virtual void finished() {}
    // The run ended without finishing and the dialog must close.
    virtual void closed() {}
    // "Manual Connect" was chosen: the connection dialog is to come up again.
    virtual void manualConnect() {}
    // An initialization file with commands was loaded; it is offered first next time.
    virtual void rememberInitFile(std::string_view /*name*/) {}
    // The main frame's message pane is to be cleared.
    virtual void clearStatusPane() {}
};

// The text describing a port setting ("Com setting: Baud rate = ...").
std::string describeSettings(const PortSettings& s);

class InitRun : public LinkListener {
public:
    static constexpr int kCandidates = 20;
    static constexpr int kSilentLimitDetect = 7;
    static constexpr int kSilentLimitCommand = 6;
    static constexpr int kAckWaitMs = 200;

    struct Options {
        bool detect = true;     // the receiver must still be identified
        std::string fileName;   // initialization file asked for, or empty
        std::string initFolder; // where initialization files live
        // Where a resolved file name is found, when the files live in more than one folder;
        // takes precedence over initFolder.
        std::function<std::string(const std::string& name)> locate = {};
    };

    InitRun(Link& link, MessageSink& messages, InitHost& host, Options options);
    ~InitRun() override;
    InitRun(const InitRun&) = delete;
    InitRun& operator=(const InitRun&) = delete;

    // The creation steps: false when the run is not created at all (nothing to detect and no
    // commands). On success the run listens to the link and the first tick is due at once.
    bool start();
    // Timer `id` of `host` ends the wait after an acknowledgement, so that nothing waits for
    // it; the owner hands the timer's firing to ackWaitOver(). Null: the wait is slept.
    void setTimerHost(logs::TimerHost* host, int id);
    // One tick of the 1000 ms timer. A tick falling due in the wait after an acknowledgement
    // runs when the wait is over.
    void tick();
    // The wait after an acknowledgement is over: what the port still holds is discarded.
    void ackWaitOver();
    bool waitingAfterAck() const { return ackWaiting_; }
    // Received lines and sent commands (LinkListener).
    void traffic(Direction direction, std::string_view text) override;

    // Buttons.
    void toggleStop();
    void stepBack();
    void stepForward();
    void toggleAutoSelect();
    void cancel();

    // State for the dialog and the tests.
    bool detecting() const { return detect_; }
    bool suspended() const { return suspended_; }
    bool scanning() const { return scanning_; }
    bool finished() const { return finished_; }
    bool closed() const { return closed_; }
    int candidateIndex() const { return candidateIndex_; }
    int current() const { return current_; }
    int lastSent() const { return lastSent_; }
    int silentTicks() const { return silentTicks_; }
    const std::vector<std::string>& commands() const { return commands_; }
    static PortSettings candidate(int index);

private:
    bool loadFile();
    void finish();
    void close();
    void scanTick();
    void detectTick();
    void commandTick();
    void sendCurrent();
    bool sendOrClose(std::string_view command);
    void handleLine(std::string_view line);
    void handleYqn(std::string_view s);
    void handleProprietary(std::string_view s);
    void identified(int model, std::string_view firmware);
    void startScan();
    void note(std::string_view text);
    void ackWait();
    void stopAckWait();
    std::int64_t now() const;

    Link& link_;
    MessageSink& messages_;
    InitHost& host_;
    Options options_;
    bool detect_;
    bool suspended_ = false;
    bool scanning_ = false;
    bool candidateOpened_ = false;
    int slowTick_ = 2;
    bool finished_ = false;
    bool closed_ = false;
    bool started_ = false;
    std::vector<std::string> commands_;
    int current_ = 0;
    int lastSent_ = 0;
    int silentTicks_ = 0;
    int candidateIndex_ = -1;
    PortSettings savedSettings_;
    logs::TimerHost* timers_ = nullptr;
    int ackTimer_ = 0;
    bool ackWaiting_ = false;
    std::int64_t ackAt_ = 0;
    bool tickDue_ = false; // a tick fell due during the wait
};

} // namespace trix::link
