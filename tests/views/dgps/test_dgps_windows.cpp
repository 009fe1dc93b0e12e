// The RTCM and RTK windows offscreen: grids from the parsers, the commands on open, close and
// poll, following a viewed log, and grabs of both layouts.

#include "base/text.h"
#include "decode/epoch_decoder.h"
#include "decode/framing.h"
#include "sentences.h"
#include "views/rtcm/dgps_commands.h"
#include "views/rtcm/rtcm_dump.h"
#include "views/rtcm/rtcm_parser.h"
#include "views/rtcm/rtcm_window.h"
#include "views/rtk/rtk_dump.h"
#include "views/rtk/rtk_parser.h"
#include "views/rtk/rtk_scatter_view.h"
#include "views/rtk/rtk_window.h"
#include "views/sky/display_source.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

using trix::testing::sentence;
using namespace trix;

namespace {

struct FakeCommands : dgps::DgpsCommands {
    bool portOpen() const override { return open; }
    void outputSet(dgps::OutputSet set, bool on) override {
        sent.push_back(std::string(set == dgps::OutputSet::Rtcm ? "RTCM" : "RTK") +
                       (on ? " on" : " off"));
    }
    void querySet(std::string_view which) override {
        sent.push_back("query " + std::string(which));
    }
    void query(std::string_view s) override { sent.emplace_back(s); }
    bool open = true;
    std::vector<std::string> sent;
};

std::string cell(QTableWidget* g, int row, int col) {
    QTableWidgetItem* item = g->item(row, col);
    return item ? item->text().toStdString() : std::string();
}

// The rows of the live trial recorded from the simulated receiver.
std::vector<std::string> rtcmLines() {
    return {sentence("PXKTR,POS,1,06,120000.00,5546.12393,N,03737.54398,E,181.947,,90.0,0.10"),
            sentence("GPMSG,1,0123,1234.5,0,0,1,115959.00,0,4,0.969,0.004,44,0,7,1.719,0.007,47"),
            sentence("GPMSG,2,0123,1234.5,1,0,1,115959.00,0,4,0.050,-0.001,44"),
            sentence("GPMSG,3,0123,1234.5,2,0,1,115959.00,2849012.345,2169254.678,5256148.901"),
            sentence("GPMSG,31,0123,1234.5,3,0,1,115959.00,0,3,-1.531,0.003,43"),
            sentence("GPMSG,36,0123,1234.5,4,0,1,115959.00,GLONASS BASE 0123"),
            sentence("GPGSA,A,3,04,07,09,16,21,27,,,,,,,1.8,0.9,1.5"),
            sentence("GPGRS,120000.00,1,0.0,0.6,1.2,1.6,1.9,2.0,,,,,,"),
            sentence("GPGSN,6,04,48,07,44,09,38,16,46,21,31,27,50"),
            "RTC STATUS:",
            "SYNC:*  TYPE:1  STID:0123  STHE:0",
            "AGE:+001.7  QA:100.0%  OFFSET:2",
            "MODE:REMOTE,PORT:B,SPD:9600",
            "BASE: LAT:5546.12345N LON:03737.54321E ALT:+0165.00",
            "MSG:BASE 0123 READY",
            sentence("PXKTR,POS,1,06,120001.00,5546.12394,N,03737.54400,E,181.992,,90.0,0.10")};
}

std::vector<std::string> rtkLines(int n) {
    std::vector<std::string> out{"CPD MODE:ROV STAT:ON", "BAS POS USED:RECEIVED", "AMBIGUITY:FIXED",
                                 sentence("PXKTR,CPD,DLK,ROV,B,0123,0002,98,1200,+"),
                                 sentence("PXKTR,CPD,INF,ROV,03,02+,05C,12-,04,02+,05+,12P,17+")};
    for (int i = 0; i < n; ++i) {
        const double wobble = (i % 7) * 0.00003 - 0.0001;
        out.push_back(sentence(cformat("PXKTR,CBN,1200%02d.00,FIX,06,%.5f,N,%.5f,E,165.0,0.012,"
                                       "0.010,0.025,1.8,0.9,1.5,0.8,0.001,-0.002,0.000,0.010,"
                                       "0.010,0.020",
                                       i, 5546.12345 + wobble, 3737.54321 - wobble * 1.5)));
    }
    return out;
}

void save(const QWidget& w, const char* name) {
    const QImage img = const_cast<QWidget&>(w).grab().toImage();
    img.save(QString::fromUtf8(TRIX_BINARY_DIR) + "/" + name);
}

TEST(RtcmWindow, GridsShowNaUntilDataThenTheParserState) {
    rtcm::RtcmParser parser;
    views::PlainDisplaySource source;
    FakeCommands commands;
    views::RtcmWindow w(parser, source, commands);
    w.resize(900, 640);
    w.opened();
    ASSERT_EQ(commands.sent, (std::vector<std::string>{"RTCM on"}));
    w.refresh();
    for (int c = 0; c < 5; ++c)
        EXPECT_EQ(cell(w.queriedGrid(), 0, c), "n/a");
    EXPECT_EQ(cell(w.typeGrid(), 0, 0), "No Message");
    for (const auto& l : rtcmLines())
        w.line(l);
    EXPECT_EQ(cell(w.queriedGrid(), 0, 0), "REMOTE");
    EXPECT_EQ(cell(w.queriedGrid(), 0, 2), "  +1.70");
    EXPECT_EQ(cell(w.queriedGrid(), 0, 3), " 100.00%");
    EXPECT_EQ(cell(w.baseGrid(), 0, 1), "5546.12345N");
    EXPECT_EQ(w.headerGrid()->rowCount(), 5);
    EXPECT_EQ(cell(w.typeGrid(), 0, 4), "MSG,36");
    EXPECT_EQ(cell(w.positionGrid(), 0, 4), "WGS-84");
    ASSERT_EQ(w.gpsGrid()->rowCount(), 6) << "type 1 satellites and GSA's";
    EXPECT_EQ(cell(w.gpsGrid(), 0, 0), " 4");
    EXPECT_EQ(cell(w.gpsGrid(), 0, 2), "1.019");
    EXPECT_EQ(cell(w.gpsGrid(), 0, 5), "  0.1");
    EXPECT_EQ(cell(w.gpsGrid(), 1, 7), "0.6");
    EXPECT_EQ(cell(w.gpsGrid(), 1, 8), "44");
    EXPECT_EQ(cell(w.glonassGrid(), 0, 0), "35");
    EXPECT_NE(w.baseMessage()->text().indexOf("GLONASS BASE 0123"), -1);
    EXPECT_TRUE(w.updateButton()->isEnabled());
    source.settingsValue.rtcMode = 1;
    w.optionsChanged();
    EXPECT_EQ(cell(w.gpsGrid(), 0, 2), "   1.02");
    save(w, "dgps_rtcm_horizontal.png");
    w.setVerticalLayout(true);
    w.resize(700, 820);
    save(w, "dgps_rtcm_vertical.png");
    w.updateButton()->click();
    EXPECT_EQ(commands.sent.back(), "query RTC");
    w.loggingStarted();
    EXPECT_EQ(commands.sent.back(), "query RTC");
    w.close();
    EXPECT_EQ(commands.sent.back(), "RTCM off");
    EXPECT_EQ(source.closedCount, 1);
    EXPECT_EQ(source.lastClosed, DataWindow::Rtcm);
}

TEST(RtkWindow, TablesScatterPollAndClose) {
    rtk::RtkParser parser;
    views::PlainDisplaySource source;
    source.model = 18;
    FakeCommands commands;
    views::RtkWindow w(parser, source, commands);
    w.resize(900, 620);
    w.opened();
    EXPECT_EQ(commands.sent, (std::vector<std::string>{"RTK on"}));
    EXPECT_FALSE(w.polling());
    for (const auto& l : rtkLines(25))
        w.line(l);
    EXPECT_TRUE(w.polling()) << "the first line while connected starts the poll";
    EXPECT_EQ(cell(w.periodicTable(), 0, 1), "12 : 00 : 24.00");
    EXPECT_EQ(cell(w.periodicTable(), 0, 3), "CBN");
    EXPECT_EQ(cell(w.periodicTable(), 2, 0), "Latitude");
    EXPECT_EQ(cell(w.periodicTable(), 14, 0), "Latency");
    EXPECT_EQ(cell(w.periodicTable(), 14, 1), "") << "a latency never reported stays empty";
    w.line(sentence("PXKTR,LTN,ROV,1,0120"));
    EXPECT_EQ(cell(w.periodicTable(), 14, 1), " 120");
    EXPECT_EQ(cell(w.updateTable(), 0, 1), "Rover");
    EXPECT_EQ(cell(w.updateTable(), 1, 1), "+");
    EXPECT_EQ(cell(w.updateTable(), 8, 1), "Fixed");
    EXPECT_NE(w.warnings()->text().indexOf("BASE:Warning in L1 & L2"), -1);
    EXPECT_GT(w.scatter()->scale(), 0.0);
    EXPECT_LT(w.scatter()->scale(), 100.0) << "departures in metres, not degrees";
    w.poll();
    EXPECT_EQ(commands.sent.back(), "$PXKTQ,CBN");
    source.model = 16;
    const std::size_t before = commands.sent.size();
    w.poll();
    EXPECT_EQ(commands.sent.size(), before) << "model 16 is not polled";
    w.refresh();
    EXPECT_EQ(cell(w.periodicTable(), 2, 0), "Latitude MD");
    source.model = 18;
    w.refresh();
    save(w, "dgps_rtk_horizontal.png");
    w.setVerticalLayout(true);
    w.resize(520, 960);
    save(w, "dgps_rtk_vertical.png");
    w.close();
    EXPECT_FALSE(w.polling());
    EXPECT_EQ(commands.sent.back(), "RTK off");
    EXPECT_EQ(source.lastClosed, DataWindow::Rtk);
}

TEST(RtkWindow, ALogWithoutRtkDataClosesTheWindowAfterTheCall) {
    rtk::RtkParser parser;
    views::PlainDisplaySource source;
    FakeCommands commands;
    commands.open = false;
    auto* w = new views::RtkWindow(parser, source, commands);
    w->setAttribute(Qt::WA_DeleteOnClose);
    w->show();
    parser.indexedLine("nothing");
    EXPECT_FALSE(w->dataLoaded());
    EXPECT_EQ(source.closedCount, 0) << "not inside the call";
    QApplication::processEvents();
    EXPECT_EQ(source.closedCount, 1);
    EXPECT_TRUE(commands.sent.empty()) << "no port: nothing is sent";
}

TEST(RtkWindow, FollowsTheMovieAcrossMidnight) {
    rtk::RtkParser parser;
    views::PlainDisplaySource source;
    FakeCommands commands;
    commands.open = false;
    views::RtkWindow w(parser, source, commands);
    for (const char* t : {"235959.00", "000000.00", "000001.00"}) {
        parser.indexedLine(
            sentence(std::string("GPGGA,") + t + ",5546.1,N,03737.5,E,1,06,0.9,1,M,,M,,"));
        parser.indexedLine(sentence(std::string("PXKTR,VEC,") + t +
                                    ",2,1,0,1,08,09,08,0,0120,0,1,+1.0,-1.0,+0.5,0.01,0.01,0.02"));
    }
    ASSERT_TRUE(w.dataLoaded());
    // The decoder of the viewed log: its stored epochs, and the one on screen.
    EpochDecoder decoder;
    decoder.setViewing(true);
    for (double t : {235959.0, 0.0, 1.0}) {
        PositionRecord r;
        r.utcTime = t;
        decoder.history.positions.push_back(r);
    }
    decoder.epochsCompleted = 3;
    const auto show = [&](int k) {
        decoder.history.writePosition = k;
        w.epochShown(decoder);
        return cell(w.periodicTable(), 0, 1);
    };
    EXPECT_EQ(show(0), "23 : 59 : 59.00");
    EXPECT_EQ(show(1), "00 : 00 : 00.00");
    EXPECT_EQ(show(2), "00 : 00 : 01.00");
    EXPECT_EQ(show(0), "23 : 59 : 59.00") << "back to the first epoch";
    save(w, "dgps_rtk_followed.png");
}

} // namespace

