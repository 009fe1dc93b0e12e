#include "main_window.h"

#include "app/connect/port_activity_window.h"
#include "app/connect/connection_dialog.h"
#include "app/connect/initialization_dialog.h"
#include "app/connect/pump_driver.h"
#include "app/core/placement.h"
#include "decode/geo.h"
#include "base/strings.h"
#include "base/text.h"
#include "epoch_counter.h"
#include "logs/viewed_log.h"
#include "options_sheet.h"
#include "static_position_dialog.h"
#include "status_bar.h"
#include "trix_application.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScreen>
#include <QStyle>
#include <QThread>
#include <QTime>
#include <QToolBar>
#include <QUrl>

#include <new>

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

MainWindow::MainWindow(TrixApplication& app, MessageSink* messages)
    : app_(app), timers_([this](int id) { timerFired(id); }),
      emulator_(app.settings().devicesSpecific, defaultRandomSource(20240601u)) {
    if (!messages) {
        ownMessages_ = std::make_unique<QtMessageSink>(this);
        messages = ownMessages_.get();
    }
    messages_ = messages;
    if (auto* qt = dynamic_cast<QtMessageSink*>(messages_))
        qt->onStatus = [this](std::string_view t) {
            status_->setPaneText(StatusBar::Message, qs(t));
        };
    connection_ = std::make_unique<link::Link>(*messages_, link_, this);
    connection_->setWaitHooks({[] {
                                   // Waiting port operations keep the windows alive.
                                   QCoreApplication::processEvents();
                                   QThread::msleep(1);
                               },
                               nullptr});
    pump_ = std::make_unique<link::DataPump>(*connection_);
    pumpDriver_ = std::make_unique<PumpDriver>([this] { pumpTick(); }, this);
    link_.comNumber = 0;
    link_.portSettings = toPortSettings(app_.settings().comSet);
    link_.turnOffOnDetach = app_.settings().turnOffAll != 0;
    link_.initFromFile = app_.settings().initialization != 0;
    link_.manualConnect = app_.settings().manualConnect != 0;
    link_.initFileName = app_.settings().initializationFrom;
    link_.protocolYqn = app_.settings().connectWithZelp != 0;

    mdi_ = new QMdiArea(this);
    mdi_->setBackground(QColor(128, 128, 128));
    setCentralWidget(mdi_);
    status_ = new StatusBar(this);
    setStatusBar(status_);
    progress_ = std::make_unique<QtProgress>(this);
    recorder_ = std::make_unique<logs::LogRecorder>(*messages_, timers_, this);
    recorder_->setSettings(app_.logSettings());
    recorder_->setSummaryOpenQuery([this] { return statistics_ && statistics_->summaryOpen(); });
    installLinkBridges();

    createActions();
    createMenus();
    toolBar_->setVisible(app_.settings().toolBar != 0);
    status_->setVisible(app_.settings().statusBar != 0);
    askLogFile = [this] {
        return QFileDialog::getOpenFileName(this, QString(), qs(app_.settings().dirForFileOpenDlg),
                                            QString::fromUtf8(str::kLogFilesFilter) + ";;*");
    };
    askStaticPosition = [this](logs::AnalysisSettings& a) {
        StaticPositionDialog dlg(*this, a, this);
        if (dlg.exec() != QDialog::Accepted)
            return false;
        a = dlg.result();
        return true;
    };
    openErrorList = [](const QString& path) {
        QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    };
    clock = [] {
        QTime t = QTime::currentTime();
        return ClockTime{t.hour(), t.minute(), t.second()};
    };
    refreshUnitsPane();
    refreshTitle();
    updateCommands();
    restorePlacement();
}

MainWindow::~MainWindow() {
    shutdown();
    // Children close before the decoder goes.
    mdi_->closeAllSubWindows();
    windows_.clear();
    // The link's windows reach back into the link when they go, so they go first.
    for (InitializationDialog* d : findChildren<InitializationDialog*>())
        delete d;
    for (PortActivityWindow* d : findChildren<PortActivityWindow*>())
        delete d;
    connection_->listeners = link::Listeners{};
    connection_->setDecoder(nullptr);
}

