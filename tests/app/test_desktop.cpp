// The desktop conventions of the main window and the faults a new user met: quitting while a
// log session records, the port remembered after Disconnect, placements that no longer fit the
// screen, the Window menu.

#include "../link/pty_pair.h"
#include "app/connect/connection_dialog.h"
#include "app/core/placement.h"
#include "main_window.h"
#include "trix_application.h"
#include "window_menu.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include "scripted_interaction.h"
#include "scripted_messages.h"

using namespace trix;
using namespace trix::app;

class DesktopTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> tmp_;
    StartOptions options() const {
        StartOptions o;
        o.profilePath = (tmp_->path() + "/config/Trix32.ini").toStdString();
        o.dataHome = (tmp_->path() + "/data").toStdString();
        o.shippedReceiver = (tmp_->path() + "/shipped").toStdString();
        return o;
    }

private slots:
    void init() { tmp_ = std::make_unique<QTemporaryDir>(); }

    void quitWhileRecordingAsksFirst() {
        TrixApplication app(options());
        test::ScriptedMessages m;
        test::ScriptedInteraction ui;
        MainWindow frame(app, &m, &ui);
        frame.show();
        int second = 0;
        ui.time = [&second] { return ClockTime{11, 0, second++ % 60}; };
        frame.onEmulation();
        frame.onPerformLogSession();
        QVERIFY(frame.session().recorder().sessionRunning());

        // No: the program stays and keeps recording.
        m.answers = {Answer::No};
        QVERIFY(!frame.close());
        QVERIFY(m.saw("A log session is recording."));
        QVERIFY(frame.isVisible());
        QVERIFY(frame.session().recorder().sessionRunning());

        // Yes: the session ends and the window closes.
        m.shown.clear();
        m.answers = {Answer::Yes};
        QVERIFY(frame.close());
        QVERIFY(m.saw("A log session is recording."));
        QVERIFY(!frame.session().recorder().sessionRunning());
    }

    void quitWithoutRecordingDoesNotAsk() {
        TrixApplication app(options());
        test::ScriptedMessages m;
        test::ScriptedInteraction ui;
        MainWindow frame(app, &m, &ui);
        frame.show();
        QVERIFY(frame.close());
        QVERIFY(!m.saw("A log session is recording."));
    }

    void portUsedLastIsOfferedAndStored() {
        linktest::PtyPair pty;
        const std::string missing = tmp_->path().toStdString() + "/no-such-tty";
        int com = 0;
        {
            TrixApplication app(options());
            test::ScriptedMessages m;
            test::ScriptedInteraction ui;
            MainWindow frame(app, &m, &ui);
            frame.session().pumpPeriodMs = 20;
            frame.session().extraDevices = {pty.slave(), missing};
            com = frame.session().devices().comNumber(pty.slave());
            QVERIFY(com > 0);
            ConnectionChoices c;
            c.comChoice = com;
            c.manualConnect = true;
            c.settings = link::kPlainPortSettings;
            c.useDefaultSettings = true;
            ui.connection = [c] { return std::optional<ConnectionChoices>(c); };
            frame.onConnect();
            QVERIFY(frame.session().link().portOpen());
            // The named device that cannot be opened is not dropped without a word.
            QVERIFY(
                m.saw("The device " + missing + " cannot be opened: No such file or directory"));

            frame.onDisconnect();
            QVERIFY(!frame.session().link().portOpen());
            ui.connection = [] { return std::optional<ConnectionChoices>(); };
            frame.onConnect();
            QCOMPARE(ui.offered.comNumber, 0);
            QCOMPARE(ui.offered.preferredCom, com);
            // The dialog shows the port just used, not the first one.
            ConnectionDialog dialog(ui.offered);
            QCOMPARE(dialog.portList()->currentData().toInt(), com);
            QVERIFY(frame.close());
            QVERIFY(app.saveProfile());
        }
        // The profile keeps the port; "Connect with last settings" connects with it.
        TrixApplication again(options());
        QCOMPARE(again.settings().comNumber, com);
        test::ScriptedMessages m;
        test::ScriptedInteraction ui;
        MainWindow frame(again, &m, &ui);
        frame.session().pumpPeriodMs = 20;
        frame.session().extraDevices = {pty.slave()};
        QCOMPARE(frame.session().devices().comNumber(pty.slave()), com);
        QVERIFY(!frame.session().link().portOpen());
        frame.connectWithLastSettings();
        QVERIFY(frame.session().link().portOpen());
        QCOMPARE(frame.session().link().comNumber, com);
        frame.onDisconnect();
    }
    void placementsAreFittedInsideTheArea() {
        // Stored on a wider screen: moved back inside, its size kept.
        PlacedRect p = fitPlacement(WindowPlacement{1700, 900, 2300, 1300, kShowNormal}, 1280, 800);
        QCOMPARE(p.width, 600);
        QCOMPARE(p.height, 400);
        QCOMPARE(p.left, 680);
        QCOMPARE(p.top, 400);
        // Larger than the area: shrunk to it, at its corner.
        p = fitPlacement(WindowPlacement{-50, 20, 3000, 2000, kShowNormal}, 1280, 800);
        QCOMPARE(p.left, 0);
        QCOMPARE(p.top, 0);
        QCOMPARE(p.width, 1280);
        QCOMPARE(p.height, 800);
        // A placement that fits stays as it was.
        p = fitPlacement(WindowPlacement{10, 20, 410, 320, kShowNormal}, 1280, 800);
        QCOMPARE(p.left, 10);
        QCOMPARE(p.top, 20);
        QCOMPARE(p.width, 400);
        QCOMPARE(p.height, 300);
    }

    void mainWindowStoredOffScreenOrTooLargeComesBackVisible() {
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        const int w = screen.width(), h = screen.height();
        // Off the screen (stored on a larger one), and larger than the screen.
        const std::pair<WindowPlacement, QSize> cases[] = {
            {{w + 500, h + 300, w + 1100, h + 700, kShowNormal}, QSize(600, 400)},
            {{-300, -200, 3 * w, 3 * h, kShowNormal}, screen.size()},
        };
        for (const auto& [stored, size] : cases) {
            {
                TrixApplication app(options());
                writePlacement(app.profile(), "MainWin", stored);
                QVERIFY(app.saveProfile());
            }
            TrixApplication app(options());
            test::ScriptedMessages m;
            test::ScriptedInteraction ui;
            MainWindow frame(app, &m, &ui);
            QVERIFY2(screen.contains(frame.geometry()), qPrintable(QString("%1,%2 %3x%4")
                                                                       .arg(frame.geometry().left())
                                                                       .arg(frame.geometry().top())
                                                                       .arg(frame.width())
                                                                       .arg(frame.height())));
            QCOMPARE(frame.geometry().size(), size.boundedTo(screen.size()));
        }
    }

    void windowMenuListsWindowsAndResetsTheLayout() {
        TrixApplication app(options());
        test::ScriptedMessages m;
        test::ScriptedInteraction ui;
        MainWindow frame(app, &m, &ui);
        frame.resize(900, 650);
        frame.show();
        QMenu* win = nullptr;
        for (QAction* a : frame.menuBar()->actions())
            if (a->text() == "&Window")
                win = a->menu();
        QVERIFY(win);
        auto* menu = frame.findChild<WindowMenu*>();
        QVERIFY(menu);
        // Two windows, one of them stored far outside a small main window.
        auto* first = new QLabel("first");
        first->setWindowTitle("First window");
        auto* second = new QLabel("second");
        second->setWindowTitle("Second window");
        QMdiSubWindow* a = frame.mdiArea()->addSubWindow(first);
        QMdiSubWindow* b = frame.mdiArea()->addSubWindow(second);
        a->show();
        b->show();
        b->setGeometry(3000, 2000, 400, 300);
        writePlacement(app.profile(), "Sky Chart", WindowPlacement{3000, 2000, 3400, 2300, 1});
        frame.mdiArea()->setActiveSubWindow(a);
        menu->listWindows();
        QStringList texts;
        for (QAction* x : win->actions())
            texts << x->text();
        QVERIFY2(texts.contains("&1 First window") && texts.contains("&2 Second window"),
                 qPrintable(texts.join('|')));
        QVERIFY(texts.contains("Reset window layout"));
        QVERIFY(texts.contains("&Cascade") && texts.contains("&Tile"));
        QVERIFY(texts.contains("Ne&xt Window"));
        for (QAction* x : win->actions()) {
            if (x->text() == "&1 First window")
                QVERIFY(x->isChecked());
            if (x->text() == "&2 Second window") {
                QVERIFY(!x->isChecked());
                x->trigger();
            }
        }
        QCOMPARE(frame.mdiArea()->activeSubWindow(), b);
        // Listing again does not repeat the entries.
        menu->listWindows();
        int listed = 0;
        for (QAction* x : win->actions())
            listed += x->text().endsWith(" window") ? 1 : 0;
        QCOMPARE(listed, 2);

        menu->resetLayout();
        QVERIFY(!readPlacement(app.profile(), "Sky Chart").stored());
        const QRect area = frame.mdiArea()->viewport()->rect();
        QVERIFY(area.contains(a->geometry()));
        QVERIFY(area.contains(b->geometry()));
        QVERIFY(!win->actions().isEmpty());
        for (QAction* x : win->actions())
            if (x->text() == "Reset window layout")
                QVERIFY(!x->statusTip().isEmpty());
        win->popup(frame.mapToGlobal(QPoint(200, 30)));
        QTest::qWait(50);
        QVERIFY(frame.grab().save(QString(TRIX_BINARY_DIR) + "/trix32-window-menu.png"));
        QVERIFY(win->grab().save(QString(TRIX_BINARY_DIR) + "/trix32-window-menu-open.png"));
        win->hide();
    }
};

QTEST_MAIN(DesktopTest)
#include "test_desktop.moc"
