#pragma once
// The MDI frame window: owner of the link state, the decoder and one reference per data
// window; carries the menus, the toolbar, the status bar and the title, and hands received
// lines and decoded epochs to the listeners synchronously in the order of the data flow.

#include "app/connect/connection_rules.h"
#include "app/core/emulator.h"
#include "app/core/frame_state.h"
#include "app/core/settings.h"
#include "decode/epoch_decoder.h"
#include "link/data_pump.h"
#include "link/device_list.h"
#include "link/init_run.h"
#include "link/link.h"
#include "logs/log_indexer.h"
#include "logs/log_recorder.h"
#include "logs/statistics.h"
#include "qt_services.h"
#include "window_client.h"

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QAction;
class QMdiArea;
class QMdiSubWindow;
class QToolBar;

namespace trix::app {

class TrixApplication;
class StatusBar;
class EpochCounter;
class PortActivityWindow;
class InitializationDialog;
class PumpDriver;

// Timer ids of the frame.
inline constexpr int kTimerEmulation = 1;
inline constexpr int kTimerPump = 2;

// The link state: one record for the process, read by every part that needs the link. The
// receiver link's own state (port, COM number, settings, model, receiver port, host mode,
// connection choices) is the core's; the frame adds what only the program around it holds.
struct LinkState : link::LinkState {
    bool busy = false;
    bool analysisActive = false;
    bool emulationActive = false;
    bool viewFileMode = false;
    bool portOpen() const { return port != nullptr; }
};

// Listeners that are not data windows, in the order the pump serves them.
enum class Listener { Terminal, InitDialog, PortActivity, AlmanacDownload, TicketWriter };

class MainWindow : public QMainWindow,
                   public WindowSink,
                   public PortHook,
                   public link::LinkEvents,
                   public logs::RecorderEvents,
                   public logs::IndexEvents {
    Q_OBJECT
public:
    explicit MainWindow(TrixApplication& app, MessageSink* messages = nullptr);
    ~MainWindow() override;

    // --- what the display and connection windows plug into ------------------------------------
    // Opens the window of `kind` as an MDI child; the window registers itself.
    using WindowFactory = std::function<QWidget*(MainWindow&)>;
    static void setWindowFactory(DataWindow kind, WindowFactory factory);
    static bool hasWindowFactory(DataWindow kind);

    // A data window opened: takes a use of the decoder (creating it). False (string 7026) when
    // the decoder cannot be created; the window is then not registered.
    bool registerWindow(DataWindow kind, QWidget* window, DataWindowClient* client);
    // UM_WINDOW_CLOSED: a registered window is gone; the last one releases the decoder.
    void windowClosed(DataWindow kind);
    QWidget* window(DataWindow kind) const;
    void setListener(Listener kind, TrafficListener* listener);

    // One received line, handed synchronously to every listener in the data-flow order.
    void dispatchLine(std::string_view line);
    // An ACK or NAK note: to the terminal, the initialization dialog and the decoder only.
    void dispatchNote(std::string_view note);

    // --- the receiver link --------------------------------------------------------------------
    link::Link& connection() { return *connection_; }
    // The command sender: 1 when written, 0 otherwise.
    int sendCommand(std::string_view text, bool addChecksum = true);
    // The COM numbers: devices keep their number for the whole run once listed.
    const link::DeviceList& devices();
    std::string deviceOf(int comNumber);
    // GPS menu: Connect (the seven steps), Disconnect, Port Activity.
    void onConnect();
    void onDisconnect();
    void onPortActivity();
    // Closes the windows fed by the link, switches the receiver's messages off and closes the
    // port.
    void disconnect();
    // Opens COM `comNumber` with `portSettings`; false (message 7009) when it cannot be.
    bool openPort();
    // Applies new settings to the open port; "Mode not setted !" on failure when asked.
    bool reconfigurePort(const link::PortSettings& settings, bool showErrors);
    // "Connect to GPS Receiver with last settings" of the start-up menu.
    void connectWithLastSettings();
    // UM_START_INIT, posted and handled.
    void postStartInit(bool initFromFile, const std::string& fileName);
    void startInit(bool initFromFile, const std::string& fileName);
    // UM_CLOSE_IF_UNIDENTIFIED: closes the port when no model has been identified.
    void closeIfUnidentified();
    // UM_RECEIVER_CHANGED: a model was identified.
    void receiverChanged();
    // One run of the data pump (timer 2 and the port's input notifier).
    void pumpTick();
    PortActivityWindow* portActivityWindow() const;
    InitializationDialog* initDialog() const;
    // The file a receiver file name stands for: the user's folder first, then the shipped one;
    // the user's folder when neither holds it.
    std::string locateReceiverFile(const std::string& name) const;

    // --- state -------------------------------------------------------------------------------
    TrixApplication& app() { return app_; }
    LinkState& link() { return link_; }
    EpochDecoder* decoder() { return decoder_.get(); }
    logs::Statistics* statistics() { return statistics_.get(); }
    logs::LogIndexer* indexer() { return indexer_.get(); }
    logs::LogRecorder& recorder() { return *recorder_; }
    MessageSink& messages() { return *messages_; }
    StatusBar* statusBarEx() const { return status_; }
    QMdiArea* mdiArea() const { return mdi_; }
    EpochCounter* epochCounter() const;
    Emulator& emulator() { return emulator_; }
    int dataWindowCount() const { return dataWindowCount_; }
    const std::string& viewedFile() const { return viewedFile_; }
    FrameState state() const;
    QAction* action(Command c) const { return actions_.at(static_cast<std::size_t>(c)); }

    void refreshTitle();
    void updateCommands();
    void refreshUnitsPane();

    // --- commands ----------------------------------------------------------------------------
    void onViewLogFile();
    bool viewLogFile(const QString& path);
    void closeViewedFile();
    void onAnalysis();
    bool startAnalysis();
    void stopAnalysis();
    void onEmulation();
    void startEmulation();
    void stopEmulation();
    void emulationTick();
    void onPerformLogSession();
    void onEpochCounter();
    void openEpochCounter();
    void closeEpochCounter();
    void onOptions();
    void onToggleView(DataWindow kind);

    // --- notifications from the options sheet ------------------------------------------------
    void unitsChanged(const UnitSelection& units); // UM_UNITS_CHANGED after converting
    void colorsChanged();
    void optionsChanged(bool vehicleChanged, bool skyLayoutChanged, bool plotLayoutChanged);
    void limitsChanged();

    // --- hooks for tests and for other front ends ------------------------------------------------
    // Asks for a log file to view; empty when cancelled.
    std::function<QString()> askLogFile;
    // Runs the "Static Position Data" dialog on the settings; false when cancelled.
    std::function<bool(logs::AnalysisSettings&)> askStaticPosition;
    // Opens the error list with the desktop's "open" action.
    std::function<void(const QString&)> openErrorList;
    // The local clock for the emulated position sentences.
    std::function<ClockTime()> clock;
    // Runs the "Connection Parameters" dialog; nothing when cancelled.
    std::function<std::optional<ConnectionChoices>()> askConnection;
    // "GPS Receiver not responding": the choice of dialog 212.
    std::function<link::NotRespondingChoice()> askNotResponding;
    // Periods of the data pump and of the initialization dialog's steps (tests shorten them).
    int pumpPeriodMs = 100;
    int initTickMs = 1000;
    // Serial devices named on the command line; listed after the ones found in /dev.
    std::vector<std::string> extraDevices;

    // WindowSink
    void epoch(DataWindow window, int hint) override;
    void redrawAll(DataWindow window) override;
    // PortHook
    bool portOpen() const override { return link_.portOpen(); }
    void writeQuery(std::string_view text) override;
    // LinkEvents
    void baudChanged(long baud) override;
    void portChanged() override;
    // RecorderEvents
    void postPerformLogSession() override;
    void logFileChanged(bool show) override;
    void sessionStarted() override;
    void sessionEnded() override;
    // IndexEvents
    void noData() override;
    void dataLoaded() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createActions();
    void createMenus();
    void restorePlacement();
    void savePlacement();
    bool acquireDecoder();
    void releaseDecoder();
    void destroyDecoder();
    void timerFired(int id);
    void tellClient(DataWindow kind, const std::function<void(DataWindowClient&)>& call);
    void showEpochInStatus();
    void shutdown();
    void installLinkBridges();
    void closePortOnly();
    void portLost();
    void closeLinkWindows();

    TrixApplication& app_;
    std::unique_ptr<QtMessageSink> ownMessages_;
    MessageSink* messages_;
    LinkState link_;
    QMdiArea* mdi_ = nullptr;
    StatusBar* status_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    std::array<QAction*, kCommandCount> actions_{};
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

    struct Registered {
        QPointer<QWidget> window;
        DataWindowClient* client = nullptr;
    };
    std::map<DataWindow, Registered> windows_;
    QPointer<QWidget> counterWindow_;
    std::map<Listener, std::unique_ptr<link::LinkListener>> bridges_;
    std::vector<std::unique_ptr<link::LinkListener>> windowBridges_;

    std::unique_ptr<link::Link> connection_;
    std::unique_ptr<link::DataPump> pump_;
    std::unique_ptr<link::ByteRecorder> byteRecorder_;
    std::unique_ptr<PumpDriver> pumpDriver_;
    link::DeviceList devices_;
    bool devicesScanned_ = false;
    QPointer<PortActivityWindow> portActivity_;
    QPointer<InitializationDialog> initDialog_;
    bool lostHandled_ = false;

    Emulator emulator_;
    bool shutDown_ = false;
    bool indexerBusy_ = false;    // a log file is being read: epochs are not shown one by one
    bool closingCounter_ = false; // the frame itself closes the epoch counter
};

} // namespace trix::app