namespace {

std::string run(const std::string& command) {
    std::string out;
    if (FILE* p = popen(command.c_str(), "r")) {
        char buf[4096];
        std::size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, p)) > 0)
            out.append(buf, n);
        pclose(p);
    }
    return out;
}

// Every received line of a log recorded from the simulated receiver, framed as the pump
// frames them.
std::vector<std::string> receivedLines(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    const std::string bytes = ss.str();
    trix::LineFramer framer;
    std::vector<std::string> lines;
    for (char c : bytes) {
        if (c == 0x06 || c == 0x15)
            continue;
        if (framer.push(static_cast<std::uint8_t>(c)))
            lines.emplace_back(framer.line());
    }
    return lines;
}

std::string endBlock(const std::string& dump) {
    const std::size_t at = dump.find("block=end\n");
    return at == std::string::npos ? std::string() : dump.substr(at);
}

TEST(DgpsWindows, FinalStateAgreesWithTheHeadlessDumpOfAnRxsimLog) {
    for (const char* name : {"rxsim_model18.log", "rxsim_model16.log"}) {
        const std::string path = std::string(TRIX_SOURCE_DIR) + "/tests/views/dgps/data/" + name;
        const std::string trixlog = std::string(TRIX_BINARY_DIR) + "/tools/trixlog/trixlog";
        rtcm::RtcmParser rtcmParser;
        rtk::RtkParser rtkParser;
        views::PlainDisplaySource source;
        FakeCommands commands;
        views::RtcmWindow rtcmWindow(rtcmParser, source, commands);
        views::RtkWindow rtkWindow(rtkParser, source, commands);
        for (const std::string& l : receivedLines(path)) {
            rtcmWindow.line(l);
            rtkWindow.line(l);
        }
        const std::string rtcmDump = run(trixlog + " rtcm --live " + path);
        ASSERT_FALSE(rtcmDump.empty()) << name;
        const std::string rtcmEnd = endBlock(rtcmDump);
        // The window keeps no replay arrays live; the state lines after the counts agree.
        const std::string state = rtcm::dumpState(rtcmParser);
        const std::string tail = state.substr(state.find("arrived="));
        EXPECT_EQ(rtcmEnd.substr(rtcmEnd.find("arrived=")), tail + "\n") << name;
        EXPECT_NE(tail.find("gps=4,"), std::string::npos) << name;
        EXPECT_EQ(cell(rtcmWindow.queriedGrid(), 0, 0), "REMOTE") << name;

        const std::string rtkDump = run(trixlog + " rtk --live " + path);
        EXPECT_EQ(endBlock(rtkDump), rtk::dumpEnd(rtkParser, false)) << name;
        EXPECT_GT(rtkParser.scatter().size(), 2u) << name;
    }
}

} // namespace

