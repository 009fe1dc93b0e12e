#include "session.h"

#include "app/connect/initialization_dialog.h"
#include "app/connect/pump_driver.h"
#include "base/strings.h"
#include "base/text.h"
#include "decode/geo.h"
#include "dgps_parsers.h"
#include "logs/viewed_log.h"
#include "status_bar.h"
#include "trix_application.h"

#include <QCoreApplication>
#include <QThread>

#include <filesystem>
#include <new>

namespace trix::app {

// The epoch counter and the status bar's epoch text follow every epoch, held back or not.
class Session::EpochStatus : public DataWindowClient {
public:
    explicit EpochStatus(Session& session) : session_(session) {}
    void epoch(int) override {
        session_.view_.refreshEpochCounter();
        session_.showEpochInStatus();
    }

private:
    Session& session_;
};

Session::Session(TrixApplication& app, MessageSink& messages, UserInteraction& interaction,
                 SessionView& view)
    : app_(app), messages_(messages), interaction_(interaction), view_(view),
      timers_([this](int id) { timerFired(id); }), emulation_(*this) {
    connection_ = std::make_unique<link::Link>(messages_, link_, this);
    connection_->setTimerHost(&timers_, kTimerCommands, kTimerPortClosing);
    dgps_ = std::make_unique<DgpsParsers>();
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

    progress_ = std::make_unique<QtProgress>(view_.dialogParent());
    recorder_ = std::make_unique<logs::LogRecorder>(messages_, timers_, this);
    recorder_->setSettings(app_.logSettings());
    recorder_->setSummaryOpenQuery([this] { return statistics_ && statistics_->summaryOpen(); });
    installLinkBridges();
    epochStatus_ = std::make_unique<EpochStatus>(*this);
    registry_.add(*epochStatus_, Interest().epochs(change::kEpoch).evenWhenHeld());
}

Session::~Session() {
    shutdown();
    for (auto& [kind, client] : clients_)
        if (client)
            registry_.remove(*client);
    clients_.clear();
    connection_->listeners = link::Listeners{};
    connection_->setDecoder(nullptr);
}

CommandState Session::state() const {
    CommandState s;
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
    s.viewedFileName = std::filesystem::path(viewedFile_).filename().string();
    s.receiverDescription = link_.receiverDescription;
    return s;
}

void Session::showStatus(std::string_view text) {
    view_.statusLine().setPaneText(StatusBar::Message, qs(text));
}

bool Session::acquireDecoder() {
    if (!decoder_) {
        try {
            decoder_ = std::make_unique<EpochDecoder>(link_.modelIndex);
            statistics_ = std::make_unique<logs::Statistics>(*decoder_, messages_);
            indexer_ = std::make_unique<logs::LogIndexer>(*decoder_, messages_);
        } catch (const std::bad_alloc&) {
            indexer_.reset();
            statistics_.reset();
            decoder_.reset();
            messages_.show(str::kNotEnoughMemory, Buttons::Ok, Icon::Stop);
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
        statistics_->setSummaryWritten([this] { view_.refreshEpochCounter(); });
        indexer_->setStatistics(statistics_.get());
        indexer_->setProgress(progress_.get());
        indexer_->setEvents(this);
        indexer_->setErrorListDirectory(app_.folders().logging);
        indexer_->addLineListener(&registry_);
        indexer_->addLineListener(dgps_.get());
        EpochDecoder::Hooks hooks;
        hooks.messages = &messages_;
        hooks.changes = &registry_;
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

void Session::releaseDecoder() {
    if (dataWindowCount_ > 0)
        --dataWindowCount_;
    if (dataWindowCount_ == 0 && decoder_)
        destroyDecoder();
}

void Session::destroyDecoder() {
    view_.closeEpochCounter();
    if (statistics_ && statistics_->summaryOpen())
        statistics_->epochStateReset();
    recorder_->setDecoder(nullptr);
    connection_->setDecoder(nullptr);
    indexer_.reset();
    statistics_.reset();
    decoder_.reset();
    dgps_->clear();
    dataWindowCount_ = 0;
    viewUse_ = sessionUse_ = emulationUse_ = false;
    if (link_.viewFileMode) {
        link_.viewFileMode = false;
        link_.modelIndex = 0;
        viewedFile_.clear();
    }
    view_.stateChanged();
}

bool Session::addWindow(DataWindow kind, DataWindowClient* client, const Interest& interest) {
    if (!acquireDecoder())
        return false;
    if (auto old = clients_.find(kind); old != clients_.end() && old->second)
        registry_.remove(*old->second);
    clients_[kind] = client;
    if (client)
        registry_.add(*client, interest);
    return true;
}

void Session::removeWindow(DataWindow kind) {
    auto it = clients_.find(kind);
    if (it == clients_.end())
        return;
    if (it->second)
        registry_.remove(*it->second);
    clients_.erase(it);
    releaseDecoder();
}

void Session::showEpochInStatus() {
    if (!decoder_ || link_.viewFileMode)
        return;
    TimeParts t = splitTime(decoder_->pos.utcTime);
    view_.statusLine().setPaneText(
        StatusBar::Message,
        qs(cformat(str::kStatusEpoch, decoder_->epochsCompleted, t.hours, t.minutes, t.seconds)));
}

void Session::timerFired(int id) {
    switch (id) {
    case kTimerEmulation:
        emulation_.tick();
        break;
    case kTimerCommands:
        connection_->pacerTimerFired();
        break;
    case kTimerPortClosing:
        connection_->closingTimerFired();
        break;
    case logs::kTimerRecording:
    case logs::kTimerPeriod:
        recorder_->timerFired(id);
        view_.refreshEpochCounter();
        break;
    default:
        break;
    }
}

void Session::postPerformLogSession() {
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (recorder_->sessionRunning())
                toggleLogSession();
            view_.stateChanged();
        },
        Qt::QueuedConnection);
}

void Session::logFileChanged(bool show) {
    if (view_.epochCounterOpen())
        view_.refreshEpochCounter();
    else if (show && decoder_)
        view_.openEpochCounter();
}

void Session::sessionStarted() {
    view_.statusLine().setAnimation(StatusBar::PlayEndless);
    view_.statusLine().setIcon(StatusBar::RecordingIcon);
    registry_.loggingStarted();
    view_.stateChanged();
}

void Session::sessionEnded() {
    view_.statusLine().setAnimation(StatusBar::StopHide);
    view_.statusLine().setIcon(link_.analysisActive ? StatusBar::AnalysisIcon : StatusBar::NoIcon);
    view_.stateChanged();
}

void Session::toggleLogSession() {
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
    view_.refreshEpochCounter();
    view_.stateChanged();
}

void Session::chooseLogFile() {
    if (link_.viewFileMode)
        closeViewedFile();
    const std::string path = interaction_.askLogFile(app_.settings().dirForFileOpenDlg);
    if (path.empty())
        return;
    viewLogFile(path);
}

bool Session::viewLogFile(const std::string& path) {
    if (link_.emulationActive || link_.portOpen() || link_.busy)
        return false;
    if (link_.viewFileMode)
        closeViewedFile();
    const std::filesystem::path file = std::filesystem::absolute(path).lexically_normal();
    app_.settings().dirForFileOpenDlg = withSeparator(file.parent_path().string());
    link_.viewFileMode = true;
    if (!acquireDecoder()) {
        link_.viewFileMode = false;
        return false;
    }
    viewUse_ = true;
    decoder_->setViewing(true);
    viewedFile_ = file.string();
    indexer_->setErrorListDirectory(app_.folders().logging);
    registry_.holdEpochs(true);
    dgps_->beginLog(decoder_->limits());
    const bool ok = indexer_->viewLogFile(viewedFile_);
    registry_.holdEpochs(false);
    if (decoder_)
        dgps_->endLog(*decoder_);
    link_.modelIndex = decoder_->modelIndex();
    if (!ok) {
        closeViewedFile();
        return false;
    }
    for (DataWindow k :
         {DataWindow::Position, DataWindow::Rtcm, DataWindow::Rtk, DataWindow::SkyChart}) {
        // The DGPS windows open only on a file that holds their data.
        const bool hasData = k == DataWindow::Rtcm  ? decoder_ && decoder_->logHasRtcm
                             : k == DataWindow::Rtk ? decoder_ && decoder_->logHasRtk
                                                    : true;
        if (hasData && !view_.windowOpen(k) && view_.canOpenWindow(k))
            view_.toggleWindow(k);
    }
    view_.openEpochCounter();
    if (indexer_ && indexer_->errorListRequested())
        interaction_.openErrorList(indexer_->errorListPath());
    if (decoder_)
        decoder_->reportEpoch(true);
    view_.stateChanged();
    return true;
}

void Session::closeViewedFile() {
    if (!link_.viewFileMode)
        return;
    if (recorder_->sessionRunning())
        toggleLogSession();
    view_.closeEpochCounter();
    for (DataWindow k : {DataWindow::Position, DataWindow::Rtcm, DataWindow::Rtk,
                         DataWindow::SkyChart, DataWindow::Plot, DataWindow::Panel})
        if (view_.windowOpen(k))
            view_.toggleWindow(k);
    if (decoder_)
        destroyDecoder(); // closing a viewed file destroys the decoder at once
    link_.viewFileMode = false;
    link_.modelIndex = 0;
    viewedFile_.clear();
    view_.stateChanged();
}

void Session::noData() {
    registry_.dataLoaded(false);
}

void Session::dataLoaded() {
    registry_.dataLoaded(true);
}

void Session::toggleAnalysis() {
    if (link_.analysisActive)
        stopAnalysis();
    else
        startAnalysis();
    view_.stateChanged();
}

bool Session::startAnalysis() {
    if (link_.analysisActive || link_.busy || link_.hostMode)
        return false;
    if (link_.portOpen() &&
        messages_.show(str::kAnalysisWarning, Buttons::OkCancel, Icon::Warning) == Answer::Cancel)
        return false;
    logs::AnalysisSettings a = app_.analysisSettings();
    if (!interaction_.askStaticPosition(a, app_.units(), decoder_.get()))
        return false;
    app_.setAnalysisSettings(a);
    link_.analysisActive = true;
    if (link_.modelIndex != 0 && !view_.windowOpen(DataWindow::Position) &&
        view_.canOpenWindow(DataWindow::Position))
        view_.toggleWindow(DataWindow::Position);
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
            registry_.holdEpochs(true);
            indexer_->analysisPass();
            registry_.holdEpochs(false);
            if (a.mode == logs::ReferenceMode::VsTruth)
                logs::shiftHistoryDepartures(*decoder_, oldReference);
            decoder_->reportEpoch(true);
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
    registry_.analysisChanged();
    if (!recorder_->sessionRunning())
        view_.statusLine().setIcon(StatusBar::AnalysisIcon);
    view_.refreshEpochCounter();
    view_.stateChanged();
    return true;
}

void Session::stopAnalysis() {
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
    messages_.beep();
    registry_.analysisChanged();
    if (!recorder_->sessionRunning())
        view_.statusLine().setIcon(StatusBar::NoIcon);
    view_.refreshEpochCounter();
    view_.stateChanged();
}

void Session::unitsChanged(const UnitSelection& units) {
    if (decoder_) {
        decoder_->changeUnits(units.altitude, units.speed, units.verticalSpeed);
        decoder_->setUnits(units);
    }
    app_.setUnits(units);
    view_.stateChanged();
    registry_.unitsChanged();
    view_.refreshEpochCounter();
}

void Session::colorsChanged() {
    registry_.colorsChanged();
}

void Session::optionsChanged(bool vehicleChanged, bool skyLayoutChanged, bool plotLayoutChanged) {
    if (vehicleChanged)
        emulation_.emulator().resetMotion(app_.settings().devicesSpecific);
    // A new layout recreates the plot window, only when it was open: opening it otherwise
    // would create the decoder (and switch the receiver's outputs on).
    if (plotLayoutChanged && view_.windowOpen(DataWindow::Plot)) {
        view_.toggleWindow(DataWindow::Plot);
        if (!view_.windowOpen(DataWindow::Plot))
            view_.toggleWindow(DataWindow::Plot);
    }
    registry_.optionsChanged(skyLayoutChanged);
}

void Session::limitsChanged() {
    if (decoder_)
        decoder_->limits() = app_.limits();
}

void Session::shutdown() {
    if (shutDown_)
        return;
    shutDown_ = true;
    timers_.kill(kTimerEmulation);
    // Disconnected, the profile keeps the port used last (set when it opened).
    if (link_.comNumber != 0) {
        app_.settings().comNumber = link_.comNumber;
        app_.settings().comSet = toRecord(link_.portSettings);
    }
    if (link_.portOpen())
        disconnect();
    // Quitting does not wait for a timer: a port still closing sends its last commands now.
    connection_->finishClosing();
    if (link_.emulationActive)
        emulation_.stop();
    if (recorder_->sessionRunning())
        toggleLogSession();
    if (link_.viewFileMode)
        closeViewedFile();
    if (link_.analysisActive && statistics_)
        statistics_->epochStateReset();
}

void Session::logSettingsChanged(const logs::LogSettings& settings, bool folderChanged) {
    if (folderChanged) {
        if (statistics_)
            statistics_->setDirectory(settings.directory);
        if (indexer_)
            indexer_->setErrorListDirectory(settings.directory);
    }
    if (!recorder_->sessionRunning())
        recorder_->setSettings(settings);
}

} // namespace trix::app
