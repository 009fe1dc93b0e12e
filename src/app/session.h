#pragma once
// The program's running state behind its windows: the receiver link and the data pump, the
// decoder's lifetime, viewing a log file, the analysis, the emulation, the log session, the
// options fan-out, and the window registry that carries the decoder's changes to the windows.
// The main window holds menus, status bar and MDI area and asks the session; the session
// reaches the windows only through SessionView, the user only through UserInteraction and the
// message sink. Qt serves it only for timers, the input notifier and queued steps.
//
// The decoder exists while something uses it: each open data window, a viewed file, a log
// session and the emulation hold one use; the last use released destroys it.

#include "app/connect/connection_rules.h"
#include "app/core/command_state.h"
#include "decode/epoch_decoder.h"
#include "link/data_pump.h"
#include "link/device_list.h"
#include "link/link.h"
#include "logs/log_indexer.h"
#include "logs/log_recorder.h"
#include "logs/statistics.h"
#include "options_target.h"
#include "qt_services.h"
#include "session_emulation.h"
#include "user_interaction.h"
#include "window_registry.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace trix::app {

class TrixApplication;
class StatusBar;
class InitializationDialog;
class PumpDriver;
class DgpsParsers;

// The emulation's timer id; the log recorder's timers share the session's timer host.
inline constexpr int kTimerEmulation = 1;
// The command pacer's timer id.
inline constexpr int kTimerCommands = 3;
// The timer that watches a disconnected port send its last commands before it closes.
inline constexpr int kTimerPortClosing = 15;

// The link state: one record for the process, read by every part that needs the link. The
// receiver link's own state (port, COM number, settings, model, receiver port, host mode,
// connection choices) is the core's; the session adds what only the program around it holds.
struct LinkState : link::LinkState {
    bool busy = false;
    bool analysisActive = false;
    bool emulationActive = false;
    bool viewFileMode = false;
    bool portOpen() const { return port != nullptr; }
};

// Listeners that are not data windows, in the order the pump serves them.
enum class Listener { Terminal, InitDialog, PortActivity, AlmanacDownload, TicketWriter };

// What the session asks of the main window.
class SessionView {
public:
    virtual ~SessionView() = default;
    // The state changed: the title and the commands follow it.
    virtual void stateChanged() = 0;
    virtual StatusBar& statusLine() = 0;
    // The data windows of the View menu.
    virtual bool windowOpen(DataWindow kind) const = 0;
    virtual bool canOpenWindow(DataWindow kind) const = 0;
    virtual void toggleWindow(DataWindow kind) = 0;
    // The epoch counter window.
    virtual bool epochCounterOpen() const = 0;
    virtual void openEpochCounter() = 0;
    virtual void closeEpochCounter() = 0;
    virtual void refreshEpochCounter() = 0;
    // The port or the receiver changed (the port activity window follows).
    virtual void portChanged() = 0;
    // The parent of the session's dialogs.
    virtual QWidget* dialogParent() = 0;
};

