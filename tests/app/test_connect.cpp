// Connecting a receiver in the program, end to end against rxsim on a pseudo-terminal: the
// connection dialog driven as a user drives it, detection and the initialization file in the
// initialization dialog, live epochs, a log session, the baud follow-up, disconnecting, a
// device that vanishes, and the rules of the dialogs themselves.

#include "../link/pty_pair.h"
#include "app/connect/auto_manual_dialog.h"
#include "app/connect/connection_dialog.h"
#include "app/connect/connection_rules.h"
#include "app/connect/initialization_dialog.h"
#include "app/connect/port_activity_window.h"
#include "app/connect/port_settings_dialog.h"
#include "base/strings.h"
#include "main_window.h"
#include "startup_dialog.h"
#include "status_bar.h"
#include "trix_application.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "connected_frame.h"
#include "gap_watch.h"

#include <deque>
#include <filesystem>
#include <fstream>

using namespace trix;
using namespace trix::app;
using test::grabPath;

namespace {

// A data window as the display windows are: registers with the frame, reports its closing.
class DummyWindow : public QWidget, public DataWindowClient {
public:
    explicit DummyWindow(MainWindow& frame) : frame_(frame) {}
    void epoch(int) override { ++epochs; }
    int epochs = 0;

protected:
    void closeEvent(QCloseEvent*) override { frame_.windowClosed(DataWindow::Position); }

private:
    MainWindow& frame_;
};

// Every received line, as the terminal would list it.
class LineCollector : public TrafficListener {
public:
    void traffic(int direction, std::string_view text) override {
        if (direction == 1)
            lines.emplace_back(text);
    }
    bool has(std::string_view part) const {
        for (const auto& l : lines)
            if (l.find(part) != std::string::npos)
                return true;
        return false;
    }
    std::vector<std::string> lines;
};

int count(const std::string& text, const std::string& what) {
    int n = 0;
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

} // namespace

class ConnectTest : public QObject, public test::ConnectedFrame {
    Q_OBJECT

    bool waitIdentified(int ms = 8000) {
        return QTest::qWaitFor([this] { return frame_->session().link().modelIndex >= 1; }, ms);
    }

private slots:
    void init() { newProfile(); }
    void cleanup() { closeFrame(); }

    void dialogRules() {
        // A receiver being connected offers "Reconnect", enabled only for a file run on an
        // identified model; toggling the file box then decides alone.
        GpsDlgState s;
        s.modelIndex = 8;
        s.comNumber = 1;
        s.filesListed = true;
        GpsDlgEnabling e = gpsDlgEnabling(s, false);
        QVERIFY(e.reconnectLabel);
        QVERIFY(!e.connect);
        QVERIFY(e.disconnect);
        QVERIFY(!e.portSetup);
        QVERIFY(!e.manual);
        s.initFromFile = true;
        QVERIFY(gpsDlgEnabling(s, false).connect);
        s.modelIndex = 1;
        QVERIFY(!gpsDlgEnabling(s, false).connect);
        QVERIFY(gpsDlgEnabling(s, true).connect);
        s.initFromFile = false;
        QVERIFY(!gpsDlgEnabling(s, true).connect);
        // Nothing connected: "Connect", port setup unless the default setting is chosen,
        // manual connect switches the file choices off.
        s = GpsDlgState{};
        s.filesListed = true;
        e = gpsDlgEnabling(s, false);
        QVERIFY(e.connect && !e.reconnectLabel && !e.disconnect && e.portSetup && e.initBox);
        s.useDefaultSettings = true;
        s.manualConnect = true;
        s.initFromFile = true;
        e = gpsDlgEnabling(s, false);
        QVERIFY(!e.portSetup && !e.initBox && !e.fileList && !e.turnOff && e.manual);
        s.filesListed = false;
        s.manualConnect = false;
        QVERIFY(!gpsDlgEnabling(s, false).fileList);

        // The file list: both folders, the user's first, sorted; the last used is selected.
        QDir(tmp_->path()).mkpath("user");
        std::ofstream((tmp_->path() + "/user/zz.GPS").toStdString()) << "$PXKTS,A\n";
        std::ofstream((tmp_->path() + "/user/rx13.gps").toStdString()) << "$PXKTS,B\n";
        std::ofstream((tmp_->path() + "/user/notes.txt").toStdString()) << "x\n";
        auto files = listInitFiles({(tmp_->path() + "/user").toStdString(),
                                    std::string(TRIX_SOURCE_DIR) + "/share/RECEIVER", ""});
        QCOMPARE(std::count(files.begin(), files.end(), std::string("rx13.gps")), 1L);
        QCOMPARE(files.back(), std::string("zz.GPS"));
        QVERIFY(std::find(files.begin(), files.end(), "notes.txt") == files.end());
        QCOMPARE(initFileSelection(files, "zz.GPS"), static_cast<int>(files.size()) - 1);
        QCOMPARE(initFileSelection(files, "gone.gps"), 0);
        QCOMPARE(initFileSelection({}, "x"), -1);

        // A profile record out of the tables falls back to the default one.
        QCOMPARE(toPortSettings({12, 0, 0, 0, 0, 0, 0}), link::kDefaultPortSettings);
        QCOMPARE(toRecord(toPortSettings({9, 2, 1, 1, 1, 0, 1})),
                 (PortSettingsRecord{9, 2, 1, 1, 1, 0, 1}));
    }

