#include "main_window.h"

#include "about_dialog.h"
#include "almanac_commands.h"
#include "app/connect/initialization_dialog.h"
#include "app/connect/port_activity_window.h"
#include "app/core/placement.h"
#include "base/strings.h"
#include "base/text.h"
#include "command_texts.h"
#include "epoch_counter.h"
#include "log_file_drop.h"
#include "mdi_area.h"
#include "options_sheet.h"
#include "recent_logs_menu.h"
#include "status_bar.h"
#include "terminal_commands.h"
#include "trix_application.h"
#include "window_menu.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScreen>
#include <QStyle>
#include <QToolBar>

namespace trix::app {

namespace {

std::map<DataWindow, MainWindow::WindowFactory>& factories() {
    static std::map<DataWindow, MainWindow::WindowFactory> f;
    return f;
}

// The View command of each data window kind.
Command viewCommand(DataWindow kind) {
    switch (kind) {
    case DataWindow::SkyChart:
        return Command::SkyChart;
    case DataWindow::Position:
        return Command::Position;
    case DataWindow::Panel:
        return Command::IndicatorPanel;
    case DataWindow::Rtcm:
        return Command::DgpsRtc;
    case DataWindow::Rtk:
        return Command::DgpsRtk;
    case DataWindow::Plot:
        return Command::DataPlotting;
    case DataWindow::EpochCounter:
        return Command::EpochCounter;
    }
    return Command::EpochCounter;
}

} // namespace

void MainWindow::setWindowFactory(DataWindow kind, WindowFactory factory) {
    factories()[kind] = std::move(factory);
}

bool MainWindow::hasWindowFactory(DataWindow kind) {
    auto it = factories().find(kind);
    return it != factories().end() && it->second;
}

MainWindow::WindowFactory MainWindow::windowFactory(DataWindow kind) {
    auto it = factories().find(kind);
    return it == factories().end() ? WindowFactory() : it->second;
}

MainWindow::MainWindow(TrixApplication& app, MessageSink* messages, UserInteraction* interaction)
    : app_(app) {
    if (!messages) {
        ownMessages_ = std::make_unique<QtMessageSink>(this);
        messages = ownMessages_.get();
    }
    messages_ = messages;
    if (auto* qt = dynamic_cast<QtMessageSink*>(messages_))
        qt->onStatus = [this](std::string_view t) {
            status_->setPaneText(StatusBar::Message, qs(t));
        };
    if (!interaction) {
        ownInteraction_ = std::make_unique<QtUserInteraction>(this, *messages_);
        interaction = ownInteraction_.get();
    }

    mdi_ = new MdiArea(this);
    mdi_->setBackground(QColor(128, 128, 128));
    setCentralWidget(mdi_);
    status_ = new StatusBar(this);
    setStatusBar(status_);
    session_ = std::make_unique<Session>(app_, *messages_, *interaction, *this);

    createActions();
    createMenus();
    toolBar_->setVisible(app_.settings().toolBar != 0);
    status_->setVisible(app_.settings().statusBar != 0);
    refreshUnitsPane();
    refreshTitle();
    updateCommands();
    restorePlacement();
    new LogFileDrop(
        *this, {[this] { return commandStatus(Command::ViewLogFile, state()).enabled; },
                [this](const QString& path) { return viewLogFile(path); },
                [this](const QString& text) { status_->setPaneText(StatusBar::Message, text); }});
}

MainWindow::~MainWindow() {
    shutdown();
    // Children close before the decoder goes.
    mdi_->closeAllSubWindows();
    // A window whose close was deferred (WA_DeleteOnClose) goes now, while the session it
    // unregisters from still exists.
    const QList<QMdiSubWindow*> children = mdi_->findChildren<QMdiSubWindow*>();
    for (const QPointer<QMdiSubWindow>& sub :
         QList<QPointer<QMdiSubWindow>>(children.begin(), children.end()))
        delete sub.data();
    windows_.clear();
    // The link's windows reach back into the link when they go, so they go first.
    for (InitializationDialog* d : findChildren<InitializationDialog*>())
        delete d;
    for (PortActivityWindow* d : findChildren<PortActivityWindow*>())
        delete d;
    delete almanac_;
    delete terminal_;
    session_.reset();
}

// ---------------------------------------------------------------------------------------------
// Menus, toolbar, placement

void MainWindow::createActions() {
    for (const CommandText& d : commandTexts())
        actions_[static_cast<std::size_t>(d.command)] = createAction(d, this);
    auto on = [this](Command c, auto fn) {
        connect(action(c), &QAction::triggered, this, [this, fn] {
            fn();
            updateCommands();
        });
    };
    on(Command::ViewLogFile, [this] { onViewLogFile(); });
    on(Command::Analysis, [this] { onAnalysis(); });
    on(Command::Emulation, [this] { onEmulation(); });
    on(Command::Logging, [this] { onPerformLogSession(); });
    on(Command::Connect, [this] { onConnect(); });
    on(Command::Disconnect, [this] { onDisconnect(); });
    on(Command::EpochCounter, [this] { onEpochCounter(); });
    on(Command::PortActivity, [this] { onPortActivity(); });
    on(Command::CloseLogFile, [this] { session_->closeViewedFile(); });
    on(Command::EndEmulation, [this] { session_->stopEmulation(); });
    for (DataWindow k : {DataWindow::SkyChart, DataWindow::Position, DataWindow::Panel,
                         DataWindow::Rtcm, DataWindow::Rtk, DataWindow::Plot})
        connect(action(viewCommand(k)), &QAction::triggered, this, [this, k] {
            onToggleView(k);
            updateCommands();
        });
}

void MainWindow::createMenus() {
    QMenu* file = menuBar()->addMenu(tr("&File"));
    file->addAction(tr("E&xit"), QKeySequence::Quit, this, &QWidget::close)
        ->setStatusTip(QString::fromUtf8(str::kTipExit));

    QMenu* gps = menuBar()->addMenu(tr("&GPS"));
    for (Command c : {Command::Connect, Command::Disconnect, Command::SendCommand})
        gps->addAction(action(c));
    gps->addSeparator();
    for (Command c : {Command::Logging, Command::ViewLogFile, Command::CloseLogFile,
                      Command::Analysis, Command::Emulation, Command::EndEmulation})
        gps->addAction(action(c));
    recent_ = new RecentLogsMenu(
        app_.profile(), *gps, *action(Command::ViewLogFile), *messages_,
        [this](const QString& path) { return viewLogFile(path); }, this);
    gps->addSeparator();
    gps->addAction(action(Command::SupportTicket));

    QMenu* view = menuBar()->addMenu(tr("&View"));
    toolBar_ = addToolBar(tr("Toolbar"));
    toolBar_->setObjectName("MainToolBar");
    toolBar_->setIconSize(QSize(20, 20));
    QAction* tb = toolBar_->toggleViewAction();
    tb->setText(tr("&Toolbar"));
    tb->setStatusTip(QString::fromUtf8(str::kTipToolBar));
    view->addAction(tb);
    auto* sb = view->addAction(tr("&Status Bar"));
    sb->setCheckable(true);
    sb->setChecked(true);
    sb->setStatusTip(QString::fromUtf8(str::kTipStatusBar));
    connect(sb, &QAction::toggled, status_, &QWidget::setVisible);
    connect(view, &QMenu::aboutToShow, this, [this, sb] { sb->setChecked(status_->isVisible()); });
    view->addSeparator();
    for (Command c :
         {Command::Position, Command::SkyChart, Command::IndicatorPanel, Command::DgpsRtc,
          Command::DgpsRtk, Command::DataPlotting, Command::EpochCounter})
        view->addAction(action(c));
    view->addAction(action(Command::PortActivity));
    view->addSeparator();
    view->addAction(tr("&Options..."), this, &MainWindow::onOptions)
        ->setStatusTip(QString::fromUtf8(str::kTipOptions));

    almanac_ = new AlmanacCommands(*session_, *mdi_, *menuBar(), *this);
    terminal_ =
        new TerminalCommands(*session_, *mdi_, *gps, *menuBar(), *action(Command::SendCommand),
                             *action(Command::SupportTicket), *status_, *this);

    QMenu* win = menuBar()->addMenu(tr("&Window"));
    new WindowMenu(*mdi_, app_.profile(), *win, this);
    AboutDialog::addHelpMenu(*menuBar(), *this);

    for (QMenu* m : {gps, view})
        connect(m, &QMenu::aboutToShow, this, &MainWindow::updateCommands);

    const QStyle* st = style();
    action(Command::ViewLogFile)->setIcon(st->standardIcon(QStyle::SP_DialogOpenButton));
    action(Command::Logging)->setIcon(st->standardIcon(QStyle::SP_DialogSaveButton));
    action(Command::Analysis)->setIcon(st->standardIcon(QStyle::SP_FileDialogDetailedView));
    action(Command::Emulation)->setIcon(st->standardIcon(QStyle::SP_MediaPlay));
    action(Command::EpochCounter)->setIcon(st->standardIcon(QStyle::SP_FileDialogInfoView));
    action(Command::Connect)->setIcon(st->standardIcon(QStyle::SP_DriveNetIcon));
    action(Command::Disconnect)->setIcon(st->standardIcon(QStyle::SP_BrowserStop));
    for (Command c : {Command::Connect, Command::Disconnect, Command::ViewLogFile, Command::Logging,
                      Command::Analysis, Command::Emulation, Command::EpochCounter})
        toolBar_->addAction(action(c));
}

void MainWindow::restorePlacement() {
    WindowPlacement p = readPlacement(app_.profile(), "MainWin");
    QRect screen(0, 0, 1920, 1080);
    if (QScreen* s = QGuiApplication::primaryScreen())
        screen = s->availableGeometry();
    RestoredPlacement r =
        trix::app::restorePlacement(p, screen.width(), screen.height(), /*allowMaximized=*/true);
    if (!r.move) {
        setWindowState(Qt::WindowMaximized);
        resize(screen.size() * 3 / 4);
        return;
    }
    // Inside the screen as it is now, whatever screen or scale the placement was stored on.
    const PlacedRect fit = fitPlacement(p, screen.width(), screen.height());
    setGeometry(screen.left() + fit.left, screen.top() + fit.top, std::max(200, fit.width),
                std::max(150, fit.height));
    if (r.showState == kShowMaximized)
        setWindowState(Qt::WindowMaximized);
}

void MainWindow::savePlacement() {
    QRect g = normalGeometry().isValid() ? normalGeometry() : geometry();
    WindowPlacement p{g.left(), g.top(), g.right() + 1, g.bottom() + 1,
                      isMaximized() ? kShowMaximized
                                    : (isMinimized() ? kShowMinimized : kShowNormal)};
    writePlacement(app_.profile(), "MainWin", p);
}

CommandState MainWindow::state() const {
    CommandState s = session_->state();
    auto open = [this](DataWindow k) { return window(k) != nullptr; };
    s.positionOpen = open(DataWindow::Position);
    s.skyOpen = open(DataWindow::SkyChart);
    s.panelOpen = open(DataWindow::Panel);
    s.rtcOpen = open(DataWindow::Rtcm);
    s.rtkOpen = open(DataWindow::Rtk);
    s.plotOpen = open(DataWindow::Plot);
    s.counterOpen = counterWindow_ != nullptr;
    s.portActivityOpen = portActivity_ != nullptr;
    if (terminal_)
        terminal_->fillState(s);
    return s;
}

void MainWindow::refreshTitle() {
    setWindowTitle(qs(frameTitle(state())));
}

void MainWindow::updateCommands() {
    const CommandState s = state();
    for (int i = 0; i < kCommandCount; ++i) {
        auto c = static_cast<Command>(i);
        CommandStatus st = commandStatus(c, s);
        // Windows and dialogs that are not part of this program yet open nothing.
        bool available = true;
        switch (c) {
        case Command::Position:
            available = hasWindowFactory(DataWindow::Position);
            break;
        case Command::SkyChart:
            available = hasWindowFactory(DataWindow::SkyChart);
            break;
        case Command::IndicatorPanel:
            available = hasWindowFactory(DataWindow::Panel);
            break;
        case Command::DgpsRtc:
            available = hasWindowFactory(DataWindow::Rtcm);
            break;
        case Command::DgpsRtk:
            available = hasWindowFactory(DataWindow::Rtk);
            break;
        case Command::DataPlotting:
            available = hasWindowFactory(DataWindow::Plot);
            break;
        case Command::SendCommand:
        case Command::SupportTicket:
            available = terminal_ != nullptr;
            break;
        default:
            break;
        }
        QAction* a = action(c);
        a->setEnabled(st.enabled && available);
        if (a->isCheckable())
            a->setChecked(st.checked);
    }
    mdi_->setHint(wantsDataWindowHint(s) ? QString::fromUtf8(str::kDataWindowHint) : QString());
}

void MainWindow::refreshUnitsPane() {
    UnitSelection u = app_.units();
    status_->setPaneText(StatusBar::Units,
                         qs(cformat("D:%s A:%s H:%s V:%s", distanceUnit(u.distance).name,
                                    altitudeUnit(u.altitude).name, speedUnit(u.speed).name,
                                    verticalSpeedUnit(u.verticalSpeed).name)));
}

// ---------------------------------------------------------------------------------------------
// Menu commands

void MainWindow::onConnect() {
    session_->connectCommand();
    updateCommands();
}

void MainWindow::onDisconnect() {
    session_->disconnectCommand();
    updateCommands();
}

void MainWindow::connectWithLastSettings() {
    session_->connectWithLastSettings();
    updateCommands();
}

void MainWindow::onViewLogFile() {
    session_->chooseLogFile();
    if (session_->link().viewFileMode)
        recent_->add(QString::fromStdString(session_->viewedFile()));
    updateCommands();
}

bool MainWindow::viewLogFile(const QString& path) {
    const bool ok = session_->viewLogFile(path.toStdString());
    if (ok)
        recent_->add(QString::fromStdString(session_->viewedFile()));
    updateCommands();
    return ok;
}

void MainWindow::onAnalysis() {
    session_->toggleAnalysis();
    updateCommands();
}

void MainWindow::onEmulation() {
    session_->toggleEmulation();
    updateCommands();
}

void MainWindow::onPerformLogSession() {
    session_->toggleLogSession();
    updateCommands();
}

// ---------------------------------------------------------------------------------------------
// Data windows

bool MainWindow::registerWindow(DataWindow kind, QWidget* window, DataWindowClient* client,
                                const Interest& interest) {
    if (!session_->addWindow(kind, client, interest))
        return false;
    windows_[kind] = window;
    updateCommands();
    return true;
}

void MainWindow::windowClosed(DataWindow kind) {
    auto it = windows_.find(kind);
    if (it == windows_.end())
        return;
    windows_.erase(it);
    session_->removeWindow(kind);
    updateCommands();
}

QMdiArea* MainWindow::mdiArea() const {
    return mdi_;
}

QWidget* MainWindow::window(DataWindow kind) const {
    if (kind == DataWindow::EpochCounter)
        return counterWindow_;
    auto it = windows_.find(kind);
    return it == windows_.end() ? nullptr : it->second.data();
}

void MainWindow::onToggleView(DataWindow kind) {
    if (QWidget* w = window(kind)) {
        // The window's own close tells windowClosed().
        if (auto* sub = qobject_cast<QMdiSubWindow*>(w->parentWidget()))
            sub->close();
        else
            w->close();
        return;
    }
    auto it = factories().find(kind);
    if (it != factories().end() && it->second) {
        if (!it->second(*this))
            messages_->show(str::kNotEnoughMemory, Buttons::Ok, Icon::Stop);
    }
}

// ---------------------------------------------------------------------------------------------
// Epoch counter

EpochCounter* MainWindow::epochCounter() const {
    if (!counterWindow_)
        return nullptr;
    return counterWindow_->findChild<EpochCounter*>();
}

void MainWindow::onEpochCounter() {
    if (counterWindow_)
        closeEpochCounter();
    else
        openEpochCounter();
}

void MainWindow::openEpochCounter() {
    if (counterWindow_ || !session_->decoder())
        return;
    auto* counter = new EpochCounter(*session_);
    QMdiSubWindow* sub = mdi_->addSubWindow(counter);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowIcon(style()->standardIcon(QStyle::SP_FileDialogInfoView));
    sub->resize(300, 260);
    counterWindow_ = sub;
    connect(sub, &QObject::destroyed, this, [this, sub] {
        if (counterWindow_ == sub || !counterWindow_) {
            counterWindow_ = nullptr;
            // Closing the counter of a viewed file ends the viewing.
            if (session_->link().viewFileMode && !closingCounter_)
                QMetaObject::invokeMethod(
                    this, [this] { session_->closeViewedFile(); }, Qt::QueuedConnection);
            updateCommands();
        }
    });
    sub->show();
    updateCommands();
}

void MainWindow::closeEpochCounter() {
    if (!counterWindow_)
        return;
    QPointer<QWidget> w = counterWindow_;
    closingCounter_ = true;
    counterWindow_ = nullptr;
    delete w.data();
    closingCounter_ = false;
    updateCommands();
}

// ---------------------------------------------------------------------------------------------
// Options

void MainWindow::onOptions() {
    OptionsSheet sheet(*session_, this);
    sheet.exec();
    updateCommands();
}

// ---------------------------------------------------------------------------------------------
// Exit

void MainWindow::closeEvent(QCloseEvent* event) {
    // A recording is unsaved work in the making: quitting ends it, so the user is asked first.
    if (!shutDown_ && session_->recorder().sessionRunning() &&
        messages_->show(str::kQuitWhileRecording, Buttons::YesNo, Icon::Question) != Answer::Yes) {
        event->ignore();
        return;
    }
    shutdown();
    event->accept();
}

void MainWindow::shutdown() {
    if (shutDown_)
        return;
    shutDown_ = true;
    session_->shutdown();
    savePlacement();
    app_.settings().toolBar = toolBar_->isVisibleTo(this) ? 1 : 0;
    app_.settings().statusBar = status_->isVisibleTo(this) ? 1 : 0;
    if (!isVisible()) {
        // Never shown (tests, headless use): the visibilities are those chosen at start.
        app_.settings().toolBar = toolBar_->isHidden() ? 0 : 1;
        app_.settings().statusBar = status_->isHidden() ? 0 : 1;
    }
    saveMainWin(app_.profile(), app_.settings());
}

void MainWindow::refreshEpochCounter() {
    if (EpochCounter* c = epochCounter())
        c->refresh();
}

void MainWindow::stateChanged() {
    refreshUnitsPane();
    refreshTitle();
    updateCommands();
}

// ---------------------------------------------------------------------------------------------
// Port activity window

PortActivityWindow* MainWindow::portActivityWindow() const {
    return portActivity_;
}

void MainWindow::portChanged() {
    if (portActivity_)
        portActivity_->portChanged();
    if (terminal_)
        terminal_->portChanged();
}

void MainWindow::onPortActivity() {
    if (portActivity_) {
        portActivity_->close();
        return;
    }
    const LinkState& link = session_->link();
    auto* w = new PortActivityWindow(
        [&link] {
            PortActivityWindow::Info info{
                link.portOpen() ? link.comNumber : 0, link.modelIndex, {}};
            if (info.comNumber != 0)
                info.device = std::string(link.port->deviceName());
            return info;
        },
        this);
    w->setAttribute(Qt::WA_DeleteOnClose);
    portActivity_ = w;
    link::LinkListener* listener = w;
    session_->connection().listeners.set(link::Slot::PortActivity, listener);
    connect(w, &QObject::destroyed, this, [this, listener] {
        // Cleared before anything reads it: the window is no longer a PortActivityWindow here.
        portActivity_ = nullptr;
        if (session_)
            session_->connection().listeners.remove(listener);
        updateCommands();
    });
    w->show();
    updateCommands();
}

// ---------------------------------------------------------------------------------------------
// What the windows and commands that plug into the window ask

Settings& MainWindow::settings() {
    return app_.settings();
}

IniProfile& MainWindow::profile() {
    return app_.profile();
}

UnitSelection MainWindow::units() const {
    return app_.units();
}

logs::AnalysisSettings MainWindow::analysisSettings() const {
    return app_.analysisSettings();
}

QMenu* MainWindow::fileMenu() {
    for (QAction* a : menuBar()->actions())
        if (a->menu())
            return a->menu();
    return menuBar()->addMenu(tr("&File"));
}

void MainWindow::openReceiversBook() {
    if (terminal_)
        terminal_->openBook();
}

} // namespace trix::app
