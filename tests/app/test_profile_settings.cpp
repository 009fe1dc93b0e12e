// Profile reading and writing, the settings tables with their defaults and clamps, and the
// rule that only changed keys are written back.

#include "app/core/ini_profile.h"
#include "app/core/placement.h"
#include "app/core/settings.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <filesystem>
#include <fstream>
#include <iterator>

using namespace trix::app;

namespace {

IniProfile profileOf(const char* text) {
    IniProfile p;
    p.parse(text);
    return p;
}

} // namespace

TEST(IniProfile, KeysAreKeptVerbatimAndFoundWithoutCase) {
    IniProfile p = profileOf("; comment\n[Options]\r\nCom Set=5,0,0,0,0,1,0\r\n"
                             "GPS Satellites ring =255\nother = 7 \n");
    EXPECT_EQ(p.getString("options", "com set", "x"), "5,0,0,0,0,1,0");
    EXPECT_EQ(p.getString("Options", "GPS Satellites ring ", "x"), "255");
    EXPECT_EQ(p.getInt("Options", "other", 0), 7);
    EXPECT_EQ(p.getInt("Options", "missing", 42), 42);
    p.writeString("Options", "GPS Satellites ring ", "1");
    p.writeInt("MainWin", "ToolBar", 0);
    EXPECT_EQ(p.text(), "; comment\n[Options]\nCom Set=5,0,0,0,0,1,0\nGPS Satellites ring =1\n"
                        "other =7\n[MainWin]\nToolBar=0\n");
}

TEST(IniProfile, IntegersReadLikeGetProfileInt) {
    IniProfile p = profileOf("[A]\na= -3x\nb=abc\nc=99999999999\n");
    EXPECT_EQ(p.getInt("A", "a", 0), -3);
    EXPECT_EQ(p.getInt("A", "b", 5), 0);
    EXPECT_EQ(p.getInt("A", "c", 0), 2147483647);
}

TEST(IniProfile, SaveAndLoadRoundTrip) {
    auto dir = std::filesystem::temp_directory_path() / "trix_app_profile_test";
    std::filesystem::remove_all(dir);
    std::string path = (dir / "sub" / "Trix32.ini").string();
    IniProfile p;
    ASSERT_TRUE(p.load(path)); // missing file: a fresh profile
    p.writeString("Options", "Logging Dir", "/tmp/Mixed Case/");
    std::string error;
    ASSERT_TRUE(p.save(path, &error)) << error;
    IniProfile q;
    ASSERT_TRUE(q.load(path));
    EXPECT_EQ(q.getString("Options", "Logging Dir", ""), "/tmp/Mixed Case/");
    EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));
    std::filesystem::remove_all(dir);
}

TEST(Settings, FreshProfileGivesTheDefaults) {
    Settings s = loadSettings(IniProfile{});
    EXPECT_EQ(s.comSet, (PortSettingsRecord{5, 0, 0, 0, 0, 1, 0}));
    EXPECT_EQ(s.initializationFrom, "default.gps");
    EXPECT_EQ(s.distanceUnits, 4);
    EXPECT_EQ(s.horSpeedUnits, 2);
    EXPECT_EQ(s.verSpeedUnits, 3);
    EXPECT_EQ(s.devicesSpecific, 2);
    EXPECT_EQ(s.lonLatFormat, 1);
    EXPECT_EQ(s.displayStartup, 1);
    EXPECT_EQ(s.graphLat, 1);
    EXPECT_EQ(s.logAutoSaveInterval, 5000);
    EXPECT_EQ(s.periodForLogMultMode, 60);
    EXPECT_EQ(s.recordDuration, 15);
    EXPECT_DOUBLE_EQ(s.truePosition.lat, 0.1);
    EXPECT_DOUBLE_EQ(s.ranges.ring2, 1.0);
    EXPECT_EQ(s.statusBar, 1);
    EXPECT_EQ(s.toolBar, 1);
    const ColorTable& sky = s.colorTable(ColorTableId::SkyChart);
    ASSERT_EQ(sky.size(), 10u);
    EXPECT_EQ(sky[7].name, "GPS Satellites ring ");
    EXPECT_EQ(sky[6].current, rgb(255, 98, 89));
    EXPECT_EQ(s.colorTable(ColorTableId::PositionPlot).size(), 7u);
    EXPECT_EQ(s.colorTable(ColorTableId::PlotCurves).size(), 13u);
    EXPECT_EQ(s.colorTable(ColorTableId::PlotBackgrounds)[1].current, rgb(192, 254, 220));
    EXPECT_EQ(s.colorTable(ColorTableId::PlotExtras).size(), 4u);
}

