// trixlog against what a hostile user or bad hardware brings: pipes that close, full
// devices, FIFOs and links where files should be, oversized logs, silent receivers.

#include "logs/log_indexer.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

namespace {

using trix::logs::test::posEpoch;
using trix::logs::test::readFile;
using trix::logs::test::TempDir;

const std::string kTrixlog = std::string(TRIX_BINARY_DIR) + "/tools/trixlog/trixlog";

struct Shell {
    int code = -1;
    std::string out;
};

// Runs a bash script with $T set to trixlog; stdout (and what the script sends there).
Shell bash(const std::string& script) {
    std::string cmd = "T=" + kTrixlog + " bash -c '" + script + "'";
    Shell r;
    std::FILE* p = ::popen(cmd.c_str(), "r");
    if (!p)
        return r;
    char buf[4096];
    std::size_t n = 0;
    while ((n = std::fread(buf, 1, sizeof buf, p)) > 0)
        r.out.append(buf, n);
    int status = ::pclose(p);
    r.code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return r;
}

std::string sample() {
    return std::string(TRIX_SOURCE_DIR) + "/data/samples/unkn_001.log";
}

// A proprietary log of `epochs` epochs.
std::string bigLog(const TempDir& dir, int epochs) {
    std::string content;
    content.reserve(static_cast<std::size_t>(epochs) * 150);
    for (int s = 0; s < epochs; ++s)
        content += posEpoch(s % 3600);
    dir.write("r18__001.log", content);
    return dir.file("r18__001.log");
}

TEST(TrixlogHostile, ReaderThatGoesAwayEndsQuietly) {
    TempDir dir;
    std::string log = bigLog(dir, 20000);
    Shell r = bash("set -o pipefail; $T epochs " + log + " 2>&1 | head -n 2 >/dev/null; echo $?");
    EXPECT_EQ(r.out, "0\n");
}

TEST(TrixlogHostile, WriteErrorsFailWithAMessage) {
    Shell full = bash("$T epochs " + sample() + " 2>&1 >/dev/full");
    EXPECT_EQ(full.code, 1);
    EXPECT_NE(full.out.find("No space left on device"), std::string::npos) << full.out;
    Shell closed = bash("$T analyze " + sample() + " 2>&1 >&-");
    EXPECT_EQ(closed.code, 1);
    EXPECT_NE(closed.out.find("cannot write"), std::string::npos) << closed.out;
}

TEST(TrixlogHostile, FifoIsRefusedNotWaitedOn) {
    TempDir dir;
    std::string fifo = dir.file("unkn_001.log");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const char* command : {"epochs", "analyze"}) {
        Shell r = bash(std::string("timeout 10 $T ") + command + " " + fifo + " 2>&1");
        EXPECT_EQ(r.code, 1) << command;
        EXPECT_NE(r.out.find("could not be opened !"), std::string::npos) << r.out;
        EXPECT_EQ(r.out.find("could not be opened !"), r.out.rfind("could not be opened !"))
            << "said once";
    }
}

TEST(TrixlogHostile, SummaryThatIsTheLogNeverOverwritesIt) {
    TempDir dir;
    const std::string original = readFile(sample());
    const std::string args = " --truth 48.1173,11.516666,545.4 --outlier-limit 4 --write-outliers";
    for (bool symbolic : {true, false}) {
        std::string log = dir.file(symbolic ? "s.log" : "h.log");
        std::string sum = dir.file(symbolic ? "s.sum" : "h.sum");
        dir.write(symbolic ? "s.log" : "h.log", original);
        ASSERT_EQ(symbolic ? ::symlink(log.c_str(), sum.c_str()) : ::link(log.c_str(), sum.c_str()),
                  0);
        Shell r = bash("$T analyze " + log + args + " 2>&1");
        EXPECT_EQ(r.code, 1) << r.out;
        EXPECT_EQ(readFile(log), original) << "the log is untouched";
    }
    // A symbolic link to another file is not followed either.
    dir.write("other.txt", "keep");
    dir.write("o.log", original);
    ASSERT_EQ(::symlink(dir.file("other.txt").c_str(), dir.file("o.sum").c_str()), 0);
    EXPECT_EQ(bash("$T analyze " + dir.file("o.log") + args + " 2>/dev/null").code, 1);
    EXPECT_EQ(readFile(dir.file("other.txt")), "keep");
    // Logs that differ in case keep their own summaries.
    dir.write("Run.log", original);
    dir.write("run.log", original);
    EXPECT_EQ(bash("$T analyze " + dir.file("Run.log") + args + " >/dev/null 2>&1").code, 0);
    EXPECT_EQ(bash("$T analyze " + dir.file("run.log") + args + " >/dev/null 2>&1").code, 0);
    EXPECT_NE(readFile(dir.file("Run.sum")).find(dir.file("Run.log")), std::string::npos);
    EXPECT_NE(readFile(dir.file("run.sum")).find(dir.file("run.log")), std::string::npos);
}