    void portSettingsDialog() {
        // The restricted list with a record at 300 baud selects its last entry, 115200.
        link::PortSettings r = link::kDefaultPortSettings;
        r.baud = 0;
        PortSettingsDialog dlg(3, r, link::baudListFor(12));
        QCOMPARE(dlg.windowTitle(), QString("Com3 Port Settings"));
        QCOMPARE(dlg.baudBox()->count(), 6);
        QCOMPARE(dlg.baudBox()->currentText(), QString("115200"));
        QVERIFY(dlg.rtsCtsBox()->isChecked());
        dlg.baudBox()->setCurrentIndex(1);
        dlg.parityBox()->setCurrentIndex(2);
        QTest::mouseClick(dlg.rtsCtsBox(), Qt::LeftButton);
        QTest::mouseClick(dlg.xonXoffBox(), Qt::LeftButton);
        const link::PortSettings out = dlg.record();
        QCOMPARE(out.baud, 4); // 4800
        QCOMPARE(out.parity, 2);
        QCOMPARE(out.rtsCts, 0);
        QCOMPARE(out.xonXoff, 1);
        PortSettingsDialog full(1, link::kDefaultPortSettings, link::baudListFor(8));
        QCOMPARE(full.baudBox()->count(), 10);
        QCOMPARE(full.baudBox()->currentText(), QString("9600"));
    }

    void portActivityLights() {
        PortActivityWindow::Info info;
        PortActivityWindow w([&info] { return info; });
        QVERIFY(!w.boxesShown());
        info = {2, 8, {}};
        w.portChanged();
        w.traffic(link::Direction::Received, {});
        w.traffic(link::Direction::Note, "ignored");
        QVERIFY(w.receivedLit());
        QVERIFY(!w.writtenLit());
        w.traffic(link::Direction::Sent, {});
        QImage lit = w.grab().toImage();
        QVERIFY(lit.save(grabPath("port_activity.png")));
        // A burst keeps R lit; it goes white within 500 ms of the last line.
        for (int i = 0; i < 6; ++i) {
            QTest::qWait(100);
            w.traffic(link::Direction::Received, {});
            QVERIFY(w.receivedLit());
        }
        QVERIFY(QTest::qWaitFor([&] { return !w.receivedLit() && !w.writtenLit(); }, 1100));
        // The lights are drawn green and blue.
        bool green = false, blue = false;
        for (int y = 0; y < lit.height(); ++y)
            for (int x = 0; x < lit.width(); ++x) {
                QColor c = lit.pixelColor(x, y);
                green = green || c == QColor(0, 192, 0);
                blue = blue || c == QColor(0, 0, 192);
            }
        QVERIFY(green && blue);
    }

    void notRespondingDialog() {
        QString title;
        QTimer::singleShot(0, [&title] {
            if (auto* d = qobject_cast<AutoManualDialog*>(QApplication::activeModalWidget())) {
                title = d->windowTitle();
                d->manualButton()->click();
            }
        });
        QCOMPARE(AutoManualDialog::ask(nullptr), link::NotRespondingChoice::ManualConnect);
        QCOMPARE(title, QString("GPS Receiver not responding"));
    }

