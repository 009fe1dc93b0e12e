// Regression tests: trixlog on the shipped sample logs must print exactly the pinned outputs.

#include "test_support.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <string>

namespace {

struct Result {
    int code = -1;
    std::string out;
};

Result run(const std::string& args) {
    std::string cmd = std::string(TRIX_BINARY_DIR) + "/tools/trixlog/trixlog " + args;
    Result r;
    std::FILE* p = ::popen(cmd.c_str(), "r");
    if (!p)
        return r;
    char buf[4096];
    std::size_t n = 0;
    while ((n = std::fread(buf, 1, sizeof buf, p)) > 0)
        r.out.append(buf, n);
    int status = ::pclose(p);
    r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

std::string sample(const std::string& name) {
    return std::string(TRIX_SOURCE_DIR) + "/data/samples/" + name + ".log";
}

std::string expected(const std::string& name) {
    return trix::logs::test::readFile(std::string(TRIX_SOURCE_DIR) + "/tests/logs/expected/" +
                                      name);
}

class SampleTest : public ::testing::TestWithParam<const char*> {};

TEST_P(SampleTest, EpochsAndSummariesArePinned) {
    const std::string name = GetParam();
    Result epochs = run("epochs " + sample(name));
    EXPECT_EQ(epochs.code, 0);
    EXPECT_EQ(epochs.out, expected(name + ".epochs.csv"));
    Result average = run("analyze " + sample(name));
    EXPECT_EQ(average.code, 0);
    EXPECT_EQ(average.out, expected(name + ".average.txt"));
    Result truth =
        run("analyze " + sample(name) + " --truth 48.1173,11.516666,545.4 --outlier-limit 4");
    EXPECT_EQ(truth.code, 0);
    EXPECT_EQ(truth.out, expected(name + ".truth.txt"));
}

INSTANTIATE_TEST_SUITE_P(Samples, SampleTest,
                         ::testing::Values("unkn_001", "r18__001", "r04__001"));

TEST(TrixlogTest, WritesTheSummaryFileBesideTheLog) {
    trix::logs::test::TempDir dir;
    std::string log = dir.file("UNKN_007.LOG");
    std::string copy = "cp " + sample("unkn_001") + " " + log;
    ASSERT_EQ(std::system(copy.c_str()), 0);
    Result r =
        run("analyze " + log +
            " --truth 48.1173,11.516666,545.4 --outlier-limit 4 --write-outliers 2>/dev/null");
    EXPECT_EQ(r.code, 0);
    std::string sum = trix::logs::test::readFile(dir.file("UNKN_007.sum"));
    EXPECT_EQ(sum.rfind("Outlier File for Unknown receiver\nAssociated log file: " + log + "\n", 0),
              0u);
    // The file ends with exactly the summary printed on stdout.
    ASSERT_GE(sum.size(), r.out.size());
    EXPECT_EQ(sum.substr(sum.size() - r.out.size()), r.out);
    EXPECT_NE(sum.find("\n$GPGGA,"), std::string::npos); // outlier sentences
}

TEST(TrixlogTest, BadArgumentsAndBadFiles) {
    EXPECT_EQ(run("epochs 2>/dev/null").code, 2);
    EXPECT_EQ(run("epochs a b 2>/dev/null").code, 2);
    EXPECT_EQ(run("epochs --model 99 x.log 2>/dev/null").code, 2);
    EXPECT_EQ(run("analyze x.log --truth 1,2 2>/dev/null").code, 2);
    EXPECT_EQ(run("analyze x.log --truth 91,2,3 2>/dev/null").code, 2);
    EXPECT_EQ(run("analyze x.log --outlier-limit abc 2>/dev/null").code, 2);
    EXPECT_EQ(run("analyze x.log --outlier-limit 20000 2>/dev/null").code, 2);
    EXPECT_EQ(run("epochs --help").code, 0);
    EXPECT_EQ(run("analyze --help").code, 0);
    // The version is answered like any tool's.
    Result version = run("--version");
    EXPECT_EQ(version.code, 0);
    EXPECT_EQ(version.out.rfind("trixlog ", 0), 0u) << version.out;
    EXPECT_NE(version.out.find('.'), std::string::npos) << version.out;

    Result missing = run("epochs /nonexistent/unkn_001.log 2>&1");
    EXPECT_EQ(missing.code, 1);
    EXPECT_EQ(missing.out, "File \n/nonexistent/unkn_001.log\ncould not be opened !\n(No such file "
                           "or directory)\n");
    trix::logs::test::TempDir dir;
    dir.write("unkn_001.log", "");
    Result empty = run("epochs " + dir.file("unkn_001.log") + " 2>&1");
    EXPECT_EQ(empty.code, 1);
    EXPECT_EQ(empty.out, "No epochs in the file.\n");
    // A log of another model's name: tried twice, still no epoch, no crash.
    std::string other = "cp " + sample("unkn_001") + " " + dir.file("r04__001.log");
    ASSERT_EQ(std::system(other.c_str()), 0);
    Result wrong = run("epochs " + dir.file("r04__001.log") + " 2>&1");
    EXPECT_EQ(wrong.code, 1);
    EXPECT_NE(wrong.out.find("No epochs in the file."), std::string::npos);
    // ... and decoded as the right model when told.
    EXPECT_EQ(run("epochs --model 1 " + dir.file("r04__001.log")).out,
              expected("unkn_001.epochs.csv"));
}

} // namespace