TEST(Settings, OutOfRangeValuesAreClamped) {
    IniProfile p = profileOf("[Options]\nDistance Units=9\nLog auto-save interval=10000\n"
                             "Period for Log mult. mode=50000\nHor Speed Units=-1\n"
                             "RTC Mode=4\nDevices Specific=3\nGraph Lat=2\n"
                             "Set multiple recording mode for logging=-7\n"
                             "Record duration for log mult. mode=601\n"
                             "[MainWin]\nCom Number=5\n");
    Settings s = loadSettings(p);
    EXPECT_EQ(s.distanceUnits, 4);
    EXPECT_EQ(s.logAutoSaveInterval, 5000);
    EXPECT_EQ(s.periodForLogMultMode, 43200);
    EXPECT_EQ(s.horSpeedUnits, 2); // negative: compared unsigned
    EXPECT_EQ(s.rtcMode, 1);
    EXPECT_EQ(s.devicesSpecific, 0);
    EXPECT_EQ(s.graphLat, 0);
    EXPECT_EQ(s.multipleRecording, 1);
    EXPECT_EQ(s.recordDuration, 600);
    EXPECT_EQ(s.comNumber, 5); // any port the Connect command lists, up to COM32, is kept
    EXPECT_EQ(loadSettings(profileOf("[MainWin]\nCom Number=33\n")).comNumber, 0);
    EXPECT_EQ(loadSettings(profileOf("[MainWin]\nCom Number=-1\n")).comNumber, 0);
    EXPECT_EQ(loadSettings(profileOf("[MainWin]\nCom Number=2\n")).comNumber, 2);
}

TEST(Settings, TextValuesReadFieldByField) {
    IniProfile p = profileOf("[Options]\nCom Set=3,1,x\nTrue Position= 55.1234567890123,"
                             "-3.5,120.25\nRanges=2,4\nSky=65280\n");
    Settings s = loadSettings(p);
    EXPECT_EQ(s.comSet, (PortSettingsRecord{3, 1, 0, 0, 0, 1, 0}));
    EXPECT_DOUBLE_EQ(s.truePosition.lat, 55.1234567890123);
    EXPECT_DOUBLE_EQ(s.truePosition.lon, -3.5);
    EXPECT_DOUBLE_EQ(s.truePosition.alt, 120.25);
    EXPECT_DOUBLE_EQ(s.ranges.ring1, 2.0);
    EXPECT_DOUBLE_EQ(s.ranges.ring2, 4.0);
    EXPECT_DOUBLE_EQ(s.ranges.outlierLimit, 0.0); // unreadable: left at its start value
    const ColorItem& sky = s.colorTable(ColorTableId::SkyChart)[1];
    EXPECT_EQ(sky.current, rgb(0, 255, 0));
    EXPECT_EQ(sky.loaded, rgb(0, 255, 0));
}

