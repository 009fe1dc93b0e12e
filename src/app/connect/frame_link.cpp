// The main frame's half of the receiver link: connecting and disconnecting, opening and
// reconfiguring the port, the data pump, the listeners, the initialization dialog and the
// port activity window.

#include "app/connect/port_activity_window.h"
#include "app/connect/connection_dialog.h"
#include "app/connect/initialization_dialog.h"
#include "app/connect/pump_driver.h"
#include "base/strings.h"
#include "base/text.h"
#include "epoch_counter.h"
#include "main_window.h"
#include "status_bar.h"
#include "trix_application.h"

#include <QApplication>
#include <QMdiSubWindow>

#include <unistd.h>

namespace trix::app {

namespace {

constexpr int kMaxComNumber = 32;

// A listener of the frame's older interface, seated in one of the link's slots.
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

// The RTCM and RTK windows receive their lines through the frame's window registry.
class WindowLineBridge : public link::LinkListener {
public:
    explicit WindowLineBridge(std::function<void(std::string_view)> forward)
        : forward_(std::move(forward)) {}
    void line(std::string_view bytes) override { forward_(bytes); }

private:
    std::function<void(std::string_view)> forward_;
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

} // namespace

void MainWindow::installLinkBridges() {
    link::Listeners& ls = connection_->listeners;
    for (DataWindow kind : {DataWindow::Rtcm, DataWindow::Rtk}) {
        windowBridges_.push_back(
            std::make_unique<WindowLineBridge>([this, kind](std::string_view l) {
                tellClient(kind, [l](DataWindowClient& c) { c.line(l); });
            }));
        ls.set(kind == DataWindow::Rtcm ? link::Slot::Rtcm : link::Slot::Rtk,
               windowBridges_.back().get());
    }
    byteRecorder_ = std::make_unique<RecorderBytes>(*recorder_);
    pump_->setRecorder(byteRecorder_.get());
}

void MainWindow::setListener(Listener kind, TrafficListener* listener) {
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

void MainWindow::dispatchLine(std::string_view line) {
    if (line.substr(0, 10) == "$PXKTR,HOS")
        link_.hostMode = true;
    const link::Listeners& ls = connection_->listeners;
    for (link::Slot s : {link::Slot::Terminal, link::Slot::InitDialog})
        if (auto* l = ls.get(s))
            l->traffic(link::Direction::Received, line);
    if (auto* l = ls.get(link::Slot::PortActivity))
        l->traffic(link::Direction::Received, {});
    if (auto* l = ls.get(link::Slot::Almanac))
        l->line(line);
    if (decoder_)
        decoder_->handleSentence(line);
    for (link::Slot s : {link::Slot::Rtcm, link::Slot::Rtk})
        if (auto* l = ls.get(s))
            l->line(line);
    if (auto* l = ls.get(link::Slot::Ticket))
        l->ticketLine(line);
}

void MainWindow::dispatchNote(std::string_view note) {
    const link::Listeners& ls = connection_->listeners;
    for (link::Slot s : {link::Slot::Terminal, link::Slot::InitDialog})
        if (auto* l = ls.get(s))
            l->traffic(link::Direction::Received, note);
    if (decoder_)
        decoder_->handleSentence(note.substr(0, 0));
    if (auto* l = ls.get(link::Slot::Ticket))
        l->ticketLine(note);
}

// ---------------------------------------------------------------------------------------------
// Commands to the receiver

int MainWindow::sendCommand(std::string_view text, bool addChecksum) {
    return connection_->sendCommand(text, addChecksum);
}

void MainWindow::writeQuery(std::string_view text) {
    connection_->writeQuery(text);
}

void MainWindow::baudChanged(long baud) {
    status_->setPaneText(StatusBar::Baud, qs(cformat("%ld", baud)));
}

void MainWindow::portChanged() {
    if (portActivity_)
        portActivity_->portChanged();
}

// ---------------------------------------------------------------------------------------------
// Ports

const link::DeviceList& MainWindow::devices() {
    // Devices keep their COM number for the whole run; new ones are numbered after them.
    link::DeviceList found = link::DeviceList::scan(extraDevices);
    for (const auto& d : found.devices())
        devices_.add(d);
    devicesScanned_ = true;
    return devices_;
}

std::string MainWindow::deviceOf(int comNumber) {
    if (!devicesScanned_ || devices_.device(comNumber).empty())
        devices();
    return devices_.device(comNumber);
}

std::string MainWindow::locateReceiverFile(const std::string& name) const {
    std::string path = findReceiverFile(app_.folders(), name);
    return path.empty() ? app_.folders().receiverUser + name : path;
}

bool MainWindow::openPort() {
    const int com = link_.comNumber;
    const std::string device = deviceOf(com);
    if (connection_->connectDevice(device, link_.portSettings, com) < 0) {
        link_.comNumber = 0;
        updateCommands();
        return false;
    }
    pump_->reset();
    status_->setPaneText(StatusBar::Port, qs(cformat(str::kComName, com)));
    pumpDriver_->start(connection_->port()->pollDescriptor(), pumpPeriodMs);
    updateCommands();
    return true;
}

bool MainWindow::reconfigurePort(const link::PortSettings& settings, bool showErrors) {
    return connection_->reconfigure(settings, showErrors) == 0;
}

void MainWindow::pumpTick() {
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
        updateCommands();
}

void MainWindow::portLost() {
    pumpDriver_->stop();
    std::string device(connection_->port()->deviceName());
    messages_->show(cformat(str::kPortLost, device.c_str(), str::kDeviceGone), Buttons::Ok,
                    Icon::Stop);
    // Nothing can be said to a receiver that is gone: the port closes before the windows.
    connection_->closePort();
    disconnect();
}

void MainWindow::closePortOnly() {
    pumpDriver_->stop();
    connection_->closePort();
    pump_->reset();
    status_->setPaneText(StatusBar::Port, QString());
    status_->setPaneText(StatusBar::Baud, QString());
    portChanged();
    refreshTitle();
    updateCommands();
}

// ---------------------------------------------------------------------------------------------
// Connect and disconnect

void MainWindow::onConnect() {
    if (link_.busy || link_.emulationActive || link_.viewFileMode)
        return;
    std::optional<ConnectionChoices> choice;
    if (askConnection) {
        choice = askConnection();
    } else {
        GpsDlgInput in;
        const link::DeviceList& list = devices();
        for (int n = 1; n <= std::min(list.size(), kMaxComNumber); ++n) {
            const std::string device = list.device(n);
            if (n == link_.comNumber || deviceUsable(device))
                in.ports.emplace_back(n, device);
        }
        if (in.ports.empty()) {
            messages_->show(str::kNoComPorts, Buttons::Ok, Icon::Stop);
            return;
        }
        in.comNumber = link_.comNumber;
        in.settings = link_.portSettings;
        in.modelIndex = link_.modelIndex;
        in.initFiles = listInitFiles({app_.folders().receiverUser, app_.folders().receiverShipped});
        in.lastInitFile = link_.initFileName;
        in.turnOffOnDetach = link_.turnOffOnDetach;
        in.initFromFile = link_.initFromFile;
        in.manualConnect = link_.manualConnect;
        ConnectionDialog dlg(std::move(in), this);
        if (dlg.exec() == QDialog::Accepted)
            choice = dlg.choices();
    }
    if (!choice)
        return;
    const ConnectionChoices& c = *choice;

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
                   messages_->show(str::kUpdateAllData, Buttons::YesNo, Icon::Question) ==
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
        refreshTitle();
        updateCommands();
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
    updateCommands();
}

void MainWindow::onDisconnect() {
    if (!link_.busy && link_.comNumber != 0)
        disconnect();
}

void MainWindow::closeLinkWindows() {
    for (DataWindow k : {DataWindow::Rtcm, DataWindow::Rtk})
        if (window(k))
            onToggleView(k);
    if (decoder_) {
        if (recorder_->sessionRunning())
            onPerformLogSession();
        closeEpochCounter();
        for (DataWindow k :
             {DataWindow::Panel, DataWindow::Position, DataWindow::SkyChart, DataWindow::Plot})
            if (window(k))
                onToggleView(k);
    }
}

void MainWindow::disconnect() {
    if (link_.busy)
        return;
    link_.busy = true;
    link_.hostMode = false;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    updateCommands();

    closeLinkWindows();
    pumpDriver_->stop();
    if (initDialog_) {
        InitializationDialog* dlg = initDialog_;
        initDialog_ = nullptr;
        dlg->dismiss();
    }
    // Switches the message sets off when a model is known, lets them leave and closes the port.
    connection_->disconnect();
    pump_->reset();
    link_.receiverDescription.clear();
    status_->setPaneText(StatusBar::Port, QString());
    status_->setPaneText(StatusBar::Baud, QString());
    if (decoder_ && dataWindowCount_ == 0)
        destroyDecoder();

    link_.busy = false;
    QApplication::restoreOverrideCursor();
    refreshTitle();
    portChanged();
    updateCommands();
}

void MainWindow::connectWithLastSettings() {
    const Settings& s = app_.settings();
    if (s.comNumber == 0 || link_.portOpen()) {
        onConnect();
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
    updateCommands();
}

// ---------------------------------------------------------------------------------------------
// Initialization dialog

void MainWindow::postStartInit(bool initFromFile, const std::string& fileName) {
    QMetaObject::invokeMethod(
        this, [this, initFromFile, fileName] { startInit(initFromFile, fileName); },
        Qt::QueuedConnection);
}

void MainWindow::startInit(bool initFromFile, const std::string& fileName) {
    if (initDialog_ || !link_.portOpen())
        return;
    if (!initFromFile && link_.modelIndex >= 2)
        return;
    link::InitRun::Options o;
    o.detect = link_.modelIndex < 2;
    o.fileName = initFromFile ? fileName : std::string();
    o.locate = [this](const std::string& name) { return locateReceiverFile(name); };
    auto dlg = std::make_unique<InitializationDialog>(*this, std::move(o), this);
    if (!dlg->start())
        return;
    initDialog_ = dlg.release(); // deletes itself when closed
    initDialog_->show();
    updateCommands();
}

void MainWindow::closeIfUnidentified() {
    if (link_.modelIndex == 0 && link_.portOpen() && !link_.busy)
        closePortOnly();
}

void MainWindow::receiverChanged() {
    recorder_->setModelIndex(link_.modelIndex);
    app_.settings().connectWithZelp = link_.protocolYqn ? 1 : 0;
    refreshTitle();
    portChanged();
    updateCommands();
}

InitializationDialog* MainWindow::initDialog() const {
    return initDialog_;
}

// ---------------------------------------------------------------------------------------------
// Port activity window

PortActivityWindow* MainWindow::portActivityWindow() const {
    return portActivity_;
}

void MainWindow::onPortActivity() {
    if (portActivity_) {
        portActivity_->close();
        return;
    }
    auto* w = new PortActivityWindow(
        [this] {
            return PortActivityWindow::Info{link_.portOpen() ? link_.comNumber : 0, link_.modelIndex};
        },
        this);
    w->setAttribute(Qt::WA_DeleteOnClose);
    portActivity_ = w;
    link::LinkListener* listener = w;
    connection_->listeners.set(link::Slot::PortActivity, listener);
    connect(w, &QObject::destroyed, this, [this, listener] {
        // Cleared before anything reads it: the window is no longer a PortActivityWindow here.
        portActivity_ = nullptr;
        connection_->listeners.remove(listener);
        updateCommands();
    });
    w->show();
    updateCommands();
}

} // namespace trix::app
