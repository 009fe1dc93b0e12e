// The RTCM and RTK windows in the program, end to end against rxsim on a pseudo-terminal: both
// open on a connected receiver, the answers fill their tables, a log session asks the query
// sets again, closing one window leaves the other's outputs on; the recorded log, viewed,
// enables both View commands and the windows follow the epoch counter.

#include "app/connect/initialization_dialog.h"
#include "app/core/command_state.h"
#include "dgps_parsers.h"
#include "epoch_counter.h"
#include "logs/playback.h"
#include "main_window.h"
#include "session.h"
#include "trix_application.h"
#include "views/print/print_frame.h"
#include "views/rtcm/rtcm_factory.h"
#include "views/rtcm/rtcm_texts.h"
#include "views/rtcm/rtcm_window.h"
#include "views/rtk/rtk_factory.h"
#include "views/rtk/rtk_table.h"
#include "views/rtk/rtk_window.h"

#include "../link/pty_pair.h"
#include "connected_frame.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>

#include <algorithm>
#include <filesystem>

using namespace trix;
using namespace trix::app;
using test::grabPath;

namespace {

// The commands the program sends, as the terminal would list them.
class SentCommands : public TrafficListener {
public:
    void traffic(int direction, std::string_view text) override {
        if (direction == 0)
            sent.emplace_back(text);
    }
    int count(std::string_view part, std::size_t from = 0) const {
        return static_cast<int>(std::count_if(
            sent.begin() + static_cast<std::ptrdiff_t>(std::min(from, sent.size())), sent.end(),
            [part](const std::string& s) { return s.find(part) != std::string::npos; }));
    }
    std::vector<std::string> sent;
};

QString cell(const QTableWidget* t, int row, int column) {
    const QTableWidgetItem* i = t->item(row, column);
    return i ? i->text() : QString();
}

// The first row whose first column is `label`, or -1.
int rowOf(const QTableWidget* t, const QString& label) {
    for (int r = 0; r < t->rowCount(); ++r)
        if (cell(t, r, 0) == label)
            return r;
    return -1;
}

template <class W> W* windowOf(MainWindow& frame, DataWindow kind) {
    return qobject_cast<W*>(frame.window(kind));
}

} // namespace

class DgpsConnectTest : public QObject, public test::ConnectedFrame {
    Q_OBJECT

    // What the windows must show for the epoch the counter shows now: the RTK record's time and
    // the RTCM message epoch's first header row, each the first entry not before the epoch (the
    // last one past the end).
    void expectFollowing(const char* how, views::RtcmWindow& rtcm, views::RtkWindow& rtk) {
        Session& session = frame_->session();
        const EpochDecoder& d = *session.decoder();
        const double u = dgps::nearest(d.pos.utcTime, session.dgps().rtk().clock().firstPosition());
        const auto& history = session.dgps().rtk().history();
        int record = session.dgps().rtk().recordFor(u);
        if (record < 0)
            record = static_cast<int>(history.size()) - 1;
        const int utc = rowOf(rtk.periodicTable(), "UTC time");
        const auto rows =
            rtk::periodicRows(history[static_cast<std::size_t>(record)], session.link().modelIndex);
        QVERIFY2(utc >= 0 && cell(rtk.periodicTable(), utc, 1).toStdString() ==
                                 rows[static_cast<std::size_t>(utc)].value,
                 how);
        const auto& messageEpochs = session.dgps().rtcm().messageEpochs();
        int e = session.dgps().rtcm().messageEpochFor(
            dgps::nearest(d.pos.utcTime, session.dgps().rtcm().clock().firstPosition()));
        if (e < 0)
            e = static_cast<int>(messageEpochs.size()) - 1;
        const auto headers = rtcm::headerRows(messageEpochs[static_cast<std::size_t>(e)].messages);
        QVERIFY2(rtcm.headerGrid()->rowCount() == static_cast<int>(headers.size()), how);
        for (std::size_t c = 0; c < headers.front().size(); ++c)
            QVERIFY2(cell(rtcm.headerGrid(), 0, static_cast<int>(c)).toStdString() ==
                         headers.front()[c],
                     how);
    }

