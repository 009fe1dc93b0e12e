// trixlog almanac: the listing on stdout, the save, and the failure contract.

#include "pty_pair.h"
#include "support.h"

#include <gtest/gtest.h>

#include <sstream>

using almanactest::dataFile;
using almanactest::readFile;
using almanactest::replaceAll;
using almanactest::TempDir;
using almanactest::writeFile;

namespace {

struct Result {
    int code = -1;
    std::string out;
    std::string err;
};

// Runs "trixlog almanac" with the words of `args`.
Result run(const std::string& args) {
    std::vector<std::string> argv{linktest::binary("tools/trixlog/trixlog"), "almanac"};
    std::istringstream words(args);
    for (std::string w; words >> w;)
        argv.push_back(w);
    Result r;
    r.code = linktest::runCommand(argv, r.out, r.err);
    return r;
}

} // namespace

TEST(TrixlogAlmanac, ListsAndSavesInEitherFormat) {
    const std::string expected =
        replaceAll(readFile(dataFile("published_week98.expected.txt")), "\n", "\r\n");
    TempDir dir;
    Result r = run(dataFile("published_week98.alm") + " --save " + dir.file("almyum21.052"));
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, expected);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(readFile(dir.file("almyum21.052")), expected);

    Result bin = run(dir.file("almyum21.052") + " --save " + dir.file("ALM21.052"));
    EXPECT_EQ(bin.code, 0);
    const std::string table = readFile(dir.file("ALM21.052"));
    EXPECT_EQ(table.size(), 2240u);
    Result back = run(dir.file("ALM21.052"));
    EXPECT_EQ(back.code, 0);
    EXPECT_EQ(back.out, expected);
}

TEST(TrixlogAlmanac, UnreadableInputPrintsNothingAndWritesNothing) {
    TempDir dir;
    writeFile(dir.file("empty"), "");
    writeFile(dir.file("garbage"), std::string(3000, '\x01'));
    writeFile(dir.file("unusable"), "**** Week 0098 almanac for PRN-40\r\nID: 40\r\n");
    for (const std::string& in : {dir.file("empty"), dir.file("garbage"), dir.file("unusable"),
                                  dir.path, dir.file("missing")}) {
        Result r = run(in + " --save " + dir.file("out"));
        EXPECT_EQ(r.code, 1) << in;
        EXPECT_EQ(r.out, "") << in;
        EXPECT_EQ(r.err, "Bad almanac file !\n") << in;
        EXPECT_EQ(readFile(dir.file("out")), "") << in;
    }
}

TEST(TrixlogAlmanac, UsageAndHelp) {
    EXPECT_EQ(run("").code, 2);
    EXPECT_EQ(run("a b").code, 2);
    EXPECT_EQ(run("a --save").code, 2);
    Result help = run("--help");
    EXPECT_EQ(help.code, 0);
    EXPECT_NE(help.out.find("usage: trixlog almanac IN [--save OUT]"), std::string::npos);
}
