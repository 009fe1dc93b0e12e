// Support tickets and command menus end to end: rxsim as the receiver on a pseudo-terminal,
// trixlog as the program.

#include "decode/framing.h"
#include "pty_pair.h"

#include "base/text.h"

#include <chrono>
#include <csignal>
#include <dirent.h>
#include <gtest/gtest.h>
#include <thread>
#include <unistd.h>

using linktest::binary;
using linktest::readFile;
using linktest::runCommand;
using linktest::Rxsim;
using linktest::writeFile;

namespace {

std::string sum(const std::string& body) {
    return body + trix::cformat("*%02X", trix::nmeaChecksum(body.substr(1)));
}

std::vector<std::string> files(const std::string& dir) {
    std::vector<std::string> names;
    if (DIR* d = opendir(dir.c_str())) {
        while (dirent* e = readdir(d)) {
            std::string n = e->d_name;
            if (n.ends_with(".txt"))
                names.push_back(n);
        }
        closedir(d);
    }
    std::sort(names.begin(), names.end());
    return names;
}

const char* kScript = "Ticket script for the tests\n"
                      "$PXKTQ,RID\n->$PXKTR,RID\n"
                      "$PXKTQ,PRT\n->$PXKTR,PRT\n"
                      "$PXKTQ,NME,port\n->$PXKTR,NME\n";

} // namespace

TEST(TicketEndToEnd, AnsweredCommandsAndTheFileBytes) {
    std::string dir = linktest::tempDir();
    writeFile(dir + "/t.spt", kScript);
    Rxsim rx({"--model", "16", "--port-letter", "B", "--baud", "115200", "--on", "--period-ms",
              "100000"});
    std::string out, err;
    int rc = runCommand({binary("tools/trixlog/trixlog"), "ticket", rx.device(), "--model", "16",
                         "--baud", "115200", "--port-letter", "B", "--script", dir + "/t.spt",
                         "--dir", dir},
                        out, err);
    EXPECT_EQ(rc, 0) << err;
    const std::string path = dir + "/rx05_001.txt";
    EXPECT_EQ(out, "ticket " + path + " complete commands=3 sends=3 answered=3\n");
    EXPECT_NE(err.find("Ticket:'" + path + "' was created successfully."), std::string::npos);
    std::string text = readFile(path);
    const std::string head = "\r\n" + path + "\r\n\r\n\r\n";
    ASSERT_EQ(text.substr(0, head.size()), head);
    std::size_t dateEnd = text.find("\r\n\r\n", head.size());
    ASSERT_NE(dateEnd, std::string::npos);
    std::string date = text.substr(head.size(), dateEnd - head.size());
    EXPECT_EQ(date.find(','), 4u) << date;
    EXPECT_EQ(text.substr(dateEnd + 4),
              sum("$PXKTQ,RID") + "\r\n" + sum("$PXKTR,RID,S8,QF30,SIM0001") + "\r\n" +
                  sum("$PXKTQ,PRT") + "\r\n" + sum("$PXKTR,PRT,B,115200") + "\r\n" +
                  sum("$PXKTQ,NME,B") + "\r\n" + sum("$PXKTR,NME,B,POS,SAT") + "\r\n");

    // A second ticket never replaces the first.
    rc = runCommand({binary("tools/trixlog/trixlog"), "ticket", rx.device(), "--model", "16",
                     "--baud", "115200", "--port-letter", "B", "--script", dir + "/t.spt", "--dir",
                     dir},
                    out, err);
    EXPECT_EQ(rc, 0) << err;
    EXPECT_EQ(out, "ticket " + dir + "/rx05_002.txt complete commands=3 sends=3 answered=3\n");
    EXPECT_EQ(readFile(path), text);
    EXPECT_EQ(files(dir), (std::vector<std::string>{"rx05_001.txt", "rx05_002.txt"}));
}