TEST(Settings, IntegerFieldsOfTextValuesAreReadAsIntegers) {
    // An integer field stops at a decimal point or exponent, as "%d" does; the fields after
    // it keep their start values. Numbers too large for an int saturate instead of wrapping.
    IniProfile p = profileOf("[Options]\nCom Set=4,1.5,2,1,1,0,1\nRanges=1,2,3,1e3\n");
    Settings s = loadSettings(p);
    EXPECT_EQ(s.comSet, (PortSettingsRecord{4, 1, 0, 0, 0, 1, 0}));
    EXPECT_EQ(s.ranges.writeOutlierFile, 1);
    EXPECT_DOUBLE_EQ(s.ranges.outlierLimit, 3.0);

    p = profileOf("[Options]\nCom Set=99999999999,-99999999999,1e300,3\n"
                  "Ranges=1,2,3,1e300\n");
    s = loadSettings(p);
    EXPECT_EQ(s.comSet, (PortSettingsRecord{INT_MAX, INT_MIN, 1, 0, 0, 1, 0}));
    EXPECT_EQ(s.ranges.writeOutlierFile, 1);
}

TEST(Settings, UnchangedRunWritesOnlyTheAlwaysWrittenKeys) {
    IniProfile p;
    Settings loaded = loadSettings(p);
    saveSettings(p, loaded, loaded);
    std::vector<std::string> expected{"Com Set",
                                      "Initialization from",
                                      "Dir for FileOpenDlg",
                                      "Turn off all",
                                      "Activate Indicator window",
                                      "RTC Mode",
                                      "Analysis Way",
                                      "True Position",
                                      "Ranges"};
    EXPECT_EQ(p.keys("Options"), expected);
    EXPECT_EQ(p.getString("Options", "True Position", ""),
              " 0.1000000000000,  0.100000000000,0.000000");
}

TEST(Settings, ChangedValuesAreWrittenAndReadBack) {
    IniProfile p;
    Settings loaded = loadSettings(p);
    Settings cur = loaded;
    cur.distanceUnits = 7;
    cur.loggingDir = "/data/Logs/";
    cur.colorTable(ColorTableId::PositionPlot)[5].current = rgb(1, 2, 3);
    cur.truePosition = {100.0, 0.0, 0.0}; // reference not set: not written
    cur.comSet = {7, 2, 1, 1, 1, 0, 1};
    saveSettings(p, cur, loaded);
    EXPECT_TRUE(p.contains("Options", "Distance Units"));
    EXPECT_FALSE(p.contains("Options", "Altitude Units"));
    EXPECT_FALSE(p.contains("Options", "True Position"));
    EXPECT_EQ(p.getString("Options", "Trace", ""), "197121");
    Settings again = loadSettings(p);
    EXPECT_EQ(again.distanceUnits, 7);
    EXPECT_EQ(again.loggingDir, "/data/Logs/");
    EXPECT_EQ(again.colorTable(ColorTableId::PositionPlot)[5].current, rgb(1, 2, 3));
    EXPECT_EQ(again.comSet, cur.comSet);
}

TEST(Settings, KeysNoSettingReadsSurviveTheWriteBack) {
    // "Ticket mode" has no reader any more, and keys of later versions none yet: a user's
    // stored value is still in the file after a run has written its settings.
    const std::string dir = ::testing::TempDir() + "/keys_kept";
    std::filesystem::create_directories(dir);
    const std::string path = dir + "/Trix32.ini";
    std::ofstream(path) << "[Options]\nTicket mode=1\nDistance Units=9\nFuture Key=a,b\n";
    IniProfile p;
    ASSERT_TRUE(p.load(path));
    Settings loaded = loadSettings(p);
    Settings cur = loaded;
    cur.distanceUnits = 6;
    saveSettings(p, cur, loaded);
    ASSERT_TRUE(p.save(path));
    IniProfile again;
    ASSERT_TRUE(again.load(path));
    EXPECT_EQ(again.getString("Options", "Ticket mode", ""), "1");
    EXPECT_EQ(again.getString("Options", "Future Key", ""), "a,b");
    EXPECT_EQ(again.getInt("Options", "Distance Units", 0), 6);
    for (const IntSetting& s : kIntSettings)
        EXPECT_STRNE(s.key, "Ticket mode");
}

