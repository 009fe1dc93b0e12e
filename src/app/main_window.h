#pragma once
// The MDI main window: menus, toolbar, status bar, title and the MDI area with the data
// windows, the epoch counter and the port activity window. Everything that runs behind the
// windows is the session's (session.h); the window's commands ask the session, and the
// session reaches back through SessionView.
//
// A data window of the View menu opens through its factory (setWindowFactory), registered at
// start by the window's own folder. The factory creates the window, registers it with
// registerWindow(kind, widget, client, interest) (see window_registry.h for the interest) and
// shows it in mdiArea(); the window calls windowClosed(kind) when it closes.

#include "app/core/command_state.h"
#include "session.h"
#include "user_interaction.h"
#include "window_client.h"
#include "window_host.h"
#include "window_registry.h"

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <functional>
#include <map>
#include <memory>

class QAction;
class QMdiArea;
class QToolBar;

namespace trix::app {

class TrixApplication;
class StatusBar;
class EpochCounter;
class PortActivityWindow;
class AlmanacCommands;
class TerminalCommands;
class MdiArea;
class RecentLogsMenu;

class MainWindow : public QMainWindow,
                   public SessionView,
                   public WindowHost,
                   public CommandHost,
                   public StartupHost {
    Q_OBJECT
public:
    // `messages` and `interaction` default to the program's message boxes and dialogs.
    explicit MainWindow(TrixApplication& app, MessageSink* messages = nullptr,
                        UserInteraction* interaction = nullptr);
    ~MainWindow() override;

    // --- what the data windows plug into -----------------------------------------------------
    // Opens the window of `kind` as an MDI child; the window registers itself.
    using WindowFactory = std::function<QWidget*(WindowHost&)>;
    static void setWindowFactory(DataWindow kind, WindowFactory factory);
    static bool hasWindowFactory(DataWindow kind);
    static WindowFactory windowFactory(DataWindow kind);

    // A data window opened: the session takes a use of the decoder and registers the window
    // with what it listens to. False, after telling the user there is not enough memory, when
    // the decoder cannot be created; the window is then not registered.
    bool registerWindow(DataWindow kind, QWidget* window, DataWindowClient* client,
                        const Interest& interest) override;
    // A registered window is gone: it is unregistered; the last one releases the decoder.
    void windowClosed(DataWindow kind) override;
    QWidget* window(DataWindow kind) const override;

    // --- what the window asks ----------------------------------------------------------------
    Session& session() { return *session_; }
    TrixApplication& app() { return app_; }
    MessageSink& messages() override { return *messages_; }
    StatusBar* statusBarEx() const { return status_; }
    QMdiArea* mdiArea() const override;
    RecentLogsMenu* recentLogs() const { return recent_; }
    EpochCounter* epochCounter() const;
    PortActivityWindow* portActivityWindow() const;
    CommandState state() const;
    QAction* action(Command c) const override { return actions_.at(static_cast<std::size_t>(c)); }
    AlmanacCommands* almanacCommands() const { return almanac_; }
    TerminalCommands* terminalCommands() const { return terminal_; }

    void refreshTitle();
    void updateCommands() override;
    void refreshUnitsPane();

    // --- the menu commands: the session runs them, the commands follow its state ------------
    void onConnect();
    void onDisconnect();
    void connectWithLastSettings() override;
    void onViewLogFile() override;
    bool viewLogFile(const QString& path);
    void onAnalysis() override;
    void onEmulation() override;
    void onPerformLogSession();
    // Commands of the window itself.
    void onToggleView(DataWindow kind);
    void onEpochCounter();
    void onPortActivity();
    void onOptions();

    // SessionView
    void stateChanged() override;
    StatusBar& statusLine() override { return *status_; }
    bool windowOpen(DataWindow kind) const override { return window(kind) != nullptr; }
    bool canOpenWindow(DataWindow kind) const override { return hasWindowFactory(kind); }
    void toggleWindow(DataWindow kind) override { onToggleView(kind); }
    bool epochCounterOpen() const override { return counterWindow_ != nullptr; }
    void openEpochCounter() override;
    void closeEpochCounter() override;
    void refreshEpochCounter() override;
    void portChanged() override;
    QWidget* dialogParent() override { return this; }

    // WindowHost, CommandHost, StartupHost: the rest of what the windows and commands ask
    Settings& settings() override;
    IniProfile& profile() override;
    UnitSelection units() const override;
    logs::AnalysisSettings analysisSettings() const override;
    EpochDecoder* decoder() const override { return session_->decoder(); }
    const logs::Statistics* statistics() const override { return session_->statistics(); }
    bool analysisActive() const override { return session_->link().analysisActive; }
    bool viewingLog() const override { return session_->link().viewFileMode; }
    int modelIndex() const override { return session_->link().modelIndex; }
    DgpsParsers& dgps() override { return session_->dgps(); }
    link::Link& connection() override { return session_->connection(); }
    QMenu* fileMenu() override;
    void openReceiversBook() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createActions();
    void createMenus();
    void restorePlacement();
    void savePlacement();
    void shutdown();

    TrixApplication& app_;
    std::unique_ptr<QtMessageSink> ownMessages_;
    MessageSink* messages_;
    std::unique_ptr<QtUserInteraction> ownInteraction_;
    MdiArea* mdi_ = nullptr;
    StatusBar* status_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    std::array<QAction*, kCommandCount> actions_{};
    std::unique_ptr<Session> session_;

    std::map<DataWindow, QPointer<QWidget>> windows_;
    QPointer<QWidget> counterWindow_;
    QPointer<PortActivityWindow> portActivity_;
    AlmanacCommands* almanac_ = nullptr;   // the Almanac menu (a child)
    TerminalCommands* terminal_ = nullptr; // terminal, send menu, ticket, book (a child)
    RecentLogsMenu* recent_ = nullptr;     // GPS ▸ Recent Log Files (a child)
    bool shutDown_ = false;
    bool closingCounter_ = false; // the window itself closes the epoch counter
};

} // namespace trix::app