    // The whole way: the dialog, detection, the initialization file, epochs, a log session,
    // port activity, and disconnecting with the message-off commands before the port closes.
    void connectIdentifyInitializeAndDisconnect() {
        const std::string rxLog = tmp_->path().toStdString() + "/rx.log";
        linktest::Rxsim rx(
            {"--model", "8", "--port-letter", "B", "--period-ms", "100", "--rx-log", rxLog});
        MainWindow& frame = makeFrame(rx.device());
        const int com = frame.session().devices().comNumber(rx.device());
        QVERIFY(com > 0);

        // The dialog is driven as a user drives it; what it showed is checked once it is gone.
        bool dialogSeen = false;
        QString firstLabel;
        bool disconnectEnabled = true, setupAfterDefault = true, filesAfterBox = false;
        QTimer::singleShot(0, [&] {
            auto* d = qobject_cast<ConnectionDialog*>(QApplication::activeModalWidget());
            if (!d)
                return;
            dialogSeen = true;
            firstLabel = d->connectButton()->text();
            disconnectEnabled = d->disconnectButton()->isEnabled();
            d->portList()->setCurrentIndex(d->portList()->findData(com));
            d->defaultBox()->click();
            setupAfterDefault = d->portSetupButton()->isEnabled();
            d->initBox()->click();
            filesAfterBox = d->fileList()->isEnabled();
            d->fileList()->setCurrentIndex(d->fileList()->findText("default.gps"));
            d->grab().save(grabPath("connection_dialog.png"));
            d->connectButton()->click();
        });
        // The program's own dialog, over what the session offers it.
        QtUserInteraction real(&frame, *messages_);
        ui_->connection = [&] { return real.askConnection(ui_->offered); };
        frame.onConnect();
        QVERIFY(dialogSeen);
        QCOMPARE(firstLabel, QString("Connect"));
        QVERIFY(!disconnectEnabled);
        QVERIFY(!setupAfterDefault);
        QVERIFY(filesAfterBox);
        QVERIFY(frame.session().link().portOpen());
        QCOMPARE(frame.session().link().comNumber, com);
        QCOMPARE(frame.statusBarEx()->paneText(StatusBar::Port), QString("COM%1").arg(com));
        QCOMPARE(frame.statusBarEx()->paneText(StatusBar::Baud), QString("9600"));
        frame.onPortActivity();
        QVERIFY(frame.portActivityWindow());

        QVERIFY(QTest::qWaitFor([&] { return frame.session().initDialog() != nullptr; }, 2000));
        QPointer<InitializationDialog> dlg = frame.session().initDialog();
        QVERIFY(QTest::qWaitFor([&] { return dlg && dlg->run().finished(); }, 10000));
        QCOMPARE(frame.session().link().modelIndex, 8);
        QCOMPARE(frame.session().link().receiverPort, 'B');
        QVERIFY(frame.windowTitle().contains("RX-13"));
        QCOMPARE(dlg->windowTitle(), QString("Initialization complete"));
        QCOMPARE(dlg->statusLabel()->text(), QString("Initialization complete"));
        QCOMPARE(frame.portActivityWindow()->portText(),
                 QString("Port  COM%1  %2").arg(com).arg(QString::fromStdString(rx.device())));
        QCOMPARE(dlg->cancelButton()->text(), QString("OK"));
        QVERIFY(dlg->stopButton()->isHidden() && dlg->autoSelectButton()->isHidden());
        QCOMPARE(frame.statusBarEx()->paneText(StatusBar::Message),
                 QString("Initialization complete"));
        QCOMPARE(app_->settings().initializationFrom, std::string("rx13.gps"));
        dlg->resize(640, 360);
        QVERIFY(dlg->grab().save(grabPath("initialization_dialog.png")));
        // The traffic list shows the queries, the answers and every command of the file.
        QStringList listed;
        for (int i = 0; i < dlg->trafficList()->count(); ++i)
            listed << dlg->trafficList()->item(i)->text();
        const QString all = listed.join('\n');
        QVERIFY(all.contains("> $PXKTQ,PRT*"));
        QVERIFY(all.contains("< $PXKTR,RID,T8"));
        QVERIFY(all.contains("> $PXKTS,POS,1*"));
        QVERIFY(all.contains("<CR><LF>"));
        // Each command of the file went out once, in order, acknowledged before the next.
        QVERIFY(
            QTest::qWaitFor([&] { return count(linktest::readFile(rxLog), "POS,1") == 1; }, 2000));
        std::string sent = linktest::readFile(rxLog);
        QCOMPARE(count(sent, "$PXKTS,ELM,5"), 1);
        QCOMPARE(count(sent, "$PXKTS,PDM,12"), 1);
        QVERIFY(sent.find("ELM") < sent.find("PDM"));
        QTest::mouseClick(dlg->cancelButton(), Qt::LeftButton);
        QVERIFY(QTest::qWaitFor([&] { return dlg.isNull(); }, 2000));
        QVERIFY(frame.session().link().portOpen()); // identified: the port stays open

        // The first data window switches the standard messages on; epochs arrive.
        auto* window = new DummyWindow(frame);
        window->setAttribute(Qt::WA_DeleteOnClose);
        QVERIFY(frame.registerWindow(DataWindow::Position, window, window,
                                     Interest().epochs(change::kEpoch)));
        QVERIFY(
            QTest::qWaitFor([&] { return frame.session().decoder()->epochsCompleted >= 3; }, 5000));
        sent = linktest::readFile(rxLog);
        QVERIFY(sent.find("$PXKTS,NME,SAT,B,ON") != std::string::npos);
        QVERIFY(sent.find("$PXKTS,NME,POS,B,ON") != std::string::npos);
        QVERIFY(window->epochs > 0);
        QVERIFY(frame.statusBarEx()->paneText(StatusBar::Message).length() > 0);
        QVERIFY(QTest::qWaitFor([&] { return frame.portActivityWindow()->receivedLit(); }, 2000));

        // A log session records the received bytes as they come.
        QVERIFY(frame.action(Command::Logging)->isEnabled());
        frame.onPerformLogSession();
        QVERIFY(frame.session().recorder().sessionRunning());
        const int before = frame.session().decoder()->epochsCompleted;
        QVERIFY(QTest::qWaitFor(
            [&] { return frame.session().decoder()->epochsCompleted >= before + 3; }, 5000));
        const std::string logFile = frame.session().recorder().fileName();
        frame.onPerformLogSession();
        QVERIFY(!frame.session().recorder().sessionRunning());
        const std::string logged = linktest::readFile(logFile);
        QVERIFY(count(logged, "$PXKTR,POS") >= 2);
        QVERIFY(logged.find("\r\n") != std::string::npos);

        // Disconnect: windows closed, messages off before the port closes, decoder released.
        // It returns at once; the event loop runs on while the commands leave.
        test::GapWatch watch;
        QElapsedTimer took;
        took.start();
        frame.onDisconnect();
        QVERIFY2(took.elapsed() < 40, qPrintable(QString::number(took.elapsed())));
        QVERIFY(frame.session().disconnecting());
        QVERIFY(!frame.action(Command::Disconnect)->isEnabled());
        QVERIFY(!frame.action(Command::Connect)->isEnabled());
        // The activity window says so at once, with its lights out.
        QVERIFY(!frame.portActivityWindow()->receivedLit());
        QVERIFY(!frame.portActivityWindow()->writtenLit());
        QCOMPARE(frame.portActivityWindow()->portText(), QString("Port  not connected"));
        QVERIFY(QTest::qWaitFor([&] { return !frame.session().disconnecting(); }, 3000));
        QVERIFY(frame.action(Command::Connect)->isEnabled());
        QVERIFY2(watch.longestGapMs() < 60, qPrintable(QString::number(watch.longestGapMs())));
        QVERIFY(!frame.session().link().portOpen());
        QCOMPARE(frame.session().link().comNumber, 0);
        QCOMPARE(frame.session().link().modelIndex, 0);
        QVERIFY(frame.session().decoder() == nullptr);
        QVERIFY(frame.window(DataWindow::Position) == nullptr);
        QVERIFY(frame.statusBarEx()->paneText(StatusBar::Port).isEmpty());
        // Every switching-off command reached the receiver before the port closed.
        QTest::qWait(100);
        sent = linktest::readFile(rxLog);
        QVERIFY(sent.find("$PXKTS,OUT,B*") != std::string::npos);
        QVERIFY(sent.find("$PXKTS,NME,ALL,B,OFF") < sent.find("$PXKTS,OUT,B*"));
        QVERIFY(sent.find("$PXKTS,OUT,B*") < sent.find("$PXKTS,NME,GSA,B,OFF"));
        QVERIFY(!frame.portActivityWindow()->boxesShown());
        // Not blank after Disconnect: the window says no port is connected.
        QCOMPARE(frame.portActivityWindow()->portText(), QString("Port  not connected"));
        QVERIFY(
            frame.portActivityWindow()->grab().save(grabPath("port_activity_disconnected.png")));
    }