TEST(TrixlogHostile, CappedLogIsSaidAndAnalysedAlike) {
    TempDir dir;
    std::string log = bigLog(dir, 200000);
    Shell epochs = bash("$T epochs " + log + " 2>" + dir.file("err") + " | wc -l");
    EXPECT_EQ(epochs.out, "65537\n");
    std::string warning = readFile(dir.file("err"));
    EXPECT_NE(warning.find("stopped at epoch 65536"), std::string::npos) << warning;
    // The analysis covers the same epochs: the first 65536 alone give the same summary.
    std::string content = readFile(log);
    std::size_t cut = 0;
    for (int k = 0; k < trix::logs::kMaxIndexedEpochs; ++k)
        cut = content.find("$PXKTR,POS", cut + 1);
    cut = content.find("$PXKTR,POS", cut + 1);
    dir.write("r18__002.log", content.substr(0, cut));
    Shell whole = bash("$T analyze " + log + " 2>" + dir.file("err2"));
    Shell part = bash("$T analyze " + dir.file("r18__002.log") + " 2>/dev/null");
    EXPECT_EQ(whole.code, 0);
    EXPECT_EQ(whole.out, part.out);
    EXPECT_NE(readFile(dir.file("err2")).find("stopped at epoch 65536"), std::string::npos);
}

TEST(TrixlogHostile, ErrorListLeavesNoScratchFolder) {
    TempDir dir;
    TempDir tmp;
    std::string content;
    for (int s = 0; s < 6; ++s)
        content += trix::logs::test::nmeaEpoch(s);
    std::size_t gsa =
        content.find("$GPGSA", content.find("$GPGSA", content.find("$GPGSA") + 1) + 1);
    content[content.find('*', gsa) + 1] ^= 1; // a checksum error in the third epoch
    dir.write("unkn_001.log", content);
    Shell r = bash("TMPDIR=" + tmp.path + " $T epochs " + dir.file("unkn_001.log") + " 2>&1");
    EXPECT_NE(r.out.find("Error CheckSum. Line"), std::string::npos) << r.out;
    EXPECT_TRUE(std::filesystem::is_empty(tmp.path));
}

// A pseudo-terminal as a receiver that sends nothing (or what the test writes).
class Pty {
public:
    Pty() {
        master = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (master >= 0 && ::grantpt(master) == 0 && ::unlockpt(master) == 0)
            device = ::ptsname(master);
    }
    ~Pty() {
        if (master >= 0)
            ::close(master);
    }
    int master = -1;
    std::string device;
};

TEST(TrixlogHostile, LongPeriodsAndSilentReceiversLeaveNoLitter) {
    Pty pty;
    ASSERT_FALSE(pty.device.empty());
    TempDir dir;
    Shell r = bash("$T record " + pty.device + " --multiple 700,1 --seconds 2 --dir " + dir.path +
                   " 2>&1");
    EXPECT_EQ(r.code, 0) << r.out;
    EXPECT_NE(r.out.find("nothing was received"), std::string::npos) << r.out;
    EXPECT_TRUE(std::filesystem::is_empty(dir.path)) << "no empty log kept, no file storm";
}

TEST(TrixlogHostile, HangupClosesTheRecordingAndNamesIt) {
    Pty pty;
    ASSERT_FALSE(pty.device.empty());
    TempDir dir;
    std::string script = "$T record " + pty.device + " --dir " + dir.path +
                         " & p=$!; sleep 1; kill -HUP $p; wait $p; echo status=$?";
    std::string data = posEpoch(1);
    // The receiver speaks while the recording runs.
    pid_t writer = ::fork();
    if (writer == 0) {
        for (int k = 0; k < 20; ++k) {
            (void)!::write(pty.master, data.data(), data.size());
            ::usleep(50000);
        }
        ::_exit(0);
    }
    Shell r = bash(script);
    ::waitpid(writer, nullptr, 0);
    EXPECT_NE(r.out.find("status=0"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find(dir.path), std::string::npos) << "the file's name is printed";
    EXPECT_FALSE(std::filesystem::is_empty(dir.path));
}

} // namespace