// ---------------------------------------------------------------------------------------------
// Menus, toolbar, placement

void MainWindow::createActions() {
    struct Def {
        Command c;
        const char* text;
        QKeySequence key;
        bool checkable;
    };
    const Def defs[] = {
        {Command::Connect, "&Connect...", QKeySequence("Ctrl+G"), false},
        {Command::Disconnect, "&Disconnect", QKeySequence("Ctrl+D"), false},
        {Command::SendCommand, "&Send command...", {}, false},
        {Command::Position, "Positio&n", QKeySequence("Ctrl+N"), true},
        {Command::SkyChart, "Sk&y chart", QKeySequence("Ctrl+Y"), true},
        {Command::IndicatorPanel, "&Indicator Panel", QKeySequence("Ctrl+I"), true},
        {Command::DgpsRtc, "DGPS &RTC", QKeySequence("Ctrl+R"), true},
        {Command::DgpsRtk, "DGPS RT&K", {}, true},
        {Command::DataPlotting, "Data Pl&otting", QKeySequence("Ctrl+O"), true},
        {Command::Logging, "Perform &log session", {}, true},
        {Command::ViewLogFile, "&View log file...", {}, false},
        {Command::EpochCounter, "&Epoch Counter", {}, true},
        {Command::Analysis, "&Analysis", {}, true},
        {Command::Emulation, "E&mulation", {}, true},
        {Command::SupportTicket, "Support &Ticket...", {}, false},
        {Command::PortActivity, "Port &Activity", QKeySequence("Ctrl+A"), true},
    };
    for (const auto& d : defs) {
        auto* a = new QAction(QString::fromUtf8(d.text), this);
        a->setShortcut(d.key);
        a->setCheckable(d.checkable);
        actions_[static_cast<std::size_t>(d.c)] = a;
    }
    auto on = [this](Command c, auto fn) {
        connect(action(c), &QAction::triggered, this, [this, fn] {
            (this->*fn)();
            updateCommands();
        });
    };
    on(Command::ViewLogFile, &MainWindow::onViewLogFile);
    on(Command::Analysis, &MainWindow::onAnalysis);
    on(Command::Emulation, &MainWindow::onEmulation);
    on(Command::Logging, &MainWindow::onPerformLogSession);
    on(Command::EpochCounter, &MainWindow::onEpochCounter);
    on(Command::Connect, &MainWindow::onConnect);
    on(Command::Disconnect, &MainWindow::onDisconnect);
    on(Command::PortActivity, &MainWindow::onPortActivity);
    for (DataWindow k : {DataWindow::SkyChart, DataWindow::Position, DataWindow::Panel,
                         DataWindow::Rtcm, DataWindow::Rtk, DataWindow::Plot})
        connect(action(viewCommand(k)), &QAction::triggered, this, [this, k] {
            onToggleView(k);
            updateCommands();
        });
}