TEST(TicketEndToEnd, UnansweredAndRefusedCommandsGoOutTwice) {
    std::string dir = linktest::tempDir();
    writeFile(dir + "/t.spt", kScript);
    Rxsim rx({"--model", "16", "--port-letter", "B", "--baud", "115200", "--ignore", "PRT", "--nak",
              "NME", "--rx-log", dir + "/rx.log"});
    std::string out, err;
    int rc = runCommand({binary("tools/trixlog/trixlog"), "ticket", rx.device(), "--model", "16",
                         "--baud", "115200", "--port-letter", "B", "--script", dir + "/t.spt",
                         "--dir", dir},
                        out, err);
    EXPECT_EQ(rc, 0) << err;
    EXPECT_EQ(out, "ticket " + dir + "/rx05_001.txt complete commands=3 sends=5 answered=1\n");
    rx.kill();
    std::string seen = readFile(dir + "/rx.log");
    EXPECT_EQ(seen, sum("$PXKTQ,RID") + "\n" + sum("$PXKTQ,PRT") + "\n" + sum("$PXKTQ,PRT") + "\n" +
                        sum("$PXKTQ,NME,B") + "\n" + sum("$PXKTQ,NME,B") + "\n");
    std::string text = readFile(dir + "/rx05_001.txt");
    EXPECT_NE(text.find(sum("$PXKTR,NAK,NME") + "\r\n"), std::string::npos);
}

TEST(TicketEndToEnd, AckBytesReadBackAndLateAnswers) {
    std::string dir = linktest::tempDir();
    writeFile(dir + "/t.spt", "$PXKTS,ELM,7\n->-bin:ACK\n$PXKTQ,ELM\n->$PXKTR,ELM,7\n"
                              "$PXKTQ,RIO\n->$PXKTR,RIO,A\n");
    // Answers 400 ms late, after the 300 ms step: each command goes out twice.
    Rxsim rx({"--model", "8", "--baud", "115200", "--ack-byte", "--answer-delay-ms", "400"});
    std::string out, err;
    int rc = runCommand({binary("tools/trixlog/trixlog"), "ticket", rx.device(), "--model", "8",
                         "--baud", "115200", "--port-letter", "A", "--script", dir + "/t.spt",
                         "--dir", dir},
                        out, err);
    EXPECT_EQ(rc, 0) << err;
    EXPECT_EQ(out, "ticket " + dir + "/rx13_001.txt complete commands=3 sends=6 answered=3\n");
    std::string text = readFile(dir + "/rx13_001.txt");
    EXPECT_NE(text.find("\x06-bin:ACK\r\n"), std::string::npos);
    EXPECT_NE(text.find(sum("$PXKTR,ELM,7") + "\r\n"), std::string::npos);
    EXPECT_NE(text.find(sum("$PXKTR,RIO,A,115200,0") + "\r\n"), std::string::npos);
}

TEST(TicketEndToEnd, CancelDeletesThePartialTicket) {
    std::string dir = linktest::tempDir();
    writeFile(dir + "/t.spt", kScript);
    Rxsim rx({"--model", "16", "--port-letter", "B"});
    linktest::Process run({binary("tools/trixlog/trixlog"), "ticket", rx.device(), "--model", "16",
                           "--port-letter", "B", "--script", dir + "/t.spt", "--dir", dir});
    std::this_thread::sleep_for(std::chrono::milliseconds(1800)); // one command at 9600 baud
    run.signal(SIGINT);
    EXPECT_EQ(run.wait(5000), 1) << run.err();
    EXPECT_EQ(run.out(), "ticket " + dir + "/rx05_001.txt cancelled\n");
    EXPECT_NE(run.err().find("Creating Support Ticket is cancelled."), std::string::npos);
    EXPECT_TRUE(files(dir).empty());
}

TEST(TicketEndToEnd, DisconnectEndsTheSeries) {
    std::string dir = linktest::tempDir();
    std::string script;
    for (int i = 0; i < 6; ++i)
        script += "$PXKTQ,RID\n->$PXKTR,RID\n";
    writeFile(dir + "/t.spt", script);
    auto rx = std::make_unique<Rxsim>(
        std::vector<std::string>{"--model", "16", "--port-letter", "B", "--baud", "115200"});
    // A ticket (about 2.1 s) every 3 s during 36 s.
    linktest::Process run({binary("tools/trixlog/trixlog"), "ticket", rx->device(), "--model", "16",
                           "--baud", "115200", "--script", dir + "/t.spt", "--dir", dir, "--series",
                           "0.01,0.05"});
    std::this_thread::sleep_for(std::chrono::milliseconds(4000)); // inside the second ticket
    rx->kill();
    EXPECT_EQ(run.wait(5000), 1) << run.err();
    EXPECT_EQ(run.out(), "ticket " + dir +
                             "/rx05_001.txt complete commands=6 sends=6 answered=6\n"
                             "ticket " +
                             dir + "/rx05_002.txt cancelled\n");
    EXPECT_EQ(run.err().find("successfully", run.err().find("rx05_002")), std::string::npos);
    EXPECT_EQ(files(dir), std::vector<std::string>{"rx05_001.txt"});
}