    void autoSelectFindsBaudAndHandshaking() {
        linktest::Rxsim rx({"--model", "11", "--baud", "19200", "--rtscts", "--port-letter", "C"});
        MainWindow& frame = makeFrame(rx.device());
        int asked = 0;
        ui_->notResponding = [&] {
            ++asked;
            return link::NotRespondingChoice::AutoSelect;
        };
        frame.session().initTickMs = 25;
        connectWith(choose(rx.device()));
        QVERIFY(waitIdentified(15000));
        QCOMPARE(asked, 1);
        QCOMPARE(frame.session().link().modelIndex, 11);
        QCOMPARE(frame.session().link().portSettings.baud, 6);
        QCOMPARE(frame.session().link().portSettings.rtsCts, 1);
        QCOMPARE(frame.statusBarEx()->paneText(StatusBar::Baud), QString("19200"));
        QVERIFY(messages_->saw("GPS receiver answers at Com setting:\nBaud rate = 19200"));
        // Without a file the dialog finishes at the identification.
        QVERIFY(
            QTest::qWaitFor([&] { return frame.session().initDialog()->run().finished(); }, 2000));
    }

    void manualConnectToPlainNmeaReceiver() {
        linktest::Rxsim rx({"--model", "1", "--on", "--period-ms", "100"});
        MainWindow& frame = makeFrame(rx.device());
        ConnectionChoices c = choose(rx.device());
        c.manualConnect = true;
        connectWith(c);
        QCOMPARE(frame.session().link().modelIndex, 1);
        QVERIFY(frame.windowTitle().contains("Unknown"));
        QTest::qWait(100);
        QVERIFY(frame.session().initDialog() == nullptr);
        auto* window = new DummyWindow(frame);
        window->setAttribute(Qt::WA_DeleteOnClose);
        QVERIFY(frame.registerWindow(DataWindow::Position, window, window,
                                     Interest().epochs(change::kEpoch)));
        QVERIFY(
            QTest::qWaitFor([&] { return frame.session().decoder()->epochsCompleted >= 2; }, 5000));
        QVERIFY(frame.session().decoder()->pos.utcTime > 0);
        QVERIFY(app_->settings().manualConnect == 1);
    }