void MainWindow::createMenus() {
    QMenu* file = menuBar()->addMenu(tr("&File"));
    file->addAction(tr("E&xit"), QKeySequence::Quit, this, &QWidget::close);

    QMenu* gps = menuBar()->addMenu(tr("&GPS"));
    for (Command c : {Command::Connect, Command::Disconnect, Command::SendCommand})
        gps->addAction(action(c));
    gps->addSeparator();
    for (Command c :
         {Command::Logging, Command::ViewLogFile, Command::Analysis, Command::Emulation})
        gps->addAction(action(c));
    gps->addSeparator();
    gps->addAction(action(Command::SupportTicket));

    QMenu* view = menuBar()->addMenu(tr("&View"));
    toolBar_ = addToolBar(tr("Toolbar"));
    toolBar_->setObjectName("MainToolBar");
    toolBar_->setIconSize(QSize(20, 20));
    QAction* tb = toolBar_->toggleViewAction();
    tb->setText(tr("&Toolbar"));
    view->addAction(tb);
    auto* sb = view->addAction(tr("&Status Bar"));
    sb->setCheckable(true);
    sb->setChecked(true);
    connect(sb, &QAction::toggled, status_, &QWidget::setVisible);
    connect(view, &QMenu::aboutToShow, this, [this, sb] { sb->setChecked(status_->isVisible()); });
    view->addSeparator();
    for (Command c :
         {Command::Position, Command::SkyChart, Command::IndicatorPanel, Command::DgpsRtc,
          Command::DgpsRtk, Command::DataPlotting, Command::EpochCounter})
        view->addAction(action(c));
    view->addAction(action(Command::PortActivity));
    view->addSeparator();
    view->addAction(tr("&Options..."), this, &MainWindow::onOptions);

    QMenu* win = menuBar()->addMenu(tr("&Window"));
    win->addAction(tr("&Cascade"), mdi_, &QMdiArea::cascadeSubWindows);
    win->addAction(tr("&Tile"), mdi_, &QMdiArea::tileSubWindows);

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
    setGeometry(r.left < 0 ? 0 : r.left, r.top < 0 ? 0 : r.top,
                std::max(200, r.right - std::max(0, r.left)),
                std::max(150, r.bottom - std::max(0, r.top)));
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

FrameState MainWindow::state() const {
    FrameState s;
    s.busy = link_.busy;
    s.hostMode = link_.hostMode;
    s.portOpen = link_.portOpen();
    s.comNumber = link_.comNumber;
    s.modelIndex = link_.modelIndex;
    s.emulationActive = link_.emulationActive;
    s.viewFileMode = link_.viewFileMode;
    s.analysisActive = link_.analysisActive;
    s.decoderExists = decoder_ != nullptr;
    s.recording = recorder_ && recorder_->sessionRunning();
    s.fileHasRtcm = decoder_ && decoder_->logHasRtcm;
    s.fileHasRtk = decoder_ && decoder_->logHasRtk;
    s.viewedEpochs = decoder_ ? decoder_->epochsCompleted : 0;
    s.viewedFileName = QFileInfo(qs(viewedFile_)).fileName().toStdString();
    s.receiverDescription = link_.receiverDescription;
    auto open = [this](DataWindow k) {
        auto it = windows_.find(k);
        return it != windows_.end() && it->second.window;
    };
    s.positionOpen = open(DataWindow::Position);
    s.skyOpen = open(DataWindow::SkyChart);
    s.panelOpen = open(DataWindow::Panel);
    s.rtcOpen = open(DataWindow::Rtcm);
    s.rtkOpen = open(DataWindow::Rtk);
    s.plotOpen = open(DataWindow::Plot);
    s.counterOpen = counterWindow_ != nullptr;
    s.portActivityOpen = portActivity_ != nullptr;
    return s;
}

void MainWindow::refreshTitle() {
    setWindowTitle(qs(frameTitle(state())));
}

void MainWindow::updateCommands() {
    const FrameState s = state();
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
            available = false; // the terminal's command list and the ticket writer plug in here
            break;
        default:
            break;
        }
        QAction* a = action(c);
        a->setEnabled(st.enabled && available);
        if (a->isCheckable())
            a->setChecked(st.checked);
    }
}

void MainWindow::refreshUnitsPane() {
    UnitSelection u = app_.units();
    status_->setPaneText(StatusBar::Units,
                         qs(cformat("D:%s A:%s H:%s V:%s", distanceUnit(u.distance).name,
                                    altitudeUnit(u.altitude).name, speedUnit(u.speed).name,
                                    verticalSpeedUnit(u.verticalSpeed).name)));
}

// ---------------------------------------------------------------------------------------------
// Decoder and window registration

