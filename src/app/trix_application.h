#pragma once
// The application object: the profile and every setting in it, the program folders and the
// user's number format. Start-up reads them; exit writes back what changed.

#include "app/core/folders.h"
#include "app/core/ini_profile.h"
#include "app/core/number_format.h"
#include "app/core/settings.h"
#include "decode/epoch_decoder.h"
#include "logs/log_settings.h"
#include "logs/statistics.h"

#include <string>

namespace trix::app {

struct StartOptions {
    std::string profilePath; // empty: the user's configuration folder
    std::string dataHome;    // empty: the user's data folder
    std::string shippedReceiver;
    bool emulate = false;
    std::string viewLog;
    bool noStartupMenu = false;
};

class TrixApplication {
public:
    // Steps 1 to 4 of start-up: number format, folders, every setting, loaded copies.
    explicit TrixApplication(const StartOptions& options);

    // Writes the settings (at exit); false when the profile could not be written.
    bool saveProfile(std::string* error = nullptr);

    const StartOptions& options() const { return options_; }
    const std::string& profilePath() const { return profilePath_; }
    IniProfile& profile() { return profile_; }
    Settings& settings() { return settings_; }
    const Settings& loaded() const { return loaded_; }
    Folders& folders() { return folders_; }
    const NumberFormat& numberFormat() const { return numberFormat_; }
    // The limit controls: all on at start, not kept in the profile.
    LimitSettings& limits() { return limits_; }

    UnitSelection units() const;
    void setUnits(const UnitSelection& u);
    logs::LogSettings logSettings() const;
    void setLogSettings(const logs::LogSettings& s);
    logs::AnalysisSettings analysisSettings() const;
    void setAnalysisSettings(const logs::AnalysisSettings& s);

private:
    StartOptions options_;
    std::string profilePath_;
    IniProfile profile_;
    Settings settings_;
    Settings loaded_;
    bool profileUnreadable_ = false;
    std::string profileError_;
    Folders folders_;
    NumberFormat numberFormat_;
    LimitSettings limits_;
};

} // namespace trix::app