    void followEveryWay(EpochCounter& counter, views::RtcmWindow& rtcm, views::RtkWindow& rtk,
                        int epochs) {
        const EpochDecoder& d = *frame_->session().decoder();
        const int utc = rowOf(rtk.periodicTable(), "UTC time");
        auto settle = [] {
            QApplication::processEvents();
            QTest::qWait(20);
        };
        // A jump from the first epoch to the last one shows the last record, not the first.
        counter.playback()->stepTo(0); // false when the file opened there
        settle();
        QCOMPARE(d.history.writePosition, 0);
        const QString first = cell(rtk.periodicTable(), utc, 1);
        expectFollowing("first", rtcm, rtk);
        counter.numberField()->setText(QString::number(epochs));
        QTest::keyClick(counter.numberField(), Qt::Key_Return);
        settle();
        QCOMPARE(d.history.writePosition, epochs - 1);
        QVERIFY(cell(rtk.periodicTable(), utc, 1) != first);
        expectFollowing("number", rtcm, rtk);

        counter.numberField()->setText("3");
        QTest::keyClick(counter.numberField(), Qt::Key_Return);
        settle();
        expectFollowing("number back", rtcm, rtk);
        counter.scrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
        settle();
        QCOMPARE(d.history.writePosition, 12);
        expectFollowing("scroll page", rtcm, rtk);
        counter.scrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
        settle();
        expectFollowing("scroll line", rtcm, rtk);
        counter.scrollBar()->setSliderPosition(epochs / 2);
        settle();
        QCOMPARE(d.history.writePosition, epochs / 2);
        expectFollowing("thumb", rtcm, rtk);

        counter.setFocus();
        QTest::keyClick(&counter, Qt::Key_Right);
        settle();
        expectFollowing("right key", rtcm, rtk);
        QTest::keyClick(&counter, Qt::Key_End);
        settle();
        QCOMPARE(d.history.writePosition, epochs - 1);
        expectFollowing("end key", rtcm, rtk);
        QTest::keyClick(&counter, Qt::Key_Home);
        settle();
        QCOMPARE(d.history.writePosition, 0);
        QCOMPARE(cell(rtk.periodicTable(), utc, 1), first);
        expectFollowing("home key", rtcm, rtk);

        // The movie: each epoch it shows reaches both windows.
        counter.playButton()->click();
        QVERIFY(d.movieRunning);
        for (int tick = 0; tick < 4; ++tick) {
            const int before = d.history.writePosition;
            QVERIFY(QTest::qWaitFor([&] { return d.history.writePosition != before; }, 3000));
            // The movie has moved on to the next epoch: the windows show the one before it.
            counter.playButton()->click();
            settle();
            expectFollowing("movie", rtcm, rtk);
            counter.playButton()->click();
        }
        counter.playButton()->click();
        QVERIFY(!d.movieRunning);
    }

    void printBothWindows(views::RtcmWindow& rtcm, views::RtkWindow& rtk) {
        const QString pdf = tmp_->path() + "/dgps.pdf";
        print::PrintCommand::Hooks hooks;
        hooks.choosePrinter = [&](QPrinter& printer, QWidget*) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            return true;
        };
        hooks.askChoice = [](print::PrintChoice& c, bool& preview, const QString&, QWidget*) {
            c = print::PrintChoice::ActiveWindow;
            preview = false;
            return true;
        };
        auto* commands = new print::PrintCommands(*frame_, hooks);
        struct Expected {
            QWidget* window;
            const char* title;
            const char* text;
        };
        for (const Expected& e : {Expected{&rtcm, "RTCM DGPS", "Page 1 of 1"},
                                  Expected{&rtk, "RTK", "Departure Plot"}}) {
            frame_->mdiArea()->setActiveSubWindow(
                qobject_cast<QMdiSubWindow*>(e.window->parentWidget()));
            commands->updateCommands();
            QVERIFY2(commands->printAction()->isEnabled(), e.title);
            QFile::remove(pdf);
            QCOMPARE(commands->print(false), 1);
            QProcess text;
            text.start("pdftotext", {"-layout", pdf, "-"});
            QVERIFY(text.waitForFinished(30000));
            const QString printed = QString::fromUtf8(text.readAllStandardOutput());
            QVERIFY2(printed.contains(e.title) && printed.contains(e.text),
                     qPrintable(e.title + QStringLiteral(": ") + printed));
        }
        delete commands;
    }