    void baudChangeFollowUp() {
        const std::string rxLog = tmp_->path().toStdString() + "/rx.log";
        linktest::Rxsim rx({"--model", "8", "--port-letter", "A", "--rx-log", rxLog});
        // (A pseudo-terminal has no line: the speed the program sets is read by rxsim at once,
        // so the follow-up to a change is checked on the link, not on the receiver's answer.)
        MainWindow& frame = makeFrame(rx.device());
        connectWith(choose(rx.device()));
        QVERIFY(waitIdentified());
        QVERIFY(QTest::qWaitFor([&] { return frame.session().initDialog() == nullptr; }, 2000) ||
                frame.session().initDialog()->run().finished());
        if (InitializationDialog* d = frame.session().initDialog())
            d->close();
        QVERIFY(QTest::qWaitFor([&] { return frame.session().initDialog() == nullptr; }, 2000));
        LineCollector lines;
        frame.session().setListener(Listener::Terminal, &lines);

        // Another port of the receiver: the link keeps its speed, nobody is asked.
        messages_->shown.clear();
        QCOMPARE(frame.session().sendCommand("$PXKTS,SPD,B,9"), 1);
        QVERIFY(messages_->shown.empty());
        QCOMPARE(frame.session().link().portSettings.baud, 5);
        // Our port: whether to change the speed is asked; declining keeps the old speed.
        messages_->answers = {Answer::No};
        QCOMPARE(frame.session().sendCommand("$PXKTS,SPD,A,7"), 1);
        QVERIFY(messages_->saw("lost due to port speed change"));
        QCOMPARE(frame.session().link().portSettings.baud, 5);
        // The receiver went to 38400 all the same, as the question warns: its answers are
        // noise until the user sets the port to match.
        QTest::qWait(300);
        QVERIFY(linktest::readFile(rxLog).find("$PXKTS,SPD,A,7") != std::string::npos);
        link::PortSettings matching = frame.session().link().portSettings;
        matching.baud = 7;
        QVERIFY(frame.session().reconfigurePort(matching, true));
        QCOMPARE(frame.statusBarEx()->paneText(StatusBar::Baud), QString("38400"));
        QCOMPARE(frame.session().sendCommand("$PXKTQ,RID"), 1);
        QVERIFY(QTest::qWaitFor([&] { return lines.has("$PXKTR,RID,T8"); }, 3000));
        // The next change is followed on Yes.
        messages_->answers = {Answer::Yes};
        QCOMPARE(frame.session().sendCommand("$PXKTS,SPD,A,9"), 1);
        QCOMPARE(frame.session().link().portSettings.baud, 9);
        QCOMPARE(frame.statusBarEx()->paneText(StatusBar::Baud), QString("115200"));
        frame.session().setListener(Listener::Terminal, nullptr);
    }