bool MainWindow::acquireDecoder() {
    if (!decoder_) {
        try {
            decoder_ = std::make_unique<EpochDecoder>(link_.modelIndex);
            statistics_ = std::make_unique<logs::Statistics>(*decoder_, *messages_);
            indexer_ = std::make_unique<logs::LogIndexer>(*decoder_, *messages_);
        } catch (const std::bad_alloc&) {
            indexer_.reset();
            statistics_.reset();
            decoder_.reset();
            messages_->show(str::kNotEnoughMemory, Buttons::Ok, Icon::Stop);
            return false;
        }
        decoder_->setViewing(link_.viewFileMode);
        decoder_->setUnits(app_.units());
        decoder_->limits() = app_.limits();
        statistics_->setSettings(app_.analysisSettings());
        statistics_->setActive(link_.analysisActive);
        statistics_->setDirectory(app_.folders().logging);
        statistics_->setDiskSpace(&recorder_->disk());
        statistics_->setLogFileQuery(
            [this] { return link_.viewFileMode ? viewedFile_ : recorder_->fileName(); });
        statistics_->setSummaryWritten([this] {
            if (EpochCounter* c = epochCounter())
                c->refresh();
        });
        indexer_->setStatistics(statistics_.get());
        indexer_->setProgress(progress_.get());
        indexer_->setEvents(this);
        indexer_->setErrorListDirectory(app_.folders().logging);
        EpochDecoder::Hooks hooks;
        hooks.messages = messages_;
        hooks.windows = this;
        hooks.analysis = statistics_.get();
        hooks.logSession = recorder_.get();
        hooks.port = this;
        hooks.indexing = indexer_.get();
        decoder_->setHooks(hooks);
        if (statistics_->truthIsReference()) {
            decoder_->reference = app_.analysisSettings().known;
            decoder_->recomputeDeparture();
        }
        recorder_->setDecoder(decoder_.get());
        connection_->setDecoder(decoder_.get());
        if (link_.portOpen()) {
            decoder_->setScalesForFirmware(link_.firmware);
            // The first data window switches the receiver's standard messages on.
            connection_->standardSet(true);
        }
    }
    ++dataWindowCount_;
    return true;
}

void MainWindow::releaseDecoder() {
    if (dataWindowCount_ > 0)
        --dataWindowCount_;
    if (dataWindowCount_ == 0 && decoder_)
        destroyDecoder();
}

void MainWindow::destroyDecoder() {
    closeEpochCounter();
    if (statistics_ && statistics_->summaryOpen())
        statistics_->epochStateReset();
    recorder_->setDecoder(nullptr);
    connection_->setDecoder(nullptr);
    indexer_.reset();
    statistics_.reset();
    decoder_.reset();
    dataWindowCount_ = 0;
    viewUse_ = sessionUse_ = emulationUse_ = false;
    if (link_.viewFileMode) {
        link_.viewFileMode = false;
        link_.modelIndex = 0;
        viewedFile_.clear();
    }
    refreshTitle();
    updateCommands();
}

bool MainWindow::registerWindow(DataWindow kind, QWidget* window, DataWindowClient* client) {
    if (!acquireDecoder())
        return false;
    windows_[kind] = {window, client};
    updateCommands();
    return true;
}

void MainWindow::windowClosed(DataWindow kind) {
    auto it = windows_.find(kind);
    if (it == windows_.end())
        return;
    windows_.erase(it);
    releaseDecoder();
    updateCommands();
}

QWidget* MainWindow::window(DataWindow kind) const {
    if (kind == DataWindow::EpochCounter)
        return counterWindow_;
    auto it = windows_.find(kind);
    return it == windows_.end() ? nullptr : it->second.window.data();
}

void MainWindow::tellClient(DataWindow kind, const std::function<void(DataWindowClient&)>& call) {
    auto it = windows_.find(kind);
    if (it != windows_.end() && it->second.window && it->second.client)
        call(*it->second.client);
}

