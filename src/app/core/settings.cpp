#include "app/core/settings.h"

#include "base/text.h"

#include <climits>
#include <cstdlib>
#include <utility>

namespace trix::app {

namespace {

using S = Settings;
constexpr auto kW = WriteRule::WhenChanged;
constexpr auto kA = WriteRule::Always;
constexpr auto kNo = Clamp::None;
constexpr auto kMax = Clamp::AboveMax;
constexpr auto kOne = Clamp::NonZeroIsOne;

// Reads comma-separated fields the way a scanf of "%lf,%d,..." does: reading stops at the first
// field that does not hold a number of its kind, and the fields after it are left alone.
class FieldReader {
public:
    explicit FieldReader(std::string text) : text_(std::move(text)) {}

    bool real(double& out) {
        skipBlanks();
        const std::size_t start = i_;
        sign();
        bool digits = false;
        while (i_ < text_.size() &&
               (isDigit(text_[i_]) || text_[i_] == '.' || text_[i_] == 'e' || text_[i_] == 'E' ||
                ((text_[i_] == '+' || text_[i_] == '-') && i_ > start &&
                 (text_[i_ - 1] == 'e' || text_[i_ - 1] == 'E')))) {
            digits = digits || isDigit(text_[i_]);
            ++i_;
        }
        if (!digits)
            return false;
        out = parseReal(std::string_view(text_).substr(start, i_ - start));
        return true;
    }

    // "%d": a sign and decimal digits only; a value beyond the range of int saturates.
    bool integer(int& out) {
        skipBlanks();
        const std::size_t start = i_;
        sign();
        const std::size_t firstDigit = i_;
        while (i_ < text_.size() && isDigit(text_[i_]))
            ++i_;
        if (i_ == firstDigit)
            return false;
        const long v = parseInteger(std::string_view(text_).substr(start, i_ - start));
        out = v > INT_MAX ? INT_MAX : (v < INT_MIN ? INT_MIN : static_cast<int>(v));
        return true;
    }

    bool comma() {
        if (i_ >= text_.size() || text_[i_] != ',')
            return false;
        ++i_;
        return true;
    }

private:
    static bool isDigit(char c) { return c >= '0' && c <= '9'; }
    void skipBlanks() {
        while (i_ < text_.size() && (text_[i_] == ' ' || text_[i_] == '\t'))
            ++i_;
    }
    void sign() {
        if (i_ < text_.size() && (text_[i_] == '+' || text_[i_] == '-'))
            ++i_;
    }
    std::string text_;
    std::size_t i_ = 0;
};

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
    {"Print Options", &S::printOptions, 0, kMax, 2, 0, kW},
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
    FieldReader in{std::string(text)};
    for (std::size_t i = 0; i < r.size(); ++i) {
        int v = 0;
        if ((i > 0 && !in.comma()) || !in.integer(v))
            return;
        r[i] = v;
    }
}

Settings loadSettings(const IniProfile& p) {
    Settings s;
    const char* o = kSectionOptions;
    parsePortSettings(p.getString(o, "Com Set", formatPortSettings(kDefaultPortSettings)),
                      s.comSet);
    s.initializationFrom = p.getString(o, "Initialization from", "default.gps");
    s.loggingDir = p.getString(o, "Logging Dir", "");
    s.dirForFileOpenDlg = p.getString(o, "Dir for FileOpenDlg", "");
    s.recentSources = p.getString(o, "Recent Sources", "");
    for (const auto& def : kIntSettings)
        s.*def.member = applyClamp(def, p.getInt(o, def.key, def.defaultValue));
    for (auto& table : s.colors) {
        for (auto& item : table) {
            long v = parseInteger(p.getString(o, item.name, colorText(item.defaultColor)));
            item.current = item.loaded = static_cast<ColorValue>(v);
        }
    }
    {
        FieldReader in(p.getString(o, "True Position", "0.1,0.1,0"));
        KnownPosition& t = s.truePosition;
        (void)(in.real(t.lat) && in.comma() && in.real(t.lon) && in.comma() && in.real(t.alt));
    }
    {
        FieldReader in(p.getString(o, "Ranges", "0.5,1,0,0"));
        AnalysisRanges& r = s.ranges;
        (void)(in.real(r.ring1) && in.comma() && in.real(r.ring2) && in.comma() &&
               in.real(r.outlierLimit) && in.comma() && in.integer(r.writeOutlierFile));
    }

    const char* m = kSectionMainWin;
    s.comNumber = p.getInt(m, "Com Number", 0);
    // Devices beyond the first two are numbered on (up to 32): a stored COM5 stays COM5.
    if (s.comNumber < 0 || s.comNumber > 32)
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
    if (cur.recentSources != loaded.recentSources)
        p.writeString(o, "Recent Sources", cur.recentSources);
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
