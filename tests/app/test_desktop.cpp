// The desktop conventions of the main window and the faults a new user met: quitting while a
// log session records, the port remembered after Disconnect, placements that no longer fit the
// screen, the Window menu, log files dropped on the window and the recent ones, ending a viewed
// file or the emulation, the hint of the empty area, Help last with About.

#include "../link/pty_pair.h"
#include "about_dialog.h"
#include "app/connect/connection_dialog.h"
#include "app/core/placement.h"
#include "base/strings.h"
#include "main_window.h"
#include "mdi_area.h"
#include "recent_logs_menu.h"
#include "status_bar.h"
#include "trix_application.h"
#include "window_menu.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDropEvent>
#include <QFile>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include "scripted_interaction.h"
#include "scripted_messages.h"
#include "temp_profile.h"

using namespace trix;
using namespace trix::app;

class DesktopTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> tmp_;
    StartOptions options() const {
        return trix::app::test::optionsIn(*tmp_, (tmp_->path() + "/shipped").toStdString());
    }

    // A copy of a sample log in the test's folder, so the test may delete it. The name begins
    // with the model code, as a recorded log's does.
    QString sampleLog(const QString& name) const {
        const QString path = tmp_->path() + "/" + name;
        QFile::remove(path);
        QFile::copy(QStringLiteral(TRIX_SOURCE_DIR "/data/samples/r04__001.log"), path);
        return path;
    }

    // Drags `urls` over the window and drops them; true when the window took the drag.
    static bool drop(QWidget& target, const QList<QUrl>& urls) {
        QMimeData mime;
        mime.setUrls(urls);
        const QPointF at(target.width() / 2.0, target.height() / 2.0);
        QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&target, &enter);
        QDropEvent dropped(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&target, &dropped);
        return enter.isAccepted() && dropped.isAccepted();
    }

    static QMenu* topMenu(MainWindow& frame, const QString& title) {
        for (QAction* a : frame.menuBar()->actions())
            if (a->text() == title)
                return a->menu();
        return nullptr;
    }

    static QString messagePane(MainWindow& frame) {
        return frame.statusBarEx()->paneText(StatusBar::Message);
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

    void droppedLogFileIsViewedLikeViewLogFile() {
        TrixApplication app(options());
        test::ScriptedMessages m;
        test::ScriptedInteraction ui;
        MainWindow frame(app, &m, &ui);
        frame.resize(800, 600);
        frame.show();
        QVERIFY(frame.acceptDrops());
        const QString first = sampleLog("r04__first.log");
        const QString second = sampleLog("r04__second.LOG");
        const QString text = tmp_->path() + "/notes.txt";
        QVERIFY(QFile::copy(first, text));
        QDir(tmp_->path()).mkdir("folder.log");

        // Not taken: a remote log, a file that is not a log, a folder, a log that is gone.
        for (const QUrl& url : {QUrl("https://example.org/remote.log"), QUrl::fromLocalFile(text),
                                QUrl::fromLocalFile(tmp_->path() + "/folder.log"),
                                QUrl::fromLocalFile(tmp_->path() + "/missing.log")}) {
            QVERIFY2(!drop(frame, {url}), qPrintable(url.toString()));
            QVERIFY(!frame.session().link().viewFileMode);
        }

        // While "View log file..." is disabled (the emulation runs) a log is refused, and the
        // status bar says why.
        frame.onEmulation();
        QVERIFY(!frame.action(Command::ViewLogFile)->isEnabled());
        QVERIFY(!drop(frame, {QUrl::fromLocalFile(first)}));
        QVERIFY(frame.session().link().emulationActive);
        QCOMPARE(messagePane(frame), QString::fromUtf8(str::kDropRefused));
        frame.onEmulation();

        // Two logs and a remote URL: the first log is viewed, and the status bar says so.
        QVERIFY(drop(frame, {QUrl("https://example.org/x.log"), QUrl::fromLocalFile(first),
                             QUrl::fromLocalFile(second)}));
        QVERIFY(frame.session().link().viewFileMode);
        QCOMPARE(QString::fromStdString(frame.session().viewedFile()), first);
        QVERIFY2(
            messagePane(frame).startsWith("2 log files were dropped; only the first, " + first),
            qPrintable(messagePane(frame)));
        // As with View log file, the file joins the recent ones.
        QCOMPARE(frame.recentLogs()->files(), QStringList{first});
        // Dropping another log while one is viewed replaces it.
        QVERIFY(drop(frame, {QUrl::fromLocalFile(second)}));
        QCOMPARE(QString::fromStdString(frame.session().viewedFile()), second);
        QCOMPARE(frame.recentLogs()->files(), (QStringList{second, first}));
    }

    void recentLogFilesAreOfferedAndKept() {
        const QString a = sampleLog("r04__a.log");
        const QString b = sampleLog("r04__b & c.log");
        {
            TrixApplication app(options());
            test::ScriptedMessages m;
            test::ScriptedInteraction ui;
            MainWindow frame(app, &m, &ui);
            QMenu* gps = topMenu(frame, "&GPS");
            QVERIFY(gps);
            RecentLogsMenu* recent = frame.recentLogs();
            // Right below "View log file...", its "Close log file" after it.
            const QList<QAction*> items = gps->actions();
            const qsizetype view = items.indexOf(frame.action(Command::ViewLogFile));
            QVERIFY(view >= 0);
            QCOMPARE(items.at(view + 1), recent->menu()->menuAction());
            QCOMPARE(items.at(view + 2), frame.action(Command::CloseLogFile));

            // View log file... (the dialog answers) and viewing from the command line both
            // count; the newest comes first.
            ui.logFile = [a] { return a.toStdString(); };
            frame.onViewLogFile();
            QVERIFY(frame.viewLogFile(b));
            QCOMPARE(recent->files(), (QStringList{b, a}));
            recent->rebuild();
            QStringList texts;
            for (QAction* x : recent->menu()->actions())
                if (!x->isSeparator())
                    texts << x->text();
            QCOMPARE(texts, (QStringList{"&1 " + QString(b).replace("&", "&&"), "&2 " + a,
                                         "Clear &list"}));
            for (QAction* x : recent->menu()->actions())
                QVERIFY(x->isSeparator() || !x->statusTip().isEmpty());

            // Chosen from the menu: viewed once the menu has closed.
            recent->menu()->actions().at(1)->trigger();
            QTRY_COMPARE(QString::fromStdString(frame.session().viewedFile()), a);
            QCOMPARE(recent->files(), (QStringList{a, b}));

            // The submenu is enabled exactly when View log file is.
            frame.action(Command::CloseLogFile)->trigger();
            frame.onEmulation();
            QVERIFY(frame.session().link().emulationActive);
            QVERIFY(!frame.action(Command::ViewLogFile)->isEnabled());
            QVERIFY(!recent->menu()->menuAction()->isEnabled());
            frame.onEmulation();
            QVERIFY(frame.action(Command::ViewLogFile)->isEnabled());
            QVERIFY(recent->menu()->menuAction()->isEnabled());
            QVERIFY(frame.close());
            QVERIFY(app.saveProfile());
        }
        // The list survives the profile; a file that has gone is said so and leaves it.
        QVERIFY(QFile::remove(a));
        TrixApplication app(options());
        test::ScriptedMessages m;
        test::ScriptedInteraction ui;
        MainWindow frame(app, &m, &ui);
        RecentLogsMenu* recent = frame.recentLogs();
        QCOMPARE(recent->files(), (QStringList{a, b}));
        QVERIFY(!recent->open(0));
        QVERIFY(m.saw("The log file " + a.toStdString() + " no longer exists."));
        QVERIFY(!frame.session().link().viewFileMode);
        QCOMPARE(recent->files(), QStringList{b});
        QVERIFY(recent->open(0));
        QCOMPARE(QString::fromStdString(frame.session().viewedFile()), b);
        recent->clear();
        QVERIFY(recent->files().isEmpty());
        QVERIFY(frame.close());
        QVERIFY(app.saveProfile());
        TrixApplication again(options());
        MainWindow reopened(again, &m, &ui);
        QVERIFY(reopened.recentLogs()->files().isEmpty());
    }

    void closeLogFileAndEndEmulationEndOnlyThat() {
        TrixApplication app(options());
        test::ScriptedMessages m;
        test::ScriptedInteraction ui;
        MainWindow frame(app, &m, &ui);
        frame.show();
        QAction* closeLog = frame.action(Command::CloseLogFile);
        QAction* endEmulation = frame.action(Command::EndEmulation);
        QVERIFY(!closeLog->isEnabled() && !endEmulation->isEnabled());
        QMenu* gps = topMenu(frame, "&GPS");
        QVERIFY(gps->actions().contains(closeLog) && gps->actions().contains(endEmulation));
        QCOMPARE(gps->actions().at(gps->actions().indexOf(frame.action(Command::Emulation)) + 1),
                 endEmulation);
        // An unrelated window stays open through both.
        frame.onPortActivity();
        QVERIFY(frame.portActivityWindow());

        frame.onEmulation();
        QVERIFY(endEmulation->isEnabled());
        QVERIFY(!closeLog->isEnabled());
        QVERIFY(frame.epochCounter());
        endEmulation->trigger();
        QVERIFY(!frame.session().link().emulationActive);
        QVERIFY(!frame.session().decoder());
        QVERIFY(!frame.epochCounter());
        QVERIFY(!endEmulation->isEnabled());
        QCOMPARE(frame.windowTitle(), QString("Orvane Trialix"));
        QVERIFY(frame.portActivityWindow());

        QVERIFY(frame.viewLogFile(sampleLog("r04__viewed.log")));
        QVERIFY(closeLog->isEnabled());
        QVERIFY(!endEmulation->isEnabled());
        closeLog->trigger();
        QVERIFY(!frame.session().link().viewFileMode);
        QVERIFY(!frame.session().decoder());
        QVERIFY(!frame.epochCounter());
        QCOMPARE(frame.session().link().modelIndex, 0);
        QVERIFY(!closeLog->isEnabled());
        QVERIFY(frame.portActivityWindow());
        QVERIFY(frame.action(Command::ViewLogFile)->isEnabled());
        QVERIFY(frame.action(Command::Connect)->isEnabled());
    }

    void emptyAreaSaysWhichWindowShowsTheData() {
        TrixApplication app(options());
        test::ScriptedMessages m;
        test::ScriptedInteraction ui;
        MainWindow frame(app, &m, &ui);
        frame.resize(900, 600);
        frame.show();
        auto* area = qobject_cast<MdiArea*>(frame.mdiArea());
        QVERIFY(area);
        QVERIFY(area->hint().isEmpty());
        const QString hint = QString::fromUtf8(str::kDataWindowHint);
        // The hint names the View menu's commands as the menu shows them.
        QVERIFY(
            hint.contains("View \u25b8 " + frame.action(Command::Position)->text().remove('&')));
        QVERIFY(
            hint.contains("View \u25b8 " + frame.action(Command::SkyChart)->text().remove('&')));

        // A position window of the test's own: a label that registers as one.
        MainWindow::setWindowFactory(DataWindow::Position, [](auto& host) -> QWidget* {
            auto* w = new QLabel("position");
            if (!host.registerWindow(DataWindow::Position, w, nullptr, Interest{})) {
                delete w;
                return nullptr;
            }
            QMdiSubWindow* sub = host.mdiArea()->addSubWindow(w);
            sub->setAttribute(Qt::WA_DeleteOnClose);
            QObject::connect(w, &QObject::destroyed,
                             [&host] { host.windowClosed(DataWindow::Position); });
            sub->show();
            return w;
        });
        app.settings().activateIndicator = 0;
        frame.onEmulation();
        QVERIFY(frame.window(DataWindow::Position));
        QVERIFY(area->hint().isEmpty());
        frame.onToggleView(DataWindow::Position);
        QTRY_VERIFY(!frame.window(DataWindow::Position));
        QCOMPARE(area->hint(), hint);
        QVERIFY(frame.grab().save(QString(TRIX_BINARY_DIR) + "/trix32-data-window-hint.png"));
        frame.onToggleView(DataWindow::Position);
        QVERIFY(area->hint().isEmpty());
        frame.onEmulation();
        QVERIFY(area->hint().isEmpty());
        MainWindow::setWindowFactory(DataWindow::Position, {});
    }

    void helpIsLastWithAboutTheProgramAndQt() {
        TrixApplication app(options());
        test::ScriptedMessages m;
        test::ScriptedInteraction ui;
        MainWindow frame(app, &m, &ui);
        const QList<QAction*> menus = frame.menuBar()->actions();
        QCOMPARE(menus.last()->text(), QString("&Help"));
        QCOMPARE(menus.at(menus.size() - 2)->text(), QString("&Window"));
        QMenu* help = menus.last()->menu();
        QCOMPARE(help->actions().last()->text(), QString("&About Trix32..."));
        bool book = false;
        for (QAction* a : help->actions())
            book = book || a->text() == QString::fromUtf8(str::kWireBookCommand);
        QVERIFY(book);

        AboutDialog about(&frame);
        const QString text = about.text();
        QVERIFY2(text.contains("Version " TRIX_VERSION), qPrintable(text));
        QCOMPARE(AboutDialog::programVersion(), QString(TRIX_VERSION));
        QVERIFY(text.contains("All rights reserved."));
        QVERIFY(text.contains(
            QStringLiteral("Runs on Qt %1 (built with Qt %2).").arg(qVersion(), QT_VERSION_STR)));
        QVERIFY(text.contains("GNU Lesser General Public License version 3"));
        auto* aboutQt = about.findChild<QPushButton*>("aboutQt");
        QVERIFY(aboutQt);
        QCOMPARE(aboutQt->text(), QString("About &Qt"));
        about.show();
        QVERIFY(about.grab().save(QString(TRIX_BINARY_DIR) + "/trix32-about.png"));
    }
};

QTEST_MAIN(DesktopTest)
#include "test_desktop.moc"
