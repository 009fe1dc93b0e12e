#pragma once
// Every persistent setting of the program with its profile key, default and clamp, read at
// start and written back at exit. Values as loaded are kept so that only what changed during
// the run is written (besides the few keys that are always written).

#include "app/core/colors.h"
#include "app/core/ini_profile.h"

#include <array>
#include <string>
#include <string_view>

namespace trix::app {

inline constexpr const char* kSectionOptions = "Options";
inline constexpr const char* kSectionMainWin = "MainWin";
inline constexpr const char* kSectionWindows = "Windows";

// Port settings record: baud, parity, data-bits and stop-bits indices, DTR/DSR, RTS/CTS,
// XON/XOFF.
using PortSettingsRecord = std::array<int, 7>;
inline constexpr PortSettingsRecord kDefaultPortSettings{5, 0, 0, 0, 0, 1, 0};

struct KnownPosition {
    double lat = 0.1; // signed degrees
    double lon = 0.1;
    double alt = 0.0; // metres
};

struct AnalysisRanges {
    double ring1 = 0.5; // metres
    double ring2 = 1.0;
    double outlierLimit = 0.0;
    int writeOutlierFile = 0;
};

struct Settings {
    // Text and record settings.
    PortSettingsRecord comSet = kDefaultPortSettings;
    std::string initializationFrom = "default.gps";
    std::string loggingDir;        // as stored; the folder in force is resolved at start
    std::string dirForFileOpenDlg; // as stored
    std::string recentSources;     // sources typed in the connection dialog, "a|b|..."
    KnownPosition truePosition;
    AnalysisRanges ranges;

    // Integer settings of "Options" (keys and clamps in kIntSettings).
    int turnOffAll = 1;
    int activateIndicator = 1;
    int horSpeedUnits = 2;
    int verSpeedUnits = 3;
    int distanceUnits = 4;
    int altitudeUnits = 0;
    int devicesSpecific = 2;
    int lonLatFormat = 1;
    int skyChartLayout = 0;
    int headUp = 0;
    int rtcMode = 0;
    int displayStartup = 1;
    int initialization = 0;
    int manualConnect = 0;
    int connectWithZelp = 0;
    int printOptions = 0;
    int unmarkPartGraph = 0;
    int graphAge = 0, graphNsv = 0, graphRadial = 0, graphHeading = 0, graphPitch = 0,
        graphRoll = 0;
    int graphLat = 1, graphLon = 1, graphAlt = 1;
    int graphHdop = 0;
    int graphSplitterStyle = 0;
    int logAutoSaveByEpoch = 1;
    int logAutoSaveInterval = 5000;
    int multipleRecording = 0;
    int periodForLogMultMode = 60;
    int recordDuration = 15;
    int analysisWay = 0;

    // Section "MainWin".
    int comNumber = 0;
    int statusBar = 1;
    int toolBar = 1;

    std::array<ColorTable, kColorTableCount> colors{
        defaultColorTable(ColorTableId::SkyChart), defaultColorTable(ColorTableId::PositionPlot),
        defaultColorTable(ColorTableId::PlotCurves),
        defaultColorTable(ColorTableId::PlotBackgrounds),
        defaultColorTable(ColorTableId::PlotExtras)};

    ColorTable& colorTable(ColorTableId id) { return colors[static_cast<std::size_t>(id)]; }
    const ColorTable& colorTable(ColorTableId id) const {
        return colors[static_cast<std::size_t>(id)];
    }
};

enum class Clamp {
    None,
    AboveMax, // a value above `max` (compared unsigned, so negatives too) becomes `replacement`
    NonZeroIsOne,
};

enum class WriteRule { WhenChanged, Always };

struct IntSetting {
    const char* key;
    int Settings::*member;
    int defaultValue;
    Clamp clamp;
    unsigned max;
    int replacement;
    WriteRule write;
};

// "Ticket mode" is not among them: the support-ticket window keeps its mode for the run only,
// so the key is left as stored (the profile keeps every line it does not know).
inline constexpr std::size_t kIntSettingCount = 34;
extern const std::array<IntSetting, kIntSettingCount> kIntSettings;

int applyClamp(const IntSetting& s, int value);

// Reads every setting of the "Options" and "MainWin" sections, applying defaults and clamps.
Settings loadSettings(const IniProfile& profile);

// Writes what the application writes at exit: the always-written keys, and every other key
// only when it differs from `loaded`. "True Position" only while its latitude is below 90.
void saveSettings(IniProfile& profile, const Settings& current, const Settings& loaded);

// Written by the main frame when it is destroyed: "Com Number", "StatusBar", "ToolBar".
void saveMainWin(IniProfile& profile, const Settings& current);

std::string formatPortSettings(const PortSettingsRecord& r);
// "%d,%d,..." read field by field; fields that cannot be read keep their value in `r`.
void parsePortSettings(std::string_view text, PortSettingsRecord& r);

} // namespace trix::app