void MainWindow::onToggleView(DataWindow kind) {
    if (QWidget* w = window(kind)) {
        // The window's own close sends UM_WINDOW_CLOSED.
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
// The data flow

void MainWindow::epoch(DataWindow window, int hint) {
    if (window == DataWindow::EpochCounter) {
        // While a file is read every stored epoch passes here; the counter shows the result.
        if (indexer_ && indexerBusy_)
            return;
        if (EpochCounter* c = epochCounter())
            c->refresh();
        showEpochInStatus();
        return;
    }
    if (indexerBusy_)
        return;
    tellClient(window, [hint](DataWindowClient& c) { c.epoch(hint); });
}

void MainWindow::redrawAll(DataWindow window) {
    tellClient(window, [](DataWindowClient& c) { c.redrawAll(); });
}

void MainWindow::showEpochInStatus() {
    if (!decoder_ || link_.viewFileMode)
        return;
    TimeParts t = splitTime(decoder_->pos.utcTime);
    status_->setPaneText(
        StatusBar::Message,
        qs(cformat(str::kStatusEpoch, decoder_->epochsCompleted, t.hours, t.minutes, t.seconds)));
}

// ---------------------------------------------------------------------------------------------
// Timers

void MainWindow::timerFired(int id) {
    switch (id) {
    case kTimerEmulation:
        emulationTick();
        break;
    case logs::kTimerRecording:
    case logs::kTimerPeriod:
        recorder_->timerFired(id);
        if (EpochCounter* c = epochCounter())
            c->refresh();
        break;
    default:
        break;
    }
}

// ---------------------------------------------------------------------------------------------
// Log session events

void MainWindow::postPerformLogSession() {
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (recorder_->sessionRunning())
                onPerformLogSession();
            updateCommands();
        },
        Qt::QueuedConnection);
}

void MainWindow::logFileChanged(bool show) {
    if (EpochCounter* c = epochCounter())
        c->refresh();
    else if (show && decoder_)
        openEpochCounter();
}

void MainWindow::sessionStarted() {
    status_->setAnimation(StatusBar::PlayEndless);
    status_->setIcon(StatusBar::RecordingIcon);
    for (DataWindow k : {DataWindow::Rtcm, DataWindow::Rtk})
        tellClient(k, [](DataWindowClient& c) { c.loggingStarted(); });
    updateCommands();
}

void MainWindow::sessionEnded() {
    status_->setAnimation(StatusBar::StopHide);
    status_->setIcon(link_.analysisActive ? StatusBar::AnalysisIcon : StatusBar::NoIcon);
    updateCommands();
}