    void startupWithLastSettings() {
        linktest::Rxsim rx({"--model", "16", "--port-letter", "D", "--baud", "19200"});
        MainWindow& frame = makeFrame(rx.device());
        Settings& s = app_->settings();
        s.comNumber = frame.session().devices().comNumber(rx.device());
        s.comSet = {6, 0, 0, 0, 0, 0, 0};
        s.initialization = 1;
        s.initializationFrom = "default.gps";
        runStartupChoice(frame, StartupChoice::ConnectLast, false, true);
        QVERIFY(frame.session().link().portOpen());
        QCOMPARE(frame.session().link().portSettings.baud, 6);
        QVERIFY(QTest::qWaitFor([&] { return frame.session().initDialog() != nullptr; }, 2000));
        QVERIFY(
            QTest::qWaitFor([&] { return frame.session().initDialog()->run().finished(); }, 8000));
        QCOMPARE(frame.session().link().modelIndex, 16);
        QCOMPARE(frame.session().link().receiverPort, 'D');
        QCOMPARE(s.initializationFrom, std::string("rx05.gps"));
    }

    void cancellingBeforeIdentificationClosesThePort() {
        linktest::Rxsim rx({"--silent"});
        MainWindow& frame = makeFrame(rx.device());
        ui_->notResponding = [] { return link::NotRespondingChoice::Cancel; };
        connectWith(choose(rx.device()));
        QVERIFY(QTest::qWaitFor([&] { return frame.session().initDialog() != nullptr; }, 2000));
        QVERIFY(frame.session().link().portOpen());
        QTest::mouseClick(frame.session().initDialog()->cancelButton(), Qt::LeftButton);
        QVERIFY(QTest::qWaitFor([&] { return !frame.session().link().portOpen(); }, 2000));
        QVERIFY(std::find(messages_->statuses.begin(), messages_->statuses.end(),
                          "Initialization canceled !") != messages_->statuses.end());
        QCOMPARE(frame.session().link().comNumber, 0);
        QVERIFY(frame.action(Command::Connect)->isEnabled());
        QVERIFY(!frame.action(Command::Disconnect)->isEnabled());
    }

    void deviceVanishingMidSession() {
        auto rx = std::make_unique<linktest::Rxsim>(
            std::vector<std::string>{"--model", "16", "--on", "--period-ms", "50"});
        MainWindow& frame = makeFrame(rx->device());
        ConnectionChoices c = choose(rx->device());
        c.manualConnect = true;
        connectWith(c);
        auto* window = new DummyWindow(frame);
        window->setAttribute(Qt::WA_DeleteOnClose);
        QVERIFY(frame.registerWindow(DataWindow::Position, window, window,
                                     Interest().epochs(change::kEpoch)));
        QVERIFY(QTest::qWaitFor([&] { return frame.session().link().portOpen(); }, 100));
        rx->kill();
        QElapsedTimer t;
        t.start();
        QVERIFY(QTest::qWaitFor([&] { return !frame.session().link().portOpen(); }, 3000));
        QVERIFY(t.elapsed() < 2500);
        QVERIFY(messages_->saw("was lost: the device is gone"));
        QCOMPARE(frame.session().link().comNumber, 0);
        QVERIFY(frame.session().decoder() == nullptr);
        QVERIFY(!frame.session().link().busy);
    }
};

QTEST_MAIN(ConnectTest)
#include "test_connect.moc"
