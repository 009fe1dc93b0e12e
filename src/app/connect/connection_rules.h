#pragma once
// The rules of the connection dialogs, free of the GUI: what the "Connection Parameters"
// dialog hands back, which of its controls are enabled in which state, where the
// initialization files come from, and the port settings record in its two forms.

#include "app/core/settings.h"
#include "link/port_settings.h"

#include <string>
#include <vector>

namespace trix::app {

// What the connection dialog hands back on "Connect"/"Reconnect" or "Disconnect".
struct ConnectionChoices {
    int comChoice = 0; // 0: "Disconnect" was pressed
    link::PortSettings settings = link::kDefaultPortSettings;
    bool settingsChanged = false;    // "Port Setup" returned OK
    bool useDefaultSettings = false; // "Default Com setting"
    std::string initFile;            // the text of the init-file list
    bool turnOffOnDetach = true;
    bool initFromFile = false;
    bool manualConnect = false;
    std::string source; // a typed source (tcp://HOST:PORT or a device path); empty: comChoice
};

// A receiver counts as connected while its model index is 1 to 20.
bool receiverConnected(int modelIndex);

struct GpsDlgState {
    int modelIndex = 0;
    int comNumber = 0; // the COM port in use, 0 when none
    bool filesListed = false;
    bool useDefaultSettings = false;
    bool initFromFile = false;
    bool manualConnect = false;
};

struct GpsDlgEnabling {
    bool portSetup = false;
    bool connect = false;
    bool reconnectLabel = false; // the first button reads "Reconnect"
    bool disconnect = false;
    bool initBox = false;
    bool fileList = false;
    bool turnOff = false;
    bool manual = false;
};

// The enabling of the dialog's controls. When the dialog opens the first button of a
// connected receiver is enabled only for a file run on an identified model; once the user has
// toggled "Initialize from file:" it is disabled exactly when a receiver is connected and the
// box is off.
GpsDlgEnabling gpsDlgEnabling(const GpsDlgState& s, bool afterInitToggle);

// The "*.gps" file names of the given folders (earlier folders win on equal names), sorted
// without regard to case; and which of them the dialog selects: the one used last, else the
// first (-1 for an empty list).
std::vector<std::string> listInitFiles(const std::vector<std::string>& folders);
int initFileSelection(const std::vector<std::string>& files, const std::string& lastUsed);

// The port settings record as the profile holds it and as the link uses it.
link::PortSettings toPortSettings(const PortSettingsRecord& r);
PortSettingsRecord toRecord(const link::PortSettings& s);

// The texts of the port activity window's boxes: the receiver's (with the model's name for
// model indices 1 to 19) and the port's ("COM%d").
std::string activityReceiverText(int modelIndex);
std::string activityPortText(int comNumber);

} // namespace trix::app
