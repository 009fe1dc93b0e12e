// The session without the main window: the decoder's lifetime by use, the routing of the
// decoder's changes to registered windows, viewing a log file and the emulation, disconnecting
// from rxsim without waiting, with a view and a user that are scripted. And a window closed in
// the main window is unregistered.

#include "../link/pty_pair.h"
#include "app/core/emulator.h"
#include "main_window.h"
#include "session.h"
#include "status_bar.h"
#include "trix_application.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>

#include "scripted_interaction.h"
#include "scripted_messages.h"
#include "temp_profile.h"

#include <fstream>
#include <map>
#include <set>

using namespace trix;
using namespace trix::app;
using test::ScriptedInteraction;
using test::ScriptedMessages;

namespace {

// A window as the registry sees it.
struct Probe : DataWindowClient {
    int epochs = 0, redraws = 0, units = 0;
    std::vector<bool> loaded;
    void epoch(int) override { ++epochs; }
    void redrawAll() override { ++redraws; }
    void unitsChanged() override { ++units; }
    void dataLoaded(bool ok) override { loaded.push_back(ok); }
};

// The main window's part, scripted: opening a window of a kind registers a probe for it.
class ScriptedView : public SessionView {
public:
    Session* session = nullptr;
    std::set<DataWindow> openable{DataWindow::Position, DataWindow::SkyChart};
    std::map<DataWindow, std::unique_ptr<Probe>> open;
    StatusBar status;
    int stateChanges = 0;
    bool counterOpen = false;
    int portChanges = 0;

    void stateChanged() override { ++stateChanges; }
    StatusBar& statusLine() override { return status; }
    bool windowOpen(DataWindow kind) const override { return open.count(kind) != 0; }
    bool canOpenWindow(DataWindow kind) const override { return openable.count(kind) != 0; }
    void toggleWindow(DataWindow kind) override {
        if (open.count(kind)) {
            session->removeWindow(kind);
            open.erase(kind);
            return;
        }
        auto probe = std::make_unique<Probe>();
        if (session->addWindow(kind, probe.get(),
                               Interest().epochs(change::kEpoch).units().dataLoaded()))
            open[kind] = std::move(probe);
    }
    bool epochCounterOpen() const override { return counterOpen; }
    void openEpochCounter() override { counterOpen = true; }
    void closeEpochCounter() override { counterOpen = false; }
    void refreshEpochCounter() override {}
    void portChanged() override { ++portChanges; }
    QWidget* dialogParent() override { return nullptr; }
};

int count(const std::string& text, const std::string& what) {
    int n = 0;
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

} // namespace

class SessionTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> tmp_;
    StartOptions options() const {
        return trix::app::test::optionsIn(*tmp_, (tmp_->path() + "/shipped").toStdString());
    }

private slots:
    void init() { tmp_ = std::make_unique<QTemporaryDir>(); }

    void emulationFeedsTheWindowsItOpensAndReleasesTheDecoder() {
        TrixApplication app(options());
        app.settings().activateIndicator = 0;
        ScriptedMessages m;
        ScriptedInteraction ui;
        ScriptedView view;
        Session session(app, m, ui, view);
        view.session = &session;
        QVERIFY(session.decoder() == nullptr);

        session.startEmulation();
        QVERIFY(session.link().emulationActive);
        QVERIFY(session.decoder() != nullptr);
        QCOMPARE(view.open.size(), 2u); // the sky chart and the position window
        QVERIFY(view.counterOpen);
        QCOMPARE(session.dataWindowCount(), 3); // two windows and the emulation itself
        Probe& position = *view.open[DataWindow::Position];
        const int before = position.epochs;
        for (int i = 0; i < 3; ++i) {
            ui.time = [i] { return ClockTime{10, 0, i}; };
            session.emulationTick();
        }
        QCOMPARE(session.decoder()->epochsCompleted, 3);
        QCOMPARE(position.epochs, before + 3);

        // Units reach the listening windows and the decoder.
        UnitSelection u = app.units();
        u.altitude = 1;
        session.unitsChanged(u);
        QCOMPARE(position.units, 1);
        QCOMPARE(position.redraws, 0); // the probe does not listen to redraws
        QCOMPARE(session.decoder()->units().altitude, 1);

        // Closing one window releases its use only; a closed window hears nothing.
        view.toggleWindow(DataWindow::SkyChart);
        QCOMPARE(session.dataWindowCount(), 2);
        QCOMPARE(session.registry().size(), 2u); // the position probe and the epoch status
        session.stopEmulation();
        QVERIFY(view.open.empty());
        QVERIFY(session.decoder() == nullptr);
        QCOMPARE(session.dataWindowCount(), 0);
        QCOMPARE(session.registry().size(), 1u);
        QVERIFY(view.stateChanges > 0);
    }