private slots:
    void initTestCase() {
        views::registerRtcmWindow();
        views::registerRtkWindow();
    }
    void init() { newProfile(); }
    void cleanup() { closeFrame(); }

    void liveWindowsThenTheirLog() {
        auto rx = std::make_unique<linktest::Rxsim>(
            std::vector<std::string>{"--model", "4", "--port-letter", "B", "--period-ms", "200"});
        makeFrame(rx->device()).resize(1400, 1000);
        Session& session = frame_->session();
        SentCommands commands;
        session.setListener(Listener::Terminal, &commands);
        QVERIFY(connectAndIdentify(rx->device(), 4));
        if (InitializationDialog* d = session.initDialog())
            d->close();
        QVERIFY(QTest::qWaitFor([&] { return !session.initDialog(); }, 2000));
        QVERIFY(frame_->action(Command::DgpsRtc)->isEnabled());
        QVERIFY(frame_->action(Command::DgpsRtk)->isEnabled());

        // Both windows: the RTCM and RTK output sets go on, the answers fill the tables.
        frame_->action(Command::DgpsRtc)->trigger();
        frame_->action(Command::DgpsRtk)->trigger();
        auto* rtcm = windowOf<views::RtcmWindow>(*frame_, DataWindow::Rtcm);
        auto* rtk = windowOf<views::RtkWindow>(*frame_, DataWindow::Rtk);
        QVERIFY(rtcm && rtk);
        QVERIFY(frame_->action(Command::DgpsRtc)->isChecked());
        QVERIFY(QTest::qWaitFor([&] { return commands.count("$PXKTS,NME,MSG,B,ON") == 2; }, 3000));
        QCOMPARE(commands.count("$PXKTS,NME,GSA,B,ON"), 1);
        QVERIFY(QTest::qWaitFor([&] { return cell(rtcm->queriedGrid(), 0, 0) == "REMOTE"; }, 5000));
        QVERIFY(QTest::qWaitFor([&] { return rtcm->headerGrid()->rowCount() >= 2; }, 5000));
        QVERIFY(QTest::qWaitFor([&] { return rtcm->gpsGrid()->rowCount() > 0; }, 5000));
        QCOMPARE(cell(rtcm->baseGrid(), 0, 0), QStringLiteral("123"));
        QVERIFY(rtcm->baseMessage()->text().contains("BASE 0123 READY"));
        QVERIFY(rtcm->updateButton()->isEnabled());
        QVERIFY(QTest::qWaitFor([&] { return rtk->polling(); }, 3000));
        const int mode = rowOf(rtk->updateTable(), "CPD Mode");
        QVERIFY(mode >= 0);
        QVERIFY(
            QTest::qWaitFor([&] { return cell(rtk->updateTable(), mode, 1) == "Rover"; }, 5000));
        // The CBN poll brings the solution.
        QVERIFY(QTest::qWaitFor([&] { return commands.count("$PXKTQ,CBN") >= 2; }, 5000));
        const int lat = rowOf(rtk->periodicTable(), "Latitude");
        QVERIFY(lat >= 0);
        QVERIFY(QTest::qWaitFor(
            [&] { return cell(rtk->periodicTable(), lat, 1).startsWith(" 55."); }, 5000));

        // A log session asks both query sets again.
        const std::size_t before = commands.sent.size();
        frame_->onPerformLogSession();
        QVERIFY(session.recorder().sessionRunning());
        const std::string log = session.recorder().fileName();
        QVERIFY(QTest::qWaitFor([&] { return commands.count("$PXKTQ,RTC", before) == 1; }, 3000));
        QVERIFY(
            QTest::qWaitFor([&] { return commands.count("$PXKTQ,CPD,INF", before) == 1; }, 3000));
        QTest::qWait(6000);

        frame_->mdiArea()->tileSubWindows();
        QTest::qWait(300);
        frame_->grab().save(grabPath("dgps_live.png"));

        frame_->onPerformLogSession();
        QVERIFY(!session.recorder().sessionRunning());

        // Closing RTK leaves MSG on: the RTCM window still reads it, and its headers go on.
        const std::size_t atClose = commands.sent.size();
        frame_->action(Command::DgpsRtk)->trigger();
        QVERIFY(QTest::qWaitFor([&] { return !frame_->window(DataWindow::Rtk); }, 2000));
        QCOMPARE(commands.count(",OFF", atClose), 0);
        const int parsed = session.dgps().rtcm().lineCount();
        QVERIFY(
            QTest::qWaitFor([&] { return session.dgps().rtcm().lineCount() > parsed + 5; }, 3000));
        QVERIFY(rtcm->headerGrid()->rowCount() >= 2);

        // Closing RTCM switches its own outputs off, the standard ones stay.
        const std::size_t atSecond = commands.sent.size();
        frame_->action(Command::DgpsRtc)->trigger();
        QVERIFY(QTest::qWaitFor([&] { return !frame_->window(DataWindow::Rtcm); }, 2000));
        for (const char* off : {"NME,GSA,B,OFF", "NME,GRS,B,OFF", "NME,GSN,B,OFF", "NME,MSG,B,OFF"})
            QVERIFY2(commands.count(off, atSecond) == 1, off);
        QCOMPARE(commands.count("NME,POS,B,OFF", atSecond), 0);
        frame_->onDisconnect();
        QVERIFY(!session.link().portOpen());
        // The port closes once its switching-off commands have left.
        QVERIFY(QTest::qWaitFor([&] { return !session.link().busy; }, 3000));
        rx.reset();

        // The recorded log: both View commands follow the file's content, both windows open.
        QVERIFY(std::filesystem::exists(log));
        // The recording is named from the model code of the receiver (RX-17, model 4), and the
        // name gives the model back when the file is viewed.
        QCOMPARE(QString::fromStdString(std::filesystem::path(log).filename().string()),
                 QStringLiteral("rx17_001.log"));
        QVERIFY(frame_->viewLogFile(QString::fromStdString(log)));
        QCOMPARE(session.link().modelIndex, 4);
        QVERIFY(session.decoder());
        QVERIFY(session.decoder()->logHasRtcm);
        QVERIFY(session.decoder()->logHasRtk);
        QVERIFY(frame_->action(Command::DgpsRtc)->isEnabled());
        QVERIFY(frame_->action(Command::DgpsRtk)->isEnabled());
        rtcm = windowOf<views::RtcmWindow>(*frame_, DataWindow::Rtcm);
        rtk = windowOf<views::RtkWindow>(*frame_, DataWindow::Rtk);
        QVERIFY(rtcm && rtk);
        QVERIFY(!rtcm->updateButton()->isEnabled());
        QVERIFY(!session.dgps().rtcm().answers().empty());
        QVERIFY(!session.dgps().rtk().history().empty());
        QCOMPARE(cell(rtcm->queriedGrid(), 0, 0), QStringLiteral("REMOTE"));
        QVERIFY(rtcm->headerGrid()->rowCount() >= 1);

        // The windows follow every way of moving the epoch counter.
        EpochCounter* counter = frame_->epochCounter();
        QVERIFY(counter);
        const int epochs = session.decoder()->epochsCompleted;
        QVERIFY(epochs > 20);
        QVERIFY(session.dgps().rtcm().messageEpochs().size() > 1);
        QVERIFY(session.dgps().rtk().history().size() > 1);
        followEveryWay(*counter, *rtcm, *rtk, epochs);

        // Either window prints through the print command: RTCM on numbered pages, RTK with its
        // scatter plot and tables.
        printBothWindows(*rtcm, *rtk);
        // Shown, so that the grab holds every child window.
        frame_->show();
        frame_->resize(1400, 1000);
        frame_->mdiArea()->tileSubWindows();
        QTest::qWait(300);
        frame_->grab().save(grabPath("dgps_viewed.png"));

        // Closing the viewed file closes both windows; the parsers let their replay go.
        session.closeViewedFile();
        QVERIFY(!frame_->window(DataWindow::Rtcm) && !frame_->window(DataWindow::Rtk));
        QVERIFY(session.dgps().rtcm().answers().empty());
        session.setListener(Listener::Terminal, nullptr);
    }
};

QTEST_MAIN(DgpsConnectTest)
#include "test_dgps_connect.moc"
