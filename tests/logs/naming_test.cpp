#include "logs/folder_check.h"
#include "logs/log_naming.h"
#include "logs/static_position.h"

#include "base/strings.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace trix::logs {
namespace {

TEST(FileNumberTest, ReadsFromTheFifthCharacter) {
    EXPECT_EQ(fileNumber("unkn_007.log"), 7);
    EXPECT_EQ(fileNumber("r18__012.log"), 12);
    EXPECT_EQ(fileNumber("unkn1000.log"), 1000);
    EXPECT_EQ(fileNumber("abc.log"), -1);
    EXPECT_EQ(fileNumber("unkn_x01.log"), -1);
    // Codes longer than four characters are read after their code.
    EXPECT_EQ(fileNumber("rx16a_004.log"), 4);
    EXPECT_EQ(fileNumber("Rx00Plus1234.log"), 1234);
}

TEST(NextNameTest, NumberingRules) {
    test::TempDir dir;
    EXPECT_EQ(nextNumberedFileName(dir.path, "unkn", ".log"), dir.file("unkn_001.log"));
    dir.write("unkn_001.log", "");
    dir.write("r09__005.log", ""); // another model's files count too
    EXPECT_EQ(nextNumberedFileName(dir.path, "unkn", ".log"), dir.file("unkn_006.log"));
    dir.write("unkn_998.log", "");
    EXPECT_EQ(nextNumberedFileName(dir.path, "r18_", ".log"), dir.file("r18__999.log"));
    dir.write("r18__999.log", "");
    EXPECT_EQ(nextNumberedFileName(dir.path, "r18_", ".log"), dir.file("r18_1000.log"));
    // Summary files are numbered on their own.
    EXPECT_EQ(nextNumberedFileName(dir.path, "unkn", ".sum"), dir.file("unkn_001.sum"));
}

TEST(NextNameTest, NeverReplacesAnExistingFile) {
    test::TempDir dir;
    dir.write("unkn12345.log", ""); // above 9999: numbering starts again at 1
    dir.write("unkn_001.log", "keep");
    // 1 is the rule's answer after the wrap, but it is taken.
    EXPECT_EQ(fileNumber("unkn12345.log"), 12345);
    std::string next = nextNumberedFileName(dir.path, "unkn", ".log");
    EXPECT_NE(next, dir.file("unkn_001.log"));
    // Long codes: the rule reads no number in their names, yet every new file is new.
    dir.write("rx16a_001.log", "");
    EXPECT_EQ(nextNumberedFileName(dir.path, "rx16a", ".log"), dir.file("rx16a_002.log"));
}

TEST(SummaryNameTest, OnlyTheNameIsRewritten) {
    EXPECT_EQ(summaryNameForLog("/Data/Logs/UNKN_001.LOG"), "/Data/Logs/UNKN_001.sum");
    // Two logs that differ only in case keep two summaries.
    EXPECT_EQ(summaryNameForLog("/d/Run.log"), "/d/Run.sum");
    EXPECT_EQ(summaryNameForLog("/d/run.log"), "/d/run.sum");
    // A log without the ".log" ending must not become its own summary file.
    EXPECT_EQ(summaryNameForLog("/Data/capture.txt"), "/Data/capture.txt.sum");
    EXPECT_EQ(summaryNameForLog("plain"), "plain.sum");
}

TEST(StaticPositionTest, ChecksInOrder) {
    StaticPositionInput in;
    EXPECT_EQ(validateStaticPosition(in), nullptr);
    in.outlierLimit = 10000.5;
    EXPECT_STREQ(validateStaticPosition(in), str::kOutlierLimitRange);
    in.outlierLimit = 0;
    in.ring1 = 0.0;
    EXPECT_STREQ(validateStaticPosition(in), str::kRing1Range);
    in.ring1 = 5;
    in.ring2 = 20000;
    EXPECT_STREQ(validateStaticPosition(in), str::kRing2Range);
    in.ring2 = 4;
    EXPECT_STREQ(validateStaticPosition(in), str::kRingOrder);
    in.ring2 = 5;
    in.altitude = 100001;
    EXPECT_EQ(validateStaticPosition(in), nullptr); // altitude checked in "vs Truth" only
    in.mode = ReferenceMode::VsTruth;
    EXPECT_STREQ(validateStaticPosition(in), str::kAltitudeRange);
    EXPECT_DOUBLE_EQ(coordinateFromFields(2, 48, 7, 2.28), 48 + 7 / 60.0 + 2.28 / 3600.0);
    EXPECT_DOUBLE_EQ(coordinateFromFields(1, 0, 0, 0), 0.000001);
}

TEST(FolderCheckTest, ComponentRules) {
    EXPECT_TRUE(folderPathValid("/home/user/logs"));
    EXPECT_TRUE(folderPathValid("/home/user/logs/"));
    EXPECT_FALSE(folderPathValid("/home//logs"));
    EXPECT_FALSE(folderPathValid("/home/.hidden"));
    EXPECT_FALSE(folderPathValid("/home/name./x"));
    EXPECT_FALSE(folderPathValid("/home/ lead"));
    EXPECT_FALSE(folderPathValid("/home/a\"b"));
    EXPECT_FALSE(folderPathValid("/home/a*b"));
    EXPECT_FALSE(folderPathValid("/home/a:b"));
    EXPECT_FALSE(folderPathValid("/home/a|b"));
    EXPECT_FALSE(folderPathValid("/home/a\\b"));
    EXPECT_FALSE(folderPathValid(""));
}

TEST(FolderCheckTest, CreatesMissingFoldersWhenAsked) {
    test::TempDir dir;
    test::RecordingSink sink;
    std::string target = dir.path + "a/b/c";
    sink.answers = {Answer::No};
    EXPECT_FALSE(checkFolder(target, sink));
    sink.answers = {Answer::Yes};
    EXPECT_TRUE(checkFolder(target, sink));
    EXPECT_TRUE(fileExists(target));
    EXPECT_FALSE(checkFolder(dir.path + "bad:name", sink));
    EXPECT_EQ(sink.texts.back(),
              "The folder:\n\n" + dir.path + "bad:name\n\nis invalid. Please reenter.");
    dir.write("plainfile", "x");
    sink.answers = {Answer::Yes};
    EXPECT_FALSE(checkFolder(dir.path + "plainfile/sub", sink));
    EXPECT_EQ(sink.texts.back(), "The folder:\n\n" + dir.path +
                                     "plainfile/sub\n\ncan not be created. Please double check.");
}

} // namespace
} // namespace trix::logs