void MainWindow::onPerformLogSession() {
    if (!recorder_->sessionRunning()) {
        if (!acquireDecoder())
            return;
        sessionUse_ = true;
        recorder_->setSettings(app_.logSettings());
        recorder_->setModelIndex(link_.modelIndex);
        recorder_->setDecoder(decoder_.get());
        if (!recorder_->startSession()) {
            sessionUse_ = false;
            releaseDecoder();
        }
    } else {
        recorder_->stopSession();
        if (sessionUse_) {
            sessionUse_ = false;
            releaseDecoder();
        }
    }
    if (EpochCounter* c = epochCounter())
        c->refresh();
    updateCommands();
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
    if (counterWindow_ || !decoder_)
        return;
    auto* counter = new EpochCounter(*this);
    QMdiSubWindow* sub = mdi_->addSubWindow(counter);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowIcon(style()->standardIcon(QStyle::SP_FileDialogInfoView));
    sub->resize(300, 260);
    counterWindow_ = sub;
    connect(sub, &QObject::destroyed, this, [this, sub] {
        if (counterWindow_ == sub || !counterWindow_) {
            counterWindow_ = nullptr;
            // Closing the counter of a viewed file ends the viewing.
            if (link_.viewFileMode && !closingCounter_)
                QMetaObject::invokeMethod(
                    this, [this] { closeViewedFile(); }, Qt::QueuedConnection);
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
// Viewing a log file

void MainWindow::onViewLogFile() {
    if (link_.viewFileMode)
        closeViewedFile();
    QString path = askLogFile ? askLogFile() : QString();
    if (path.isEmpty())
        return;
    viewLogFile(path);
}

bool MainWindow::viewLogFile(const QString& path) {
    if (link_.emulationActive || link_.portOpen() || link_.busy)
        return false;
    if (link_.viewFileMode)
        closeViewedFile();
    QFileInfo info(path);
    app_.settings().dirForFileOpenDlg = withSeparator(info.absolutePath().toStdString());
    link_.viewFileMode = true;
    if (!acquireDecoder()) {
        link_.viewFileMode = false;
        return false;
    }
    viewUse_ = true;
    decoder_->setViewing(true);
    viewedFile_ = info.absoluteFilePath().toStdString();
    indexer_->setErrorListDirectory(app_.folders().logging);
    indexerBusy_ = true;
    const bool ok = indexer_->viewLogFile(viewedFile_);
    indexerBusy_ = false;
    link_.modelIndex = decoder_->modelIndex();
    if (!ok) {
        closeViewedFile();
        return false;
    }
    for (DataWindow k :
         {DataWindow::Position, DataWindow::Rtcm, DataWindow::Rtk, DataWindow::SkyChart})
        if (!window(k) && hasWindowFactory(k))
            onToggleView(k);
    openEpochCounter();
    if (indexer_ && indexer_->errorListRequested() && openErrorList)
        openErrorList(qs(indexer_->errorListPath()));
    if (decoder_)
        decoder_->notifyWindows(true);
    refreshTitle();
    updateCommands();
    return true;
}

void MainWindow::closeViewedFile() {
    if (!link_.viewFileMode)
        return;
    if (recorder_->sessionRunning())
        onPerformLogSession();
    closeEpochCounter();
    for (DataWindow k : {DataWindow::Position, DataWindow::Rtcm, DataWindow::Rtk,
                         DataWindow::SkyChart, DataWindow::Plot, DataWindow::Panel})
        if (window(k))
            onToggleView(k);
    if (decoder_)
        destroyDecoder(); // closing a viewed file destroys the decoder at once
    link_.viewFileMode = false;
    link_.modelIndex = 0;
    viewedFile_.clear();
    refreshTitle();
    updateCommands();
}

void MainWindow::noData() {
    for (DataWindow k : {DataWindow::Position, DataWindow::SkyChart, DataWindow::Rtcm,
                         DataWindow::Rtk, DataWindow::Plot, DataWindow::Panel})
        tellClient(k, [](DataWindowClient& c) { c.dataLoaded(false); });
}

void MainWindow::dataLoaded() {
    for (DataWindow k : {DataWindow::Position, DataWindow::SkyChart, DataWindow::Rtcm,
                         DataWindow::Rtk, DataWindow::Plot, DataWindow::Panel})
        tellClient(k, [](DataWindowClient& c) { c.dataLoaded(true); });
}

// ---------------------------------------------------------------------------------------------
// Analysis

void MainWindow::onAnalysis() {
    if (link_.analysisActive)
        stopAnalysis();
    else
        startAnalysis();
    refreshTitle();
}

bool MainWindow::startAnalysis() {
    if (link_.analysisActive || link_.busy || link_.hostMode)
        return false;
    if (link_.portOpen() &&
        messages_->show(str::kAnalysisWarning, Buttons::OkCancel, Icon::Warning) == Answer::Cancel)
        return false;
    logs::AnalysisSettings a = app_.analysisSettings();
    if (!askStaticPosition || !askStaticPosition(a))
        return false;
    app_.setAnalysisSettings(a);
    link_.analysisActive = true;
    if (link_.modelIndex != 0 && !window(DataWindow::Position) &&
        hasWindowFactory(DataWindow::Position))
        onToggleView(DataWindow::Position);
    if (decoder_) {
        const GeoPoint oldReference = decoder_->reference;
        statistics_->setSettings(a);
        if (a.mode == logs::ReferenceMode::VsTruth) {
            decoder_->reference = a.known;
            decoder_->recomputeDeparture();
        }
        statistics_->setActive(true);
        statistics_->resetAnalysis(a.writeOutlierFile());
        if (decoder_->viewing()) {
            indexerBusy_ = true;
            indexer_->analysisPass();
            indexerBusy_ = false;
            if (a.mode == logs::ReferenceMode::VsTruth)
                logs::shiftHistoryDepartures(*decoder_, oldReference);
            decoder_->notifyWindows(true);
        } else {
            decoder_->resetEpochState();
        }
    }
    // The receiver's identification answers go into the report files; sent by the command
    // sender of the connection once a port is open.
    if (link_.portOpen() && a.writeOutlierFile()) {
        sendCommand("$PXKTQ,RID");
        sendCommand("$PXKTQ,RIO");
    }
    tellClient(DataWindow::Position, [](DataWindowClient& c) { c.analysisChanged(); });
    if (!recorder_->sessionRunning())
        status_->setIcon(StatusBar::AnalysisIcon);
    if (EpochCounter* c = epochCounter())
        c->refresh();
    refreshTitle();
    updateCommands();
    return true;
}

void MainWindow::stopAnalysis() {
    if (!link_.analysisActive)
        return;
    link_.analysisActive = false;
    if (statistics_) {
        statistics_->setActive(false);
        // Switching the analysis off finishes the statistics: an open summary file gets its
        // summary. The epoch state of a viewed file stays as it is.
        if (decoder_->viewing())
            statistics_->epochStateReset();
        else
            decoder_->resetEpochState();
    }
    messages_->beep();
    tellClient(DataWindow::Position, [](DataWindowClient& c) { c.analysisChanged(); });
    if (!recorder_->sessionRunning())
        status_->setIcon(StatusBar::NoIcon);
    if (EpochCounter* c = epochCounter())
        c->refresh();
    refreshTitle();
    updateCommands();
}

// ---------------------------------------------------------------------------------------------
// Emulation

void MainWindow::onEmulation() {
    if (link_.emulationActive)
        stopEmulation();
    else
        startEmulation();
}

void MainWindow::startEmulation() {
    if (link_.emulationActive || link_.viewFileMode || link_.portOpen())
        return;
    link_.emulationActive = true;
    link_.modelIndex = kModelAttitude;
    // The emulation feeds the decoder itself, so it holds a use of it even while no display
    // window is open.
    if (!acquireDecoder()) {
        link_.emulationActive = false;
        link_.modelIndex = 0;
        return;
    }
    emulationUse_ = true;
    decoder_->setModelIndex(kModelAttitude);
    decoder_->setupHandlers(false);
    for (DataWindow k : {DataWindow::SkyChart, DataWindow::Position})
        if (hasWindowFactory(k))
            onToggleView(k);
    if (app_.settings().activateIndicator && hasWindowFactory(DataWindow::Panel) &&
        !window(DataWindow::Panel))
        onToggleView(DataWindow::Panel);
    onEpochCounter();
    if (!timers_.start(kTimerEmulation, 1000))
        messages_->show(str::kOutOfTimers, Buttons::Ok, Icon::Stop);
    refreshTitle();
    updateCommands();
}

void MainWindow::stopEmulation() {
    if (!link_.emulationActive)
        return;
    timers_.kill(kTimerEmulation);
    link_.emulationActive = false;
    link_.modelIndex = 0;
    if (decoder_) {
        if (recorder_->sessionRunning())
            onPerformLogSession();
        closeEpochCounter();
        if (window(DataWindow::Panel)) {
            app_.settings().activateIndicator = 1;
            onToggleView(DataWindow::Panel);
        } else if (hasWindowFactory(DataWindow::Panel)) {
            app_.settings().activateIndicator = 0;
        }
        for (DataWindow k : {DataWindow::Position, DataWindow::SkyChart})
            if (window(k))
                onToggleView(k);
        if (emulationUse_) {
            emulationUse_ = false;
            releaseDecoder();
        }
    }
    refreshTitle();
    updateCommands();
}

void MainWindow::emulationTick() {
    if (!link_.emulationActive || !decoder_)
        return;
    EmulationInputs in;
    in.analysisActive = link_.analysisActive;
    logs::AnalysisSettings a = app_.analysisSettings();
    in.truthReference = a.mode == logs::ReferenceMode::VsTruth;
    in.knownLat = a.known.lat;
    in.knownLon = a.known.lon;
    in.knownAlt = a.known.alt;
    in.localTime = clock ? clock() : ClockTime{};
    emulator_.tick(
        in,
        [this](std::string_view s) {
            if (!decoder_)
                return;
            // A log session records the emulated receiver as if its sentences had arrived.
            if (recorder_->active()) {
                recorder_->writeLogBytes(s);
                recorder_->writeLogBytes("\r\n");
            }
            decoder_->handleSentence(s);
        },
        [this] {
            std::array<int, 3> prns{};
            if (decoder_)
                for (std::size_t i = 0; i < prns.size(); ++i)
                    prns[i] = decoder_->sat.sats[i].svNumber;
            return prns;
        });
    if (recorder_->active())
        recorder_->flush();
}

// ---------------------------------------------------------------------------------------------
// Options

void MainWindow::onOptions() {
    OptionsSheet sheet(*this, this);
    sheet.exec();
    updateCommands();
}

void MainWindow::unitsChanged(const UnitSelection& units) {
    if (decoder_) {
        decoder_->changeUnits(units.altitude, units.speed, units.verticalSpeed);
        decoder_->setUnits(units);
    }
    app_.setUnits(units);
    refreshUnitsPane();
    for (DataWindow k : {DataWindow::Position, DataWindow::Rtk})
        tellClient(k, [](DataWindowClient& c) { c.unitsChanged(); });
    if (EpochCounter* c = epochCounter())
        c->refresh();
}

void MainWindow::colorsChanged() {
    for (DataWindow k : {DataWindow::SkyChart, DataWindow::Position, DataWindow::Rtk})
        tellClient(k, [](DataWindowClient& c) { c.colorsChanged(); });
}

void MainWindow::optionsChanged(bool vehicleChanged, bool skyLayoutChanged,
                                bool plotLayoutChanged) {
    if (vehicleChanged)
        emulator_.resetMotion(app_.settings().devicesSpecific);
    if (plotLayoutChanged) {
        if (window(DataWindow::Plot))
            onToggleView(DataWindow::Plot);
        if (hasWindowFactory(DataWindow::Plot))
            onToggleView(DataWindow::Plot);
    }
    tellClient(DataWindow::Position, [](DataWindowClient& c) { c.optionsChanged(); });
    if (skyLayoutChanged)
        tellClient(DataWindow::SkyChart, [](DataWindowClient& c) { c.optionsChanged(); });
    tellClient(DataWindow::Rtcm, [](DataWindowClient& c) { c.redrawAll(); });
}

void MainWindow::limitsChanged() {
    if (decoder_)
        decoder_->limits() = app_.limits();
}

// ---------------------------------------------------------------------------------------------
// Exit

void MainWindow::closeEvent(QCloseEvent* event) {
    shutdown();
    event->accept();
}

void MainWindow::shutdown() {
    if (shutDown_)
        return;
    shutDown_ = true;
    timers_.kill(kTimerEmulation);
    app_.settings().comNumber = link_.comNumber;
    app_.settings().comSet = toRecord(link_.portSettings);
    if (link_.portOpen())
        disconnect();
    if (link_.emulationActive)
        stopEmulation();
    if (recorder_->sessionRunning())
        onPerformLogSession();
    if (link_.viewFileMode)
        closeViewedFile();
    if (link_.analysisActive && statistics_)
        statistics_->epochStateReset();
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

} // namespace trix::app