    void viewingAskedForFileTellsTheWindowsItWasLoaded() {
        TrixApplication app(options());
        ScriptedMessages m;
        ScriptedInteraction ui;
        ScriptedView view;
        Session session(app, m, ui, view);
        view.session = &session;

        const std::string path = tmp_->path().toStdString() + "/sub/../r04_001.log";
        {
            std::ofstream out(tmp_->path().toStdString() + "/r04_001.log", std::ios::binary);
            Emulator e(0, defaultRandomSource(11));
            for (int i = 0; i < 4; ++i) {
                EmulationInputs in;
                in.localTime = {10, 0, i};
                e.tick(
                    in, [&](std::string_view s) { out << s << "\r\n"; },
                    [] {
                        return std::array<int, 3>{1, 2, 3};
                    });
            }
        }
        QDir().mkpath(tmp_->path() + "/sub");
        // Cancelled: nothing happens.
        session.chooseLogFile();
        QVERIFY(!session.link().viewFileMode);
        ui.logFile = [path] { return path; };
        session.chooseLogFile();
        QVERIFY(session.link().viewFileMode);
        QCOMPARE(session.decoder()->epochsCompleted, 4);
        QCOMPARE(session.state().viewedFileName, std::string("r04_001.log"));
        QCOMPARE(session.viewedFile(), tmp_->path().toStdString() + "/r04_001.log");
        QCOMPARE(app.settings().dirForFileOpenDlg, tmp_->path().toStdString() + "/");
        // The file was read before the windows opened; each then draws the whole file.
        QVERIFY(view.open.count(DataWindow::Position));
        QVERIFY(view.open[DataWindow::Position]->epochs >= 1);
        QVERIFY(view.counterOpen);

        session.closeViewedFile();
        QVERIFY(!session.link().viewFileMode);
        QVERIFY(view.open.empty());
        QVERIFY(session.decoder() == nullptr);
    }

    // Disconnect returns at once and the link is busy until the port has closed; a connection
    // asked for meanwhile waits for it; quitting meanwhile still sends the switching-off
    // commands before the session is gone.
    void disconnectingDoesNotWaitAndQuittingStillSendsTheOffCommands() {
        const std::string rxLog = tmp_->path().toStdString() + "/rx.log";
        linktest::Rxsim rx({"--model", "8", "--port-letter", "B", "--rx-log", rxLog});
        TrixApplication app(options());
        ScriptedMessages m;
        ScriptedInteraction ui;
        ScriptedView view;
        auto session = std::make_unique<Session>(app, m, ui, view);
        view.session = session.get();
        session->extraDevices = {rx.device()};
        const auto connectB = [&] {
            LinkState& link = session->link();
            link.comNumber = session->devices().comNumber(rx.device());
            link.portSettings = link::kPlainPortSettings;
            QVERIFY(session->openPort());
            link.modelIndex = 8;
            link.receiverPort = 'B';
            link.turnOffOnDetach = true;
        };
        connectB();

        QElapsedTimer took;
        took.start();
        session->disconnect();
        QVERIFY(took.elapsed() < 40);
        QVERIFY(!session->link().portOpen());
        QVERIFY(session->disconnecting());
        QVERIFY(session->state().busy); // Connect, Disconnect and the port's commands are off
        int asked = 0;
        ui.connection = [&] {
            ++asked;
            return std::optional<ConnectionChoices>();
        };
        session->connectCommand();
        QCOMPARE(asked, 0); // the device may still be held: the dialog waits
        QVERIFY(QTest::qWaitFor([&] { return !session->disconnecting(); }, 3000));
        QVERIFY(!session->state().busy);
        QVERIFY(QTest::qWaitFor([&] { return asked == 1; }, 1000));
        QTest::qWait(100);
        std::string sent = linktest::readFile(rxLog);
        QVERIFY(sent.find("$PXKTS,NME,ALL,B,OFF") < sent.find("$PXKTS,OUT,B*"));

        // Quitting while the port still closes: no event loop runs any more, the commands
        // leave all the same.
        connectB();
        session->link().receiverPort = 'B';
        session->disconnect();
        QVERIFY(session->disconnecting());
        session.reset();
        QTest::qWait(150);
        sent = linktest::readFile(rxLog);
        QCOMPARE(count(sent, "$PXKTS,OUT,B*"), 2);
    }

    void aWindowClosedInTheMainWindowIsUnregistered() {
        TrixApplication app(options());
        ScriptedMessages m;
        ScriptedInteraction ui;
        MainWindow frame(app, &m, &ui);
        Probe probe;
        auto* widget = new QWidget;
        QVERIFY(frame.registerWindow(DataWindow::Rtcm, widget, &probe,
                                     Interest().epochs(change::kEpoch).units()));
        QVERIFY(frame.session().registry().contains(probe));
        QCOMPARE(frame.window(DataWindow::Rtcm), widget);
        frame.session().registry().unitsChanged();
        QCOMPARE(probe.units, 1);
        frame.windowClosed(DataWindow::Rtcm);
        QVERIFY(!frame.session().registry().contains(probe));
        QVERIFY(frame.window(DataWindow::Rtcm) == nullptr);
        QVERIFY(frame.session().decoder() == nullptr);
        frame.session().registry().unitsChanged();
        QCOMPARE(probe.units, 1);
        delete widget;
    }
};

QTEST_MAIN(SessionTest)
#include "test_session.moc"
