// The session's half of the receiver link: connecting and disconnecting, opening and
// reconfiguring the port, the data pump, the listeners and the initialization dialog.

#include "app/connect/connection_dialog.h"
#include "app/connect/initialization_dialog.h"
#include "app/connect/pump_driver.h"
#include "app/connect/recent_sources.h"
#include "base/strings.h"
#include "base/text.h"
#include "link/source.h"
#include "session.h"
#include "status_bar.h"
#include "trix_application.h"

#include <cerrno>
#include <cstring>
#include <utility>

#include <unistd.h>

namespace trix::app {

namespace {

constexpr int kMaxComNumber = 32;

// A traffic listener of the program's windows, seated in one of the link's slots.
class TrafficBridge : public link::LinkListener {
public:
    explicit TrafficBridge(TrafficListener* listener) : listener_(listener) {}
    void traffic(link::Direction direction, std::string_view text) override {
        listener_->traffic(static_cast<int>(direction), text);
    }
    void line(std::string_view bytes) override { listener_->line(bytes); }
    void ticketLine(std::string_view text) override { listener_->line(text); }

private:
    TrafficListener* listener_;
};

// Received lines reach the windows that listen to them through the window registry.
class RegistryLines : public link::LinkListener {
public:
    explicit RegistryLines(WindowRegistry& registry) : registry_(registry) {}
    void line(std::string_view bytes) override { registry_.line(bytes); }

private:
    WindowRegistry& registry_;
};

link::Slot slotOf(Listener kind) {
    switch (kind) {
    case Listener::Terminal:
        return link::Slot::Terminal;
    case Listener::InitDialog:
        return link::Slot::InitDialog;
    case Listener::PortActivity:
        return link::Slot::PortActivity;
    case Listener::AlmanacDownload:
        return link::Slot::Almanac;
    case Listener::TicketWriter:
        return link::Slot::Ticket;
    }
    return link::Slot::Terminal;
}

// Received bytes go to the log session's recorder.
class RecorderBytes : public link::ByteRecorder {
public:
    explicit RecorderBytes(logs::LogRecorder& recorder) : recorder_(recorder) {}
    bool recording() const override { return recorder_.active(); }
    void writeLogByte(std::uint8_t byte) override { recorder_.writeLogByte(byte); }

private:
    logs::LogRecorder& recorder_;
};

bool deviceUsable(const std::string& path) {
    return ::access(path.c_str(), R_OK | W_OK) == 0;
}

// Why a device cannot be used, for the user who named it.
std::string whyUnusable(const std::string& path) {
    if (::access(path.c_str(), R_OK | W_OK) == 0)
        return {};
    return std::strerror(errno);
}

} // namespace

void Session::installLinkBridges() {
    link::Listeners& ls = connection_->listeners;
    lineBridge_ = std::make_unique<RegistryLines>(registry_);
    ls.set(link::Slot::Rtcm, lineBridge_.get());
    byteRecorder_ = std::make_unique<RecorderBytes>(*recorder_);
    pump_->setRecorder(byteRecorder_.get());
}

void Session::setListener(Listener kind, TrafficListener* listener) {
    link::Listeners& ls = connection_->listeners;
    auto it = bridges_.find(kind);
    if (it != bridges_.end()) {
        ls.remove(it->second.get());
        bridges_.erase(it);
    }
    if (!listener)
        return;
    auto bridge = std::make_unique<TrafficBridge>(listener);
    ls.set(slotOf(kind), bridge.get());
    bridges_[kind] = std::move(bridge);
}

// ---------------------------------------------------------------------------------------------
// Commands to the receiver

int Session::sendCommand(std::string_view text, bool addChecksum) {
    return connection_->sendCommand(text, addChecksum);
}

void Session::writeQuery(std::string_view text) {
    connection_->writeQuery(text);
}

void Session::baudChanged(long baud) {
    view_.statusLine().setPaneText(StatusBar::Baud, qs(cformat("%ld", baud)));
}

void Session::portChanged() {
    view_.portChanged();
}

// ---------------------------------------------------------------------------------------------
// Ports

const link::DeviceList& Session::devices() {
    // Devices keep their COM number for the whole run; new ones are numbered after them.
    link::DeviceList found = link::DeviceList::scan(extraDevices);
    for (const auto& d : found.devices())
        devices_.add(d);
    devicesScanned_ = true;
    return devices_;
}

std::string Session::deviceOf(int comNumber) {
    if (!devicesScanned_ || devices_.device(comNumber).empty())
        devices();
    return devices_.device(comNumber);
}

std::string Session::locateReceiverFile(const std::string& name) const {
    std::string path = findReceiverFile(app_.folders(), name);
    return path.empty() ? app_.folders().receiverUser + name : path;
}

bool Session::openPort() {
    const int com = link_.comNumber;
    const std::string device = deviceOf(com);
    if (connection_->connectDevice(device, link_.portSettings, com) < 0) {
        link_.comNumber = 0;
        view_.stateChanged();
        return false;
    }
    pump_->reset();
    // The port that opened is the one to offer and to connect with next time, even after a
    // Disconnect.
    app_.settings().comNumber = com;
    app_.settings().comSet = toRecord(link_.portSettings);
    view_.statusLine().setPaneText(StatusBar::Port, qs(cformat(str::kComName, com)));
    pumpDriver_->start(connection_->port()->pollDescriptor(), pumpPeriodMs);
    view_.stateChanged();
    return true;
}

bool Session::reconfigurePort(const link::PortSettings& settings, bool showErrors) {
    return connection_->reconfigure(settings, showErrors) == 0;
}

void Session::pumpTick() {
    if (!link_.portOpen()) {
        pumpDriver_->stop();
        return;
    }
    const bool hostBefore = link_.hostMode;
    link::DataPump::TickResult r = pump_->tick();
    if (r.lost && link_.portOpen()) {
        portLost();
        return;
    }
    if (link_.hostMode != hostBefore)
        view_.stateChanged();
}

void Session::portLost() {
    pumpDriver_->stop();
    std::string device(connection_->port()->deviceName());
    messages_.show(cformat(str::kPortLost, device.c_str(), connection_->lostReason()), Buttons::Ok,
                   Icon::Stop);
    // Nothing can be said to a receiver that is gone: the port closes before the windows.
    connection_->closePort();
    disconnect();
}

void Session::closePortOnly() {
    pumpDriver_->stop();
    connection_->closePort();
    pump_->reset();
    view_.statusLine().setPaneText(StatusBar::Port, QString());
    view_.statusLine().setPaneText(StatusBar::Baud, QString());
    portChanged();
    view_.stateChanged();
}

// ---------------------------------------------------------------------------------------------
// Connect and disconnect

void Session::connectCommand() {
    if (disconnecting_) {
        // The device may be the one still closing: the connection waits for it.
        afterClosing_ = [this] { connectCommand(); };
        return;
    }
    if (link_.busy || link_.emulationActive || link_.viewFileMode)
        return;
    GpsDlgInput in;
    const link::DeviceList& list = devices();
    for (int n = 1; n <= std::min(list.size(), kMaxComNumber); ++n) {
        const std::string device = list.device(n);
        if (n == link_.comNumber || deviceUsable(device))
            in.ports.emplace_back(n, device);
    }
    // A device named on the command line is not dropped without a word.
    for (const std::string& device : extraDevices)
        if (const std::string why = whyUnusable(device); !why.empty())
            messages_.show(cformat(str::kDeviceUnusable, device.c_str(), why.c_str()), Buttons::Ok,
                           Icon::Warning);
    in.recentSources = splitRecentSources(app_.settings().recentSources);
    if (in.ports.empty()) // a source may still be typed
        messages_.show(str::kNoComPorts, Buttons::Ok, Icon::Stop);
    if (link_.comNumber != 0 && link::isTcpSource(deviceOf(link_.comNumber)))
        in.source = deviceOf(link_.comNumber);
    in.comNumber = link_.comNumber;
    // Not connected: the port used last is offered again.
    in.preferredCom = app_.settings().comNumber;
    in.settings = link_.portSettings;
    in.modelIndex = link_.modelIndex;
    in.initFiles = listInitFiles({app_.folders().receiverUser, app_.folders().receiverShipped});
    in.lastInitFile = link_.initFileName;
    in.turnOffOnDetach = link_.turnOffOnDetach;
    in.initFromFile = link_.initFromFile;
    in.manualConnect = link_.manualConnect;
    const std::optional<ConnectionChoices> choice = interaction_.askConnection(in);
    if (!choice)
        return;
    ConnectionChoices c = *choice;
    if (!c.source.empty()) {
        // A typed source is numbered like a device and kept in the profile's recent list.
        c.comChoice = devices_.add(c.source);
        std::vector<std::string> recent = splitRecentSources(app_.settings().recentSources);
        rememberSource(recent, c.source);
        app_.settings().recentSources = joinRecentSources(recent);
    }

    // The dialog's choices become the link's and the profile's.
    link_.turnOffOnDetach = c.turnOffOnDetach;
    link_.initFromFile = c.initFromFile;
    link_.manualConnect = c.manualConnect;
    link_.protocolYqn = false;
    if (!c.initFile.empty())
        link_.initFileName = c.initFile;
    Settings& s = app_.settings();
    s.turnOffAll = c.turnOffOnDetach ? 1 : 0;
    s.initialization = c.initFromFile ? 1 : 0;
    s.manualConnect = c.manualConnect ? 1 : 0;
    s.connectWithZelp = 0;
    if (!c.initFile.empty())
        s.initializationFrom = c.initFile;
    const bool newSettings = c.settingsChanged || c.useDefaultSettings;

    if (c.comChoice != link_.comNumber) {
        if (link_.portOpen())
            disconnect();
        if (c.comChoice != 0) {
            link_.comNumber = c.comChoice;
            if (newSettings)
                link_.portSettings = c.settings;
            if (!openPort())
                return;
        }
    } else if (link_.portOpen()) {
        if (newSettings) {
            reconfigurePort(c.settings, true);
        } else if (!c.initFile.empty() && decoder_ &&
                   messages_.show(str::kUpdateAllData, Buttons::YesNo, Icon::Question) ==
                       Answer::Yes) {
            disconnect();
            link_.comNumber = c.comChoice;
            if (!openPort())
                return;
        }
    } else if (c.comChoice != 0) {
        if (newSettings)
            link_.portSettings = c.settings;
        if (!openPort())
            return;
    }

    portChanged();
    if (link_.comNumber == 0) {
        link_.modelIndex = 0;
        link_.receiverPort = 0;
        view_.stateChanged();
        return;
    }
    if (c.manualConnect) {
        // A plain NMEA receiver: no detection and no initialization.
        link_.modelIndex = kModelUnknown;
        if (decoder_) {
            decoder_->setModelIndex(kModelUnknown);
            decoder_->setupHandlers(false);
        }
        receiverChanged();
    } else {
        postStartInit(c.initFromFile, link_.initFileName);
    }
    view_.stateChanged();
}

void Session::disconnectCommand() {
    if (!link_.busy && link_.comNumber != 0)
        disconnect();
}

void Session::closeLinkWindows() {
    for (DataWindow k : {DataWindow::Rtcm, DataWindow::Rtk})
        if (view_.windowOpen(k))
            view_.toggleWindow(k);
    if (decoder_) {
        if (recorder_->sessionRunning())
            toggleLogSession();
        view_.closeEpochCounter();
        for (DataWindow k :
             {DataWindow::Panel, DataWindow::Position, DataWindow::SkyChart, DataWindow::Plot})
            if (view_.windowOpen(k))
                view_.toggleWindow(k);
    }
}

void Session::disconnect() {
    if (link_.busy)
        return;
    // Busy until the port has closed: nothing may reuse it while its last commands leave.
    link_.busy = true;
    link_.hostMode = false;
    view_.stateChanged();

    closeLinkWindows();
    pumpDriver_->stop();
    if (initDialog_) {
        InitializationDialog* dlg = initDialog_;
        initDialog_ = nullptr;
        dlg->dismiss();
    }
    pump_->reset();
    link_.receiverDescription.clear();
    view_.statusLine().setPaneText(StatusBar::Port, QString());
    view_.statusLine().setPaneText(StatusBar::Baud, QString());
    // The port is gone from the link at once (the port activity window and the terminal follow
    // through portChanged); it closes once the switching-off commands have left.
    disconnecting_ = true;
    if (!connection_->beginDisconnect())
        portClosed();
    if (decoder_ && dataWindowCount_ == 0)
        destroyDecoder();
    view_.stateChanged();
}

void Session::portClosed() {
    if (!disconnecting_)
        return;
    disconnecting_ = false;
    link_.busy = false;
    view_.stateChanged();
    if (afterClosing_) {
        // Not from inside the link's timer: the connection may show dialogs.
        QMetaObject::invokeMethod(this, std::exchange(afterClosing_, nullptr),
                                  Qt::QueuedConnection);
    }
}

void Session::connectWithLastSettings() {
    if (disconnecting_) {
        afterClosing_ = [this] { connectWithLastSettings(); };
        return;
    }
    const Settings& s = app_.settings();
    if (s.comNumber == 0 || link_.portOpen()) {
        connectCommand();
        return;
    }
    link_.comNumber = s.comNumber;
    link_.portSettings = toPortSettings(s.comSet);
    if (!openPort())
        return;
    portChanged();
    if (link_.manualConnect) {
        link_.modelIndex = kModelUnknown;
        receiverChanged();
    } else {
        postStartInit(s.initialization != 0, s.initializationFrom);
    }
    view_.stateChanged();
}

// ---------------------------------------------------------------------------------------------
// Initialization dialog

void Session::postStartInit(bool initFromFile, const std::string& fileName) {
    QMetaObject::invokeMethod(
        this, [this, initFromFile, fileName] { startInit(initFromFile, fileName); },
        Qt::QueuedConnection);
}

void Session::startInit(bool initFromFile, const std::string& fileName) {
    if (initDialog_ || !link_.portOpen())
        return;
    if (!initFromFile && link_.modelIndex >= 2)
        return;
    link::InitRun::Options o;
    o.detect = link_.modelIndex < 2;
    o.fileName = initFromFile ? fileName : std::string();
    o.locate = [this](const std::string& name) { return locateReceiverFile(name); };
    auto dlg = std::make_unique<InitializationDialog>(*this, std::move(o), view_.dialogParent());
    if (!dlg->start())
        return;
    initDialog_ = dlg.release(); // deletes itself when closed
    initDialog_->show();
    view_.stateChanged();
}

void Session::closeIfUnidentified() {
    if (link_.modelIndex == 0 && link_.portOpen() && !link_.busy)
        closePortOnly();
}

void Session::receiverChanged() {
    recorder_->setModelIndex(link_.modelIndex);
    app_.settings().connectWithZelp = link_.protocolYqn ? 1 : 0;
    view_.stateChanged();
    portChanged();
    view_.stateChanged();
}

InitializationDialog* Session::initDialog() const {
    return initDialog_;
}

} // namespace trix::app
