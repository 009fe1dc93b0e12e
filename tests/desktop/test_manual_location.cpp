// Finding the user manual: beside the program before the installation folder, only a readable
// file counts, and the build tree holds a copy where the program looks for it.

#include "app/core/manual_location.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace fs = std::filesystem;
using trix::app::findManual;
using trix::app::manualFolders;

namespace {

struct TempTree {
    TempTree() {
        std::string pattern = (fs::temp_directory_path() / "trix-manual-XXXXXX").string();
        root = ::mkdtemp(pattern.data());
    }
    ~TempTree() {
        std::error_code ec;
        fs::remove_all(root, ec);
    }
    std::string put(const std::string& folder) const {
        fs::create_directories(root / folder);
        std::ofstream(root / folder / "manual.html") << "<html><title>m</title></html>";
        return (root / folder).string();
    }
    fs::path root;
};

} // namespace

TEST(ManualLocation, TheFirstFolderHoldingTheManualWins) {
    TempTree t;
    const std::string build = t.put("build/share/doc/Trix32");
    const std::string installed = t.put("usr/share/doc/Trix32");
    const std::string empty = (t.root / "nothing").string();
    EXPECT_EQ(findManual({build, installed}), build + "/manual.html");
    EXPECT_EQ(findManual({installed + "/", build}), installed + "/manual.html");
    EXPECT_EQ(findManual({empty, "", installed}), installed + "/manual.html");
    EXPECT_EQ(findManual({empty}), "");
    EXPECT_EQ(findManual({}), "");
}

TEST(ManualLocation, AFolderNamedLikeTheManualIsNotTheManual) {
    TempTree t;
    fs::create_directories(t.root / "a" / "manual.html");
    const std::string b = t.put("b");
    EXPECT_EQ(findManual({(t.root / "a").string(), b}), b + "/manual.html");
}

TEST(ManualLocation, BesideTheProgramComesBeforeTheInstallationPrefix) {
    const auto folders = manualFolders("/opt/x/bin");
    ASSERT_EQ(folders.size(), 2u);
    EXPECT_EQ(folders[0].rfind("/opt/x/bin/../", 0), 0u) << folders[0];
    EXPECT_NE(folders[0].find("doc"), std::string::npos);
    EXPECT_EQ(folders[1].front(), '/');
    // Without a program folder only the installation folder is searched.
    EXPECT_EQ(manualFolders("").size(), 1u);
}

#ifdef TRIX_MANUAL_IN_BUILD_TREE
TEST(ManualLocation, TheProgramInTheBuildTreeFindsTheCopiedManual) {
    const std::string found = findManual(manualFolders(TRIX_BINARY_DIR "/src/app"));
    ASSERT_FALSE(found.empty());
    EXPECT_EQ(fs::canonical(found).parent_path().parent_path().parent_path(),
              fs::canonical(TRIX_BINARY_DIR "/src/share"));
    std::ifstream in(found);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find("<title>Trix32 user manual</title>"), std::string::npos);
}
#endif
