// End to end through real pseudo-terminals: rxsim as the receiver, trixlog as the program.

#include "pty_pair.h"

#include <gtest/gtest.h>
#include <thread>
#include <unistd.h>

using linktest::binary;
using linktest::occurrences;
using linktest::readFile;
using linktest::runCommand;
using linktest::Rxsim;

namespace {

std::string concat(const std::vector<std::string>& files) {
    std::string all;
    for (const auto& f : files)
        all += readFile(f);
    return all;
}

} // namespace

TEST(Detect, IdentifiesAtTheGivenSettings) {
    Rxsim rx({"--model", "16", "--port-letter", "B"});
    std::string out, err;
    int rc = runCommand({binary("tools/trixlog/trixlog"), "detect", rx.device(), "--tick-ms", "30"},
                        out, err);
    EXPECT_EQ(rc, 0) << err;
    EXPECT_EQ(out, "model=16 name=RX-05 port=B baud=9600 rtscts=0 firmware=QF30\n");
}

TEST(Detect, ScanFindsBaudAndHandshaking) {
    Rxsim rx({"--model", "11", "--baud", "19200", "--rtscts", "--port-letter", "C", "--on",
              "--period-ms", "50"});
    std::string out, err;
    std::string tool = binary("tools/trixlog/trixlog");
    EXPECT_EQ(runCommand({tool, "detect", rx.device(), "--tick-ms", "30"}, out, err), 1);
    EXPECT_NE(err.find("GPS receiver is not detected!"), std::string::npos);
    EXPECT_EQ(out, "");
    int rc = runCommand({tool, "detect", rx.device(), "--tick-ms", "30", "--scan"}, out, err);
    EXPECT_EQ(rc, 0) << err;
    EXPECT_EQ(out, "model=11 name=RX-10 port=C baud=19200 rtscts=1 firmware=QN31\n");
}

TEST(Detect, SilentReceiverExhaustsTheScan) {
    Rxsim rx({"--silent"});
    std::string out, err;
    int rc = runCommand(
        {binary("tools/trixlog/trixlog"), "detect", rx.device(), "--tick-ms", "5", "--scan"}, out,
        err);
    EXPECT_EQ(rc, 1);
    EXPECT_EQ(occurrences(err, "GPS receiver is not detected!"), 1);
}

TEST(Detect, InitFileSteppedByAcksAndByTheQuestion) {
    std::string dir = linktest::tempDir();
    linktest::writeFile(dir + "/init.gps", "; setup\n$PXKTS,ELM,10\n$PXKTS,PDOP,4*00\n"
                                           "$PXKTS,FIX,3\n");
    {
        Rxsim rx({"--model", "8", "--rx-log", dir + "/rx1.txt"});
        std::string out, err;
        int rc = runCommand({binary("tools/trixlog/trixlog"), "detect", rx.device(), "--tick-ms",
                             "30", "--init", dir + "/init.gps"},
                            out, err);
        EXPECT_EQ(rc, 0) << err;
        rx.kill();
        std::string seen = readFile(dir + "/rx1.txt");
        EXPECT_EQ(occurrences(seen, "$PXKTS,ELM,10*"), 1);
        EXPECT_EQ(occurrences(seen, "$PXKTS,PDOP,4*"), 1);
        EXPECT_EQ(occurrences(seen, "$PXKTS,FIX,3*"), 1);
        EXPECT_LT(seen.find("ELM"), seen.find("PDOP"));
    }
    {
        Rxsim rx({"--model", "8", "--ignore", "PDOP", "--rx-log", dir + "/rx2.txt"});
        std::string out, err;
        int rc = runCommand({binary("tools/trixlog/trixlog"), "detect", rx.device(), "--tick-ms",
                             "30", "--init", dir + "/init.gps"},
                            out, err);
        EXPECT_EQ(rc, 0) << err;
        EXPECT_NE(err.find("There is no 'ACK' response!"), std::string::npos);
        rx.kill();
        std::string seen = readFile(dir + "/rx2.txt");
        EXPECT_EQ(occurrences(seen, "$PXKTS,PDOP,4*"), 5);
        EXPECT_EQ(occurrences(seen, "$PXKTS,FIX,3*"), 1);
    }
    {
        Rxsim rx({"--model", "8", "--ignore", "PDOP"});
        std::string out, err;
        int rc = runCommand({binary("tools/trixlog/trixlog"), "detect", rx.device(), "--tick-ms",
                             "30", "--init", dir + "/init.gps", "--no-ack-answer", "no"},
                            out, err);
        EXPECT_EQ(rc, 1);
    }
}

TEST(Record, SessionIsByteExactAndSplitAsAsked) {
    std::string dir = linktest::tempDir();
    Rxsim rx({"--model", "17", "--port-letter", "D", "--period-ms", "40", "--tx-log",
              dir + "/tx.bin", "--rx-log", dir + "/rx.txt"});
    std::string out, err;
    int rc = runCommand({binary("tools/trixlog/trixlog"), "record", rx.device(), "--model", "17",
                         "--port-letter", "D", "--enable", "--dir", dir, "--seconds", "2",
                         "--auto-save-epochs", "12"},
                        out, err);
    EXPECT_EQ(rc, 0) << err;
    rx.kill();
    auto files = linktest::filesIn(dir, ".log");
    ASSERT_GE(files.size(), 3u);
    EXPECT_EQ(files[0], dir + "/r04__001.log");
    // Each closed file is named on stdout, in order.
    std::string expected;
    for (const auto& f : files)
        expected += f + "\n";
    EXPECT_EQ(out, expected);
    EXPECT_EQ(concat(files), readFile(dir + "/tx.bin"));
    // Every full file holds 12 epochs of the attitude receiver.
    EXPECT_EQ(occurrences(readFile(files[1]), "$PXKTR,POS,"), 12);
    std::string seen = readFile(dir + "/rx.txt");
    EXPECT_NE(seen.find("$PXKTS,NME,SAT,D,ON*"), std::string::npos);
    EXPECT_NE(seen.find("$PXKTS,OUT,D,AT2*"), std::string::npos);
    EXPECT_NE(seen.find("$PXKTS,NME,ALL,D,OFF*"), std::string::npos);
}

TEST(Record, VanishingDeviceKeepsEveryByteAndFails) {
    std::string dir = linktest::tempDir();
    Rxsim rx({"--model", "8", "--on", "--period-ms", "20", "--tx-log", dir + "/tx.bin"});
    std::string tool = binary("tools/trixlog/trixlog");
    linktest::Process record(
        {tool, "record", rx.device(), "--model", "8", "--dir", dir, "--seconds", "30"});
    std::this_thread::sleep_for(std::chrono::milliseconds(700));
    rx.kill();
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(record.wait(), 1);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_NE(record.err().find("was lost"), std::string::npos);
    auto files = linktest::filesIn(dir, ".log");
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(record.out(), files[0] + "\n");
    std::string tx = readFile(dir + "/tx.bin");
    std::string logged = readFile(files[0]);
    EXPECT_GT(logged.size(), 500u);
    // Everything that reached the program is in the log; at most what was in flight when
    // the line went down is missing.
    EXPECT_EQ(tx.substr(0, logged.size()), logged);
}