TEST(Placement, ParseFormatAndRestoreRules) {
    EXPECT_EQ(formatPlacement(parsePlacement("10,20,300,400,3")), "10,20,300,400,3");
    WindowPlacement fresh = readPlacement(IniProfile{}, "MainWin");
    EXPECT_FALSE(fresh.stored());
    EXPECT_FALSE(restorePlacement(fresh, 1920, 1080, true).move);

    RestoredPlacement r = restorePlacement(parsePlacement("-5,2000,5000,-9,2"), 1920, 1080, true);
    EXPECT_TRUE(r.move);
    EXPECT_EQ(r.left, -1);
    EXPECT_EQ(r.top, -1);
    EXPECT_EQ(r.right, 1920);
    EXPECT_EQ(r.bottom, 1080);
    EXPECT_EQ(r.showState, kShowNormal); // minimised is not restored
    EXPECT_EQ(restorePlacement(parsePlacement("0,0,10,10,3"), 100, 100, true).showState,
              kShowMaximized);
    EXPECT_EQ(restorePlacement(parsePlacement("0,0,10,10,3"), 100, 100, false).showState,
              kShowNormal);
}

TEST(Placement, HidingPlacementsAreNotRestored) {
    EXPECT_FALSE(restorePlacement(parsePlacement("-1,-1,-1,-1,1"), 1920, 1080, true).move);
    EXPECT_FALSE(restorePlacement(parsePlacement("100,100,110,105,1"), 1920, 1080, true).move);
    EXPECT_FALSE(restorePlacement(parsePlacement("300,300,100,100,1"), 1920, 1080, true).move);
    EXPECT_FALSE(
        restorePlacement(parsePlacement("100,100,300,200,1"), 1920, 1080, true, 400, 300).move)
        << "below the window's own minimum";
    EXPECT_TRUE(restorePlacement(parsePlacement("100,100,600,500,1"), 1920, 1080, true).move);
}

namespace {
struct ProfileDir {
    ProfileDir() {
        char pattern[] = "/tmp/trix-profile-XXXXXX";
        path = ::mkdtemp(pattern);
    }
    ~ProfileDir() { std::filesystem::remove_all(path); }
    std::string file(const char* name) const { return path + "/" + name; }
    std::string path;
};

std::string contentOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}
} // namespace

TEST(IniProfile, SavingWritesThroughALinkAndKeepsTheMode) {
    ProfileDir dir;
    const std::string real = dir.file("real.ini");
    const std::string link = dir.file("trix32.ini");
    std::ofstream(real) << "[Options]\nA=1\n";
    ::chmod(real.c_str(), 0600);
    ASSERT_EQ(::symlink(real.c_str(), link.c_str()), 0);
    IniProfile p;
    ASSERT_TRUE(p.load(link));
    p.writeInt("Options", "A", 2);
    ASSERT_TRUE(p.save(link));
    EXPECT_TRUE(std::filesystem::is_symlink(link)) << "the link stays a link";
    EXPECT_NE(contentOf(real).find("A=2"), std::string::npos) << "its target is updated";
    struct stat st {};
    ASSERT_EQ(::stat(real.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
}

TEST(IniProfile, GarbageAndHugeFilesAreRefusedAndKept) {
    ProfileDir dir;
    const std::string huge = dir.file("huge.ini");
    {
        std::ofstream out(huge, std::ios::binary);
        std::string block(1 << 16, 'x');
        for (int k = 0; k < 40; ++k)
            out << block;
    }
    const auto size = std::filesystem::file_size(huge);
    IniProfile p;
    std::string error;
    EXPECT_FALSE(p.load(huge, &error));
    EXPECT_NE(error.find("larger"), std::string::npos) << error;
    EXPECT_FALSE(p.save(huge));
    EXPECT_EQ(std::filesystem::file_size(huge), size) << "not overwritten";

    const std::string binary = dir.file("binary.ini");
    std::ofstream(binary, std::ios::binary) << std::string("[Options]\nA=1\n\0\x01\x02", 17);
    EXPECT_FALSE(p.load(binary, &error));
    EXPECT_NE(error.find("not a text file"), std::string::npos) << error;
    EXPECT_FALSE(p.save(binary));
    EXPECT_EQ(contentOf(binary).size(), 17u);
}