class Session : public QObject,
                public OptionsTarget,
                public PortHook,
                public link::LinkEvents,
                public logs::RecorderEvents,
                public logs::IndexEvents {
    Q_OBJECT
public:
    Session(TrixApplication& app, MessageSink& messages, UserInteraction& interaction,
            SessionView& view);
    ~Session() override;

    // --- the data windows --------------------------------------------------------------------
    WindowRegistry& registry() { return registry_; }
    // A data window opened: takes a use of the decoder (creating it) and registers the window
    // with what it listens to. False, after telling the user there is not enough memory, when
    // the decoder cannot be created; the window is then not registered.
    bool addWindow(DataWindow kind, DataWindowClient* client, const Interest& interest);
    // The window of `kind` is gone: it is unregistered and its use of the decoder released.
    void removeWindow(DataWindow kind);
    void setListener(Listener kind, TrafficListener* listener);
    // The RTCM and RTK windows' parsers (dgps_parsers.h).
    DgpsParsers& dgps() { return *dgps_; }

    // --- the receiver link ------------------------------------------------------------------
    link::Link& connection() { return *connection_; }
    // The command sender: 1 when written, 0 otherwise.
    int sendCommand(std::string_view text, bool addChecksum = true);
    // The COM numbers: devices keep their number for the whole run once listed.
    const link::DeviceList& devices();
    std::string deviceOf(int comNumber);
    // GPS menu: Connect (the seven steps) and Disconnect.
    void connectCommand();
    void disconnectCommand();
    // Closes the windows fed by the link, switches the receiver's messages off and closes the
    // port. Returns at once: the link is busy ("disconnecting") until the switching-off
    // commands have left and the port has closed.
    void disconnect();
    bool disconnecting() const { return disconnecting_; }
    // Opens COM `comNumber` with `portSettings`; false, with the message, when it cannot be.
    bool openPort();
    // Applies new settings to the open port; "Mode not setted !" on failure when asked.
    bool reconfigurePort(const link::PortSettings& settings, bool showErrors);
    // "Connect to GPS Receiver with last settings" of the start-up menu.
    void connectWithLastSettings();
    // Starts the initialization dialog once control returns to the event loop.
    void postStartInit(bool initFromFile, const std::string& fileName);
    void startInit(bool initFromFile, const std::string& fileName);
    // Closes the port when no model has been identified.
    void closeIfUnidentified();
    // A model was identified.
    void receiverChanged();
    // One run of the data pump (its timer and the port's input notifier).
    void pumpTick();
    InitializationDialog* initDialog() const;
    // The file a receiver file name stands for: the user's folder first, then the shipped one;
    // the user's folder when neither holds it.
    std::string locateReceiverFile(const std::string& name) const;
    // A text for the message pane of the status bar.
    void showStatus(std::string_view text);

    // --- state -------------------------------------------------------------------------------
    TrixApplication& app() override { return app_; }
    MessageSink& messages() override { return messages_; }
    UserInteraction& interaction() { return interaction_; }
    LinkState& link() { return link_; }
    const LinkState& link() const { return link_; }
    EpochDecoder* decoder() { return decoder_.get(); }
    const EpochDecoder* decoder() const { return decoder_.get(); }
    logs::Statistics* statistics() { return statistics_.get(); }
    logs::LogIndexer* indexer() { return indexer_.get(); }
    logs::LogRecorder& recorder() { return *recorder_; }
    Emulator& emulator() { return emulation_.emulator(); }
    int dataWindowCount() const { return dataWindowCount_; }
    const std::string& viewedFile() const { return viewedFile_; }
    // The session's part of the main window's state (the open windows are the window's).
    CommandState state() const;

    // --- viewing, analysis, emulation, log session -------------------------------------------
    // GPS menu "View log file...": asks for a file and views it.
    void chooseLogFile();
    bool viewLogFile(const std::string& path);
    void closeViewedFile();
    void toggleAnalysis();
    bool startAnalysis();
    void stopAnalysis();
    void toggleEmulation() { emulation_.toggle(); }
    void startEmulation() { emulation_.start(); }
    void stopEmulation() { emulation_.stop(); }
    void emulationTick() { emulation_.tick(); }
    void toggleLogSession();

    // --- OptionsTarget -----------------------------------------------------------------------
    void unitsChanged(const UnitSelection& units) override;
    void colorsChanged() override;
    void optionsChanged(bool vehicleChanged, bool skyLayoutChanged,
                        bool plotLayoutChanged) override;
    void limitsChanged() override;
    void logSettingsChanged(const logs::LogSettings& settings, bool folderChanged) override;

    // Ends everything running, once: the link, the emulation, the log session, the viewed
    // file, the analysis; the link settings go into the profile's settings.
    void shutdown();

    // Periods of the data pump and of the initialization dialog's steps (tests shorten them).
    int pumpPeriodMs = 100;
    int initTickMs = 1000;
    // Serial devices named on the command line; listed after the ones found in /dev.
    std::vector<std::string> extraDevices;

    // PortHook
    bool portOpen() const override { return link_.portOpen(); }
    void writeQuery(std::string_view text) override;
    // LinkEvents
    void baudChanged(long baud) override;
    void portChanged() override;
    void portClosed() override;
    // RecorderEvents
    void postPerformLogSession() override;
    void logFileChanged(bool show) override;
    void sessionStarted() override;
    void sessionEnded() override;
    // IndexEvents
    void noData() override;
    void dataLoaded() override;

private:
    friend class SessionEmulation;
    class EpochStatus;
    bool acquireDecoder();
    void releaseDecoder();
    void destroyDecoder();
    void timerFired(int id);
    void showEpochInStatus();
    void installLinkBridges();
    void closePortOnly();
    void portLost();
    void closeLinkWindows();
    void openIfAbsent(DataWindow kind);
    void closeIfOpen(DataWindow kind);

    TrixApplication& app_;
    MessageSink& messages_;
    UserInteraction& interaction_;
    SessionView& view_;
    LinkState link_;
    QtTimerHost timers_;
    std::unique_ptr<QtProgress> progress_;

    std::unique_ptr<EpochDecoder> decoder_;
    std::unique_ptr<logs::Statistics> statistics_;
    std::unique_ptr<logs::LogIndexer> indexer_;
    std::unique_ptr<logs::LogRecorder> recorder_;
    int dataWindowCount_ = 0;
    bool viewUse_ = false;      // viewing a log file holds a use of the decoder
    bool sessionUse_ = false;   // a log session holds a use
    bool emulationUse_ = false; // the emulation holds a use
    std::string viewedFile_;

    WindowRegistry registry_;
    std::unique_ptr<DgpsParsers> dgps_;
    std::map<DataWindow, DataWindowClient*> clients_;
    std::unique_ptr<EpochStatus> epochStatus_;
    std::map<Listener, std::unique_ptr<link::LinkListener>> bridges_;
    std::unique_ptr<link::LinkListener> lineBridge_;

    std::unique_ptr<link::Link> connection_;
    std::unique_ptr<link::DataPump> pump_;
    std::unique_ptr<link::ByteRecorder> byteRecorder_;
    std::unique_ptr<PumpDriver> pumpDriver_;
    link::DeviceList devices_;
    bool devicesScanned_ = false;
    QPointer<InitializationDialog> initDialog_;
    bool disconnecting_ = false;
    // A connection asked for while the last port was still closing, made once it has.
    std::function<void()> afterClosing_;

    SessionEmulation emulation_;
    bool shutDown_ = false;
};

} // namespace trix::app