namespace {

const std::string kTrixlog = std::string(TRIX_BINARY_DIR) + "/tools/trixlog/trixlog";
const std::string kData = std::string(TRIX_SOURCE_DIR) + "/tests/views/dgps/data/";

TEST(TrixlogDgps, ErrorsAndExitCodes) {
    const std::string missing = std::string(TRIX_BINARY_DIR) + "/no_such_dir/none.log";
    EXPECT_EQ(run(kTrixlog + " rtk " + missing + " 2>&1; echo rc=$?"),
              "File \n" + missing + "\ncould not be opened !\nrc=1\n");
    for (const char* args :
         {"", " --model 99 x.log", " a.log b.log", " --live --follow a.log", " --bogus a.log"}) {
        EXPECT_NE(run(kTrixlog + " rtcm" + args + " 2>&1; echo rc=$?").find("usage: trixlog rtcm"),
                  std::string::npos)
            << args;
        EXPECT_NE(run(kTrixlog + " rtk" + args + " 2>/dev/null; echo rc=$?").find("rc=2"),
                  std::string::npos)
            << args;
    }
}

TEST(TrixlogDgps, FollowPrintsOneLinePerEpoch) {
    const std::string rtk =
        run(kTrixlog + " rtk " + kData + "rxsim_model16.log --model 16 --follow");
    EXPECT_NE(rtk.find("follow=1,120000.00,"), std::string::npos);
    EXPECT_NE(rtk.find("\nclosed=0\n"), std::string::npos);
    const std::string rtcm =
        run(kTrixlog + " rtcm " + kData + "rxsim_model18.log --model 18 --follow");
    EXPECT_NE(rtcm.find("follow=1,120000.00,1,2\nfollow=2,120001.00,-,3\n"), std::string::npos);
    EXPECT_NE(rtcm.find("block=answer 1\nline="), std::string::npos);
    // A log without RTK data: the window would close, so nothing follows.
    const std::string empty = std::string(TRIX_BINARY_DIR) + "/dgps_empty.log";
    std::ofstream(empty) << "$GPGGA,120000.00,5546.1,N,03737.5,E,1,06,0.9,1,M,,M,,*4D\r\n";
    const std::string none = run(kTrixlog + " rtk " + empty + " --model 18 --follow");
    EXPECT_NE(none.find("\nrecords=0\n"), std::string::npos);
    EXPECT_NE(none.find("\nclosed=1\n"), std::string::npos);
    EXPECT_EQ(none.find("follow="), std::string::npos);
}

} // namespace
