#pragma once
// "Connection Parameters": the COM port (with its device path), its settings, the
// initialization file and the options of the connection.

#include "app/connect/connection_rules.h"

#include <QDialog>

#include <string>
#include <utility>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

namespace trix::app {

struct GpsDlgInput {
    std::vector<std::pair<int, std::string>> ports; // COM number and device path
    int comNumber = 0;                              // the port in use, 0 when none
    int preferredCom = 0;                           // offered when no port is in use
    link::PortSettings settings = link::kDefaultPortSettings;
    int modelIndex = 0;
    std::vector<std::string> initFiles;
    std::string lastInitFile;
    bool turnOffOnDetach = true;
    bool initFromFile = false;
    bool manualConnect = false;
    std::vector<std::string> recentSources; // typed sources, newest first
    std::string source;                     // the typed source in use, if any
};

class ConnectionDialog : public QDialog {
    Q_OBJECT
public:
    explicit ConnectionDialog(GpsDlgInput input, QWidget* parent = nullptr);

    // What the dialog ended with (valid after "Connect"/"Reconnect" or "Disconnect").
    const ConnectionChoices& choices() const { return choices_; }

    QComboBox* portList() const { return ports_; }
    // The field to type a source in (tcp://HOST:PORT or a device path) and why the typed
    // text was refused.
    QComboBox* sourceField() const { return source_; }
    QLabel* sourceError() const { return sourceError_; }
    QComboBox* fileList() const { return files_; }
    QPushButton* portSetupButton() const { return portSetup_; }
    QPushButton* connectButton() const { return connect_; }
    QPushButton* disconnectButton() const { return disconnect_; }
    QPushButton* cancelButton() const { return cancel_; }
    QCheckBox* defaultBox() const { return default_; }
    QCheckBox* initBox() const { return init_; }
    QCheckBox* turnOffBox() const { return turnOff_; }
    QCheckBox* manualBox() const { return manual_; }

private:
    void applyEnabling();
    void onPortSetup();
    void onDefault(bool on);
    void onConnect();
    void onDisconnect();
    int selectedCom() const;
    bool takeSource();
    void showSourceError(const std::string& text);
    void takeChoices();

    GpsDlgInput input_;
    ConnectionChoices choices_;
    bool initToggled_ = false;
    QComboBox* ports_;
    QComboBox* files_;
    QComboBox* source_;
    QLabel* sourceError_;
    QPushButton* portSetup_;
    QCheckBox* default_;
    QCheckBox* init_;
    QCheckBox* turnOff_;
    QCheckBox* manual_;
    QLabel* manualLine2_;
    QPushButton* connect_;
    QPushButton* disconnect_;
    QPushButton* cancel_;
};

} // namespace trix::app
