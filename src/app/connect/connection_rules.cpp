#include "app/connect/connection_rules.h"

#include "decode/models.h"
#include "base/strings.h"
#include "base/text.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <set>

namespace trix::app {

namespace fs = std::filesystem;

bool receiverConnected(int modelIndex) {
    return modelIndex >= 1 && modelIndex <= 20;
}

GpsDlgEnabling gpsDlgEnabling(const GpsDlgState& s, bool afterInitToggle) {
    GpsDlgEnabling e;
    const bool connected = receiverConnected(s.modelIndex);
    e.reconnectLabel = connected;
    if (afterInitToggle)
        e.connect = !(connected && !s.initFromFile);
    else
        e.connect = !connected || (s.initFromFile && s.modelIndex != 1);
    e.disconnect = s.comNumber != 0;
    e.portSetup = !s.useDefaultSettings && !connected;
    e.initBox = s.filesListed && !s.manualConnect;
    e.fileList = s.filesListed && s.initFromFile && !s.manualConnect;
    e.turnOff = !s.manualConnect;
    e.manual = !connected;
    return e;
}

namespace {

std::string lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

bool isInitFile(const fs::path& p) {
    return lower(p.extension().string()) == ".gps";
}

} // namespace

std::vector<std::string> listInitFiles(const std::vector<std::string>& folders) {
    std::set<std::string> seen;
    std::vector<std::string> names;
    for (const auto& folder : folders) {
        std::error_code ec;
        if (folder.empty() || !fs::is_directory(folder, ec))
            continue;
        for (const auto& entry : fs::directory_iterator(folder, ec)) {
            std::error_code fileEc;
            if (!entry.is_regular_file(fileEc) || !isInitFile(entry.path()))
                continue;
            std::string name = entry.path().filename().string();
            if (seen.insert(name).second)
                names.push_back(name);
        }
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        std::string la = lower(a), lb = lower(b);
        return la != lb ? la < lb : a < b;
    });
    return names;
}

int initFileSelection(const std::vector<std::string>& files, const std::string& lastUsed) {
    if (files.empty())
        return -1;
    auto it = std::find(files.begin(), files.end(), lastUsed);
    return it == files.end() ? 0 : static_cast<int>(it - files.begin());
}

link::PortSettings toPortSettings(const PortSettingsRecord& r) {
    link::PortSettings s{r[0], r[1], r[2], r[3], r[4], r[5], r[6]};
    // A record the profile got wrong falls back to the default rather than opening the port
    // with an index outside the tables.
    return s.valid() ? s : link::kDefaultPortSettings;
}

PortSettingsRecord toRecord(const link::PortSettings& s) {
    return {s.baud, s.parity, s.dataBits, s.stopBits, s.dtrDsr, s.rtsCts, s.xonXoff};
}

std::string activityReceiverText(int modelIndex) {
    std::string t = str::kActivityReceiver;
    if (modelIndex >= 1 && modelIndex <= 19) {
        t += "  ";
        t += modelInfo(modelIndex).displayName;
    }
    return t;
}

std::string activityPortText(int comNumber) {
    return std::string(str::kActivityPort) + "  " + cformat(str::kComName, comNumber);
}

} // namespace trix::app