TEST(MenuTool, RowsBuildAndErrors) {
    std::string dir = linktest::tempDir();
    writeFile(dir + "/m.MNU", "; menu for the tests\r\n"
                              "Identification\r\n$PXKTQ,RID\r\n"
                              "*Outputs\r\n"
                              "Position\r\n$PXKTS,NME,POS,#,%L\r\nState;ON(on*),OFF(off)\r\n"
                              "**Masks\r\n"
                              "Mask\r\n$PXKTS,ELM,%N\r\nDegrees;0,90,10\r\n"
                              "Name\r\n$PXKTS,NAM,%T,%M\r\nName;0,8\r\nSend;POS,SAT,GSA\r\n");
    std::string tool = binary("tools/trixlog/trixlog");
    std::string out, err;
    EXPECT_EQ(runCommand({tool, "menu", dir + "/m.MNU"}, out, err), 0) << err;
    EXPECT_EQ(out, "E\t0\t0\tIdentification\t$PXKTQ,RID\n"
                   "H\t0\tOutputs\n"
                   "E\t1\t2\tPosition\t$PXKTS,NME,POS,#,%L\n"
                   "P\t1\tL\tState\tON(on*)\tOFF(off)\n"
                   "H\t1\tMasks\n"
                   "E\t2\t4\tMask\t$PXKTS,ELM,%N\n"
                   "P\t1\tN\tDegrees\t0\t90\t10\n"
                   "E\t2\t5\tName\t$PXKTS,NAM,%T,%M\n"
                   "P\t1\tT\tName\t0\t8\t\n"
                   "P\t2\tM\tSend\tPOS\tSAT\tGSA\n");
    EXPECT_EQ(runCommand({tool, "menu", dir + "/m.MNU", "--port-letter", "C", "--build", "2",
                          "--value", "off"},
                         out, err),
              0);
    EXPECT_EQ(out, "C\t$PXKTS,NME,POS,C,OFF\n");
    EXPECT_EQ(runCommand({tool, "menu", dir + "/m.MNU", "--build", "2", "--value", "-"}, out, err),
              0);
    EXPECT_EQ(out, "C\t$PXKTS,NME,POS,A,ON\n");
    EXPECT_EQ(runCommand({tool, "menu", dir + "/m.MNU", "--build", "5", "--value", "X", "--value",
                          "POS,GSA"},
                         out, err),
              0);
    EXPECT_EQ(out, "C\t$PXKTS,NAM,X,POS,GSA\n");
    EXPECT_EQ(
        runCommand({tool, "menu", dir + "/m.MNU", "--build", "4", "--value", "1-2"}, out, err), 1);
    EXPECT_EQ(out, "");
    EXPECT_EQ(err, "Enter value between 0 and 90\n");
    EXPECT_EQ(
        runCommand({tool, "menu", dir + "/m.MNU", "--build", "5", "--value", "a$b"}, out, err), 1);
    EXPECT_EQ(err, "The text may not contain '*', '$' or control characters.\n");

    writeFile(dir + "/bad.MNU", "Mask\n$PXKTS,ELM,%N\nDegrees;0,90\n");
    EXPECT_EQ(runCommand({tool, "menu", dir + "/bad.MNU"}, out, err), 1);
    EXPECT_EQ(out, "");
    EXPECT_EQ(err, "Error on compiling\n" + dir + "/bad.MNU\nat the line # 3\n");
}

TEST(TicketEndToEnd, AMissingDeviceIsNamedWithItsReason) {
    std::string out, err;
    const std::string missing = linktest::tempDir() + "/no-such-receiver";
    EXPECT_EQ(
        runCommand({binary("tools/trixlog/trixlog"), "ticket", missing, "--model", "8"}, out, err),
        1);
    EXPECT_EQ(out, "");
    EXPECT_NE(err.find("trixlog ticket: cannot open " + missing), std::string::npos) << err;
    EXPECT_NE(err.find("No such file or directory"), std::string::npos) << err;
}
