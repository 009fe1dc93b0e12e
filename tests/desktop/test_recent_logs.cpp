// The list of recent log files as the profile keeps it: newest first, ten at most, no file
// twice, and the rest of the profile left as it was.

#include "app/core/ini_profile.h"
#include "app/recent_logs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

using namespace trix::app;

namespace {

std::string logPath(int n) {
    return "/logs/run " + std::to_string(n) + ".log";
}

} // namespace

TEST(RecentLogs, NewestFirstTenAtMostAndADuplicateMovesToTheTop) {
    IniProfile profile;
    RecentLogs recent(profile);
    EXPECT_TRUE(recent.files().empty());
    for (int n = 1; n <= 12; ++n)
        recent.add(logPath(n));
    ASSERT_EQ(recent.files().size(), kRecentLogCount);
    EXPECT_EQ(recent.files().front(), logPath(12));
    EXPECT_EQ(recent.files().back(), logPath(3)); // 1 and 2 fell off the end

    recent.add(logPath(7));
    ASSERT_EQ(recent.files().size(), kRecentLogCount);
    EXPECT_EQ(recent.files()[0], logPath(7));
    EXPECT_EQ(recent.files()[1], logPath(12));
    EXPECT_EQ(std::count(recent.files().begin(), recent.files().end(), logPath(7)), 1);
    EXPECT_EQ(recent.files().back(), logPath(3)); // nothing fell off for a file already listed

    recent.add("");
    EXPECT_EQ(recent.files()[0], logPath(7));
}

TEST(RecentLogs, RemovingAndClearingReachTheProfile) {
    IniProfile profile;
    {
        RecentLogs recent(profile);
        recent.add(logPath(1));
        recent.add(logPath(2));
        recent.add(logPath(3));
        EXPECT_TRUE(recent.remove(logPath(2)));
        EXPECT_FALSE(recent.remove(logPath(2)));
    }
    EXPECT_EQ(RecentLogs(profile).files(), (std::vector<std::string>{logPath(3), logPath(1)}));
    // The key the removed file left is emptied, not left with a stale name.
    EXPECT_EQ(profile.getString(kSectionRecentLogs, "File3", "x"), "");
    RecentLogs(profile).clear();
    EXPECT_TRUE(RecentLogs(profile).files().empty());
}

TEST(RecentLogs, SurviveAProfileSaveAndReloadBesideTheOtherKeys) {
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / "trix_recent_logs";
    fs::remove_all(dir);
    const std::string path = (dir / "Trix32.ini").string();
    IniProfile profile;
    profile.parse("[Options]\nUnits=4\n[MainWin]\nCom Number=2\n");
    {
        RecentLogs recent(profile);
        recent.add("/data/a=b;c.log"); // characters an INI value must keep
        recent.add("/data/with | bar.log");
    }
    ASSERT_TRUE(profile.save(path));

    IniProfile again;
    ASSERT_TRUE(again.load(path));
    EXPECT_EQ(RecentLogs(again).files(),
              (std::vector<std::string>{"/data/with | bar.log", "/data/a=b;c.log"}));
    EXPECT_EQ(again.getInt("Options", "Units", 0), 4);
    EXPECT_EQ(again.getInt("MainWin", "Com Number", 0), 2);
    fs::remove_all(dir);
}

TEST(RecentLogs, AHandEditedListLosesItsGapsAndRepeats) {
    IniProfile profile;
    profile.parse("[Recent Log Files]\nFile1=/a.log\nFile2=\nFile3=/b.log\nFile4=/a.log\n"
                  "File11=/beyond.log\n");
    RecentLogs recent(profile);
    EXPECT_EQ(recent.files(), (std::vector<std::string>{"/a.log", "/b.log"}));
}
