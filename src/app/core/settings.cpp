#include "app/core/settings.h"

#include "decode/text.h"

#include <cstdlib>

namespace trix::app {

namespace {

using S = Settings;
constexpr auto kW = WriteRule::WhenChanged;
constexpr auto kA = WriteRule::Always;
constexpr auto kNo = Clamp::None;
constexpr auto kMax = Clamp::AboveMax;
constexpr auto kOne = Clamp::NonZeroIsOne;

// Reads up to `n` comma-separated reals the way a scanf of "%lf,%lf,..." does: reading stops
// at the first field that does not hold a number, and the fields after it are left alone.
template <std::size_t N> int scanReals(std::string_view text, std::array<double*, N> out) {
    int read = 0;
    std::size_t i = 0;
    for (std::size_t k = 0; k < N; ++k) {
        while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
            ++i;
        std::size_t start = i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            ++i;
        bool digits = false;
        while (i < text.size() && ((text[i] >= '0' && text[i] <= '9') || text[i] == '.' ||
                                   text[i] == 'e' || text[i] == 'E' ||
                                   ((text[i] == '+' || text[i] == '-') && i > start &&
                                    (text[i - 1] == 'e' || text[i - 1] == 'E')))) {
            digits = digits || (text[i] >= '0' && text[i] <= '9');
            ++i;
        }
        if (!digits)
            break;
        *out[k] = parseReal(text.substr(start, i - start));
        ++read;
        if (k + 1 < N) {
            if (i >= text.size() || text[i] != ',')
                break;
            ++i;
        }
    }
    return read;
}

std::string colorText(ColorValue c) {
    return cformat("%lu", static_cast<unsigned long>(c));
}

} // namespace

const std::array<IntSetting, kIntSettingCount> kIntSettings{{
    {"Turn off all", &S::turnOffAll, 1, kNo, 0, 0, kA},
    {"Activate Indicator window", &S::activateIndicator, 1, kNo, 0, 0, kA},
    {"Hor Speed Units", &S::horSpeedUnits, 2, kMax, 4, 2, kW},
    {"Ver Speed Units", &S::verSpeedUnits, 3, kMax, 4, 3, kW},
    {"Distance Units", &S::distanceUnits, 4, kMax, 7, 4, kW},
    {"Altitude Units", &S::altitudeUnits, 0, kMax, 1, 0, kW},
    {"Devices Specific", &S::devicesSpecific, 2, kMax, 2, 0, kW},
    {"LonLat Format", &S::lonLatFormat, 1, kMax, 2, 1, kW},
    {"Sky Chart Layout", &S::skyChartLayout, 0, kMax, 1, 0, kW},
    {"Head Up", &S::headUp, 0, kMax, 1, 0, kW},
    {"RTC Mode", &S::rtcMode, 0, kMax, 1, 1, kA},
    {"Display Startup", &S::displayStartup, 1, kMax, 1, 1, kW},
    {"Initialization", &S::initialization, 0, kMax, 1, 0, kW},
    {"Manual Connect", &S::manualConnect, 0, kMax, 1, 0, kW},
    {"Connect with ZELP Receiver", &S::connectWithZelp, 0, kMax, 1, 0, kW},
    {"Print Options", &S::printOptions, 0, kMax, 3, 0, kW},
    {"Unmark Part Graph", &S::unmarkPartGraph, 0, kNo, 0, 0, kW},
    {"Graph Age", &S::graphAge, 0, kMax, 1, 0, kW},
    {"Graph NSV", &S::graphNsv, 0, kMax, 1, 0, kW},
    {"Graph Radial", &S::graphRadial, 0, kMax, 1, 0, kW},
    {"Graph Heading", &S::graphHeading, 0, kMax, 1, 0, kW},
    {"Graph Pitch", &S::graphPitch, 0, kMax, 1, 0, kW},
    {"Graph Roll", &S::graphRoll, 0, kMax, 1, 0, kW},
    {"Graph Lat", &S::graphLat, 1, kMax, 1, 0, kW},
    {"Graph Lon", &S::graphLon, 1, kMax, 1, 0, kW},
    {"Graph Alt", &S::graphAlt, 1, kMax, 1, 0, kW},
    {"Graph HDOP", &S::graphHdop, 0, kMax, 1, 0, kW},
    {"Graph Splitter Style", &S::graphSplitterStyle, 0, kMax, 1, 0, kW},
    {"Log auto-save by epoch", &S::logAutoSaveByEpoch, 1, kOne, 0, 1, kW},
    {"Log auto-save interval", &S::logAutoSaveInterval, 5000, kMax, 5000, 5000, kW},
    {"Set multiple recording mode for logging", &S::multipleRecording, 0, kOne, 0, 1, kW},
    {"Period for Log mult. mode", &S::periodForLogMultMode, 60, kMax, 43200, 43200, kW},
    {"Record duration for log mult. mode", &S::recordDuration, 15, kMax, 600, 600, kW},
    {"Ticket mode", &S::ticketMode, 0, kOne, 0, 1, kW},
    {"Analysis Way", &S::analysisWay, 0, kNo, 0, 0, kA},
}};

int applyClamp(const IntSetting& s, int value) {
    switch (s.clamp) {
    case Clamp::None:
        return value;
    case Clamp::AboveMax:
        return static_cast<unsigned>(value) > s.max ? s.replacement : value;
    case Clamp::NonZeroIsOne:
        return value != 0 ? 1 : 0;
    }
    return value;
}

std::string formatPortSettings(const PortSettingsRecord& r) {
    return cformat("%d,%d,%d,%d,%d,%d,%d", r[0], r[1], r[2], r[3], r[4], r[5], r[6]);
}

void parsePortSettings(std::string_view text, PortSettingsRecord& r) {
    std::array<double, 7> v{};
    for (std::size_t i = 0; i < v.size(); ++i)
        v[i] = r[i];
    int n = scanReals<7>(text, {&v[0], &v[1], &v[2], &v[3], &v[4], &v[5], &v[6]});
    for (int i = 0; i < n; ++i)
        r[static_cast<std::size_t>(i)] = static_cast<int>(v[static_cast<std::size_t>(i)]);
}

Settings loadSettings(const IniProfile& p) {
    Settings s;
    const char* o = kSectionOptions;
    parsePortSettings(p.getString(o, "Com Set", formatPortSettings(kDefaultPortSettings)),
                      s.comSet);
    s.initializationFrom = p.getString(o, "Initialization from", "default.gps");
    s.loggingDir = p.getString(o, "Logging Dir", "");
    s.dirForFileOpenDlg = p.getString(o, "Dir for FileOpenDlg", "");
    for (const auto& def : kIntSettings)
        s.*def.member = applyClamp(def, p.getInt(o, def.key, def.defaultValue));
    for (auto& table : s.colors) {
        for (auto& item : table) {
            long v = parseInteger(p.getString(o, item.name, colorText(item.defaultColor)));
            item.current = item.loaded = static_cast<ColorValue>(v);
        }
    }
    scanReals<3>(p.getString(o, "True Position", "0.1,0.1,0"),
                 {&s.truePosition.lat, &s.truePosition.lon, &s.truePosition.alt});
    double write = s.ranges.writeOutlierFile;
    scanReals<4>(p.getString(o, "Ranges", "0.5,1,0,0"),
                 {&s.ranges.ring1, &s.ranges.ring2, &s.ranges.outlierLimit, &write});
    s.ranges.writeOutlierFile = static_cast<int>(write);

    const char* m = kSectionMainWin;
    s.comNumber = p.getInt(m, "Com Number", 0);
    if (s.comNumber < 0 || s.comNumber > 2)
        s.comNumber = 0;
    s.statusBar = p.getInt(m, "StatusBar", 1);
    s.toolBar = p.getInt(m, "ToolBar", 1);
    return s;
}

void saveSettings(IniProfile& p, const Settings& cur, const Settings& loaded) {
    const char* o = kSectionOptions;
    p.writeString(o, "Com Set", formatPortSettings(cur.comSet));
    p.writeString(o, "Initialization from", cur.initializationFrom);
    if (cur.loggingDir != loaded.loggingDir)
        p.writeString(o, "Logging Dir", cur.loggingDir);
    p.writeString(o, "Dir for FileOpenDlg", cur.dirForFileOpenDlg);
    for (const auto& def : kIntSettings) {
        if (def.write == WriteRule::Always || cur.*def.member != loaded.*def.member)
            p.writeInt(o, def.key, cur.*def.member);
    }
    for (const auto& table : cur.colors)
        for (const auto& item : table)
            if (item.current != item.loaded)
                p.writeString(o, item.name, colorText(item.current));
    if (cur.truePosition.lat < 90.0)
        p.writeString(o, "True Position",
                      cformat("%16.13lf,%16.12lf,%lf", cur.truePosition.lat, cur.truePosition.lon,
                              cur.truePosition.alt));
    p.writeString(o, "Ranges",
                  cformat("%lf,%lf,%lf,%d", cur.ranges.ring1, cur.ranges.ring2,
                          cur.ranges.outlierLimit, cur.ranges.writeOutlierFile));
}

void saveMainWin(IniProfile& p, const Settings& cur) {
    p.writeInt(kSectionMainWin, "Com Number", cur.comNumber);
    p.writeInt(kSectionMainWin, "StatusBar", cur.statusBar);
    p.writeInt(kSectionMainWin, "ToolBar", cur.toolBar);
}

} // namespace trix::app
