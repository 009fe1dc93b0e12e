// End to end over TCP: rxsim behind a loopback listener as the receiver, trixlog as the
// program.

#include "pty_pair.h"

#include <gtest/gtest.h>
#include <thread>
#include <unistd.h>

using linktest::binary;
using linktest::occurrences;
using linktest::readFile;
using linktest::runCommand;
using linktest::Rxsim;

TEST(TcpDetect, IdentifiesTheReceiverBehindTheListener) {
    Rxsim rx({"--tcp", "0", "--model", "16", "--port-letter", "B", "--baud", "19200"});
    ASSERT_EQ(rx.device().rfind("tcp://127.0.0.1:", 0), 0u) << rx.device();
    std::string out, err;
    // No line speed over TCP: a receiver at 19200 answers a program set to 9600.
    int rc = runCommand({binary("tools/trixlog/trixlog"), "detect", rx.device(), "--tick-ms", "30"},
                        out, err);
    EXPECT_EQ(rc, 0) << err;
    EXPECT_EQ(out, "model=16 name=RX-05 port=B baud=9600 rtscts=0 firmware=QF30\n");
}

TEST(TcpDetect, SilentReceiverHasNoSpeedToScan) {
    Rxsim rx({"--tcp", "0", "--silent"});
    std::string out, err;
    auto start = std::chrono::steady_clock::now();
    int rc = runCommand({binary("tools/trixlog/trixlog"), "detect", rx.device(), "--tick-ms", "5",
                         "--scan", "--verbose"},
                        out, err);
    EXPECT_EQ(rc, 1);
    EXPECT_EQ(occurrences(err, "GPS receiver is not detected!"), 1) << err;
    EXPECT_EQ(occurrences(err, "-> $PXKTQ,PRT*"), 7) << err;
    EXPECT_EQ(err.find("Com setting:"), std::string::npos) << err; // no candidate tried
    EXPECT_EQ(out, "");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}

TEST(TcpDetect, RefusedConnectionIsAClearError) {
    int port;
    {
        Rxsim gone({"--tcp", "0", "--silent"});
        port = std::stoi(gone.device().substr(gone.device().rfind(':') + 1));
    }
    std::string out, err;
    std::string name = "tcp://127.0.0.1:" + std::to_string(port);
    int rc = runCommand({binary("tools/trixlog/trixlog"), "detect", name}, out, err);
    EXPECT_EQ(rc, 1);
    EXPECT_NE(err.find(name + ": cannot connect: Connection refused"), std::string::npos) << err;
    rc = runCommand({binary("tools/trixlog/trixlog"), "record", "tcp://127.0.0.1:0"}, out, err);
    EXPECT_EQ(rc, 1);
    EXPECT_NE(err.find("the port must be a number from 1 to 65535"), std::string::npos) << err;
}

TEST(TcpRecord, SessionIsByteExact) {
    std::string dir = linktest::tempDir();
    Rxsim rx({"--tcp", "0", "--model", "17", "--port-letter", "D", "--period-ms", "40", "--tx-log",
              dir + "/tx.bin", "--rx-log", dir + "/rx.txt"});
    std::string out, err;
    int rc = runCommand({binary("tools/trixlog/trixlog"), "record", rx.device(), "--model", "17",
                         "--port-letter", "D", "--enable", "--dir", dir, "--seconds", "1"},
                        out, err);
    EXPECT_EQ(rc, 0) << err;
    rx.kill();
    auto files = linktest::filesIn(dir, ".log");
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(out, files[0] + "\n");
    std::string logged = readFile(files[0]);
    EXPECT_GT(occurrences(logged, "$PXKTR,POS,"), 10);
    EXPECT_EQ(logged, readFile(dir + "/tx.bin"));
    std::string seen = readFile(dir + "/rx.txt");
    EXPECT_NE(seen.find("$PXKTS,NME,SAT,D,ON*"), std::string::npos);
    EXPECT_NE(seen.find("$PXKTS,NME,ALL,D,OFF*"), std::string::npos);
}

TEST(TcpRecord, DroppedConnectionKeepsEveryByteAndFails) {
    std::string dir = linktest::tempDir();
    // The listener sends 300000 bytes as fast as they go and closes the connection.
    Rxsim rx({"--tcp", "0", "--blast", "--bytes", "300000", "--tx-log", dir + "/tx.bin"});
    std::string out, err;
    auto start = std::chrono::steady_clock::now();
    int rc = runCommand({binary("tools/trixlog/trixlog"), "record", rx.device(), "--model", "8",
                         "--dir", dir, "--seconds", "30"},
                        out, err);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
    EXPECT_EQ(rc, 1);
    EXPECT_NE(err.find("The connection to " + rx.device() + " was lost: the connection was closed"),
              std::string::npos)
        << err;
    auto files = linktest::filesIn(dir, ".log");
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(out, files[0] + "\n");
    std::string logged = readFile(files[0]);
    EXPECT_EQ(logged.size(), 300000u);
    EXPECT_EQ(logged, readFile(dir + "/tx.bin"));
}

TEST(TcpRecord, KilledListenerKeepsWhatArrived) {
    std::string dir = linktest::tempDir();
    Rxsim rx(
        {"--tcp", "0", "--model", "8", "--on", "--period-ms", "20", "--tx-log", dir + "/tx.bin"});
    std::string tool = binary("tools/trixlog/trixlog");
    linktest::Process record(
        {tool, "record", rx.device(), "--model", "8", "--dir", dir, "--seconds", "30"});
    std::this_thread::sleep_for(std::chrono::milliseconds(700));
    rx.kill();
    EXPECT_EQ(record.wait(), 1);
    EXPECT_NE(record.err().find("was lost: the connection was closed"), std::string::npos);
    auto files = linktest::filesIn(dir, ".log");
    ASSERT_EQ(files.size(), 1u);
    std::string logged = readFile(files[0]);
    EXPECT_GT(logged.size(), 500u);
    // A stream loses nothing in flight: every byte sent is in the log.
    EXPECT_EQ(logged, readFile(dir + "/tx.bin"));
}
