// The windows the main window's menus open beside the data windows, driven from the menus
// against rxsim on a pseudo-terminal: the almanac download and its saving, the terminal with
// its traffic and a typed command, and the receivers information book.

#include "../link/pty_pair.h"
#include "almanac/almanac_document.h"
#include "almanac_commands.h"
#include "app/connect/initialization_dialog.h"
#include "main_window.h"
#include "startup_dialog.h"
#include "terminal_commands.h"
#include "trix_application.h"
#include "views/almanac/almanac_window.h"
#include "views/almanac/download_window.h"
#include "views/almanac/save_almanac_dialog.h"
#include "views/book/book_window.h"
#include "views/terminal/command_menu_box.h"
#include "views/terminal/send_command_dialog.h"
#include "views/terminal/terminal_view.h"
#include "views/terminal/ticket_controller.h"
#include "views/terminal/ticket_windows.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include "connected_frame.h"

#include <memory>

using namespace trix;
using namespace trix::app;
using test::grabPath;

namespace {

QStringList menuTitles(QMenuBar* bar) {
    QStringList t;
    for (QAction* a : bar->actions())
        t << a->text();
    return t;
}

} // namespace

class WiredWindowsTest : public QObject, public test::ConnectedFrame {
    Q_OBJECT

public:
    WiredWindowsTest() : ConnectedFrame(QSize(1000, 700)) {}

private slots:
    void init() { newProfile(); }
    void cleanup() { closeFrame(); }

    void almanacDownloadFromTheMenu() {
        const std::string rxLog = tmp_->path().toStdString() + "/rx.log";
        linktest::Rxsim rx({"--model", "16", "--port-letter", "D", "--rx-log", rxLog});
        MainWindow& frame = makeFrame(rx.device());
        AlmanacCommands* almanac = frame.almanacCommands();
        QVERIFY(almanac);
        QVERIFY(menuTitles(frame.menuBar()).contains("&Almanac"));
        // Nothing connected, no almanac shown: only Open.
        almanac->update();
        QVERIFY(!almanac->downloadAction()->isEnabled());
        QVERIFY(almanac->openAction()->isEnabled());
        QVERIFY(!almanac->binaryAction()->isEnabled());
        QVERIFY(!almanac->yumaAction()->isEnabled());

        QVERIFY(connectAndIdentify(rx.device(), 16));
        almanac->update();
        QVERIFY(almanac->downloadAction()->isEnabled());
        almanac->downloadAction()->trigger();
        QPointer<views::DownloadWindow> download = almanac->downloadWindow();
        QVERIFY(download);
        // One download at a time.
        almanac->update();
        QVERIFY(!almanac->downloadAction()->isEnabled());
        QVERIFY(QTest::qWaitFor([&] { return download && download->document().gpsCount() > 0; },
                                10000));
        download->grab().save(grabPath("wired_almanac_download.png"));
        QVERIFY(QTest::qWaitFor([&] { return almanac->downloadWindow() == nullptr; }, 20000));
        QVERIFY(QTest::qWaitFor([&] { return download.isNull(); }, 2000));

        views::AlmanacWindow* shown = almanac->activeAlmanac();
        QVERIFY(shown);
        QCOMPARE(shown->document().gpsCount(), 32);
        QCOMPARE(shown->document().glonassCount(), 24);
        QVERIFY(shown->document().modified());
        almanac->update();
        QVERIFY(almanac->yumaAction()->isEnabled());
        QVERIFY(almanac->downloadAction()->isEnabled());
        frame.grab().save(grabPath("wired_almanac_frame.png"));

        // Saved as Yuma text into the almanac folder, then readable again through Open's path.
        almanac->yumaAction()->trigger();
        QVERIFY(!shown->document().modified());
        const QString folder = QString::fromStdString(app_->folders().almanacs);
        const QStringList files = QDir(folder).entryList({"ALMYUM*"}, QDir::Files);
        QCOMPARE(files.size(), 1);
        auto reopened = views::AlmanacWindow::openFile(folder + files.front(), folder, *messages_);
        QVERIFY(reopened);
        QCOMPARE(reopened->document().recordCount(), 56);
        // The receiver was asked for both tables and given its raw-data interval back.
        const std::string sent = linktest::readFile(rxLog);
        QVERIFY(sent.find("$PXKTQ,SAL*") != std::string::npos);
        QVERIFY(sent.find("$PXKTS,RCI,1.00*") != std::string::npos);
    }

    void almanacDownloadEndsWithTheFrame() {
        // A download still running when the program ends leaves nothing behind that reaches
        // into the gone link.
        linktest::Rxsim rx({"--model", "16", "--port-letter", "D"});
        MainWindow& frame = makeFrame(rx.device());
        QVERIFY(connectAndIdentify(rx.device(), 16));
        frame.almanacCommands()->update();
        frame.almanacCommands()->downloadAction()->trigger();
        QVERIFY(frame.almanacCommands()->downloadWindow());
        QTest::qWait(200);
        frame_.reset();
        QVERIFY(messages_->shown.empty());
    }

    void terminalOpensWithCtrlTAndSends() {
        const std::string rxLog = tmp_->path().toStdString() + "/rx.log";
        linktest::Rxsim rx(
            {"--model", "16", "--port-letter", "D", "--period-ms", "100", "--rx-log", rxLog});
        MainWindow& frame = makeFrame(rx.device());
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        TerminalCommands* t = frame.terminalCommands();
        QVERIFY(t);
        QVERIFY(connectAndIdentify(rx.device(), 16));
        frame.updateCommands();
        // The model's command menu is loaded: "Send command..." is offered.
        QVERIFY(t->sendDialog());
        QVERIFY(t->sendDialog()->menuBox()->hasMenu());
        QVERIFY(frame.action(Command::SendCommand)->isEnabled());
        QVERIFY(frame.action(Command::SupportTicket)->isEnabled());

        t->terminalAction()->trigger();
        QCOMPARE(t->terminalAction()->shortcut(), QKeySequence("Ctrl+T"));
        QPointer<views::TerminalView> term = t->terminal();
        QVERIFY(term);
        QVERIFY(term->menuBox()->hasMenu());
        QVERIFY(term->selectMode());
        // One instance: the command again brings the same window forward.
        t->terminalAction()->trigger();
        QCOMPARE(t->terminal(), term.data());
        QCOMPARE(frame.mdiArea()->subWindowList().size(), 1);

        term->setSelectMode(false);
        term->typeBox()->setEditText(QStringLiteral("$PXKTQ,RID"));
        term->sendCurrent();
        QVERIFY(QTest::qWaitFor(
            [&] { return linktest::readFile(rxLog).find("$PXKTQ,RID*") != std::string::npos; },
            3000));
        auto shown = [&](const QString& start) {
            for (int i = 0; i < term->list()->count(); ++i)
                if (term->list()->item(i)->text().startsWith(start))
                    return true;
            return false;
        };
        QVERIFY(shown("$PXKTQ,RID"));
        // The receiver's answer arrives through the terminal's slot of the link.
        QVERIFY(QTest::qWaitFor([&] { return shown("$PXKTR,RID"); }, 3000));
        frame.grab().save(grabPath("wired_terminal_frame.png"));

        // Disconnect closes the terminal; its place is kept for the next time.
        t->terminalWindow()->setGeometry(10, 20, 500, 300);
        frame.onDisconnect();
        QVERIFY(term.isNull());
        QVERIFY(!t->terminalWindow());
        QVERIFY(!frame.action(Command::SendCommand)->isEnabled());
        QVERIFY(!frame.action(Command::SupportTicket)->isEnabled());
        t->openTerminal();
        QVERIFY(t->terminalWindow());
        QCOMPARE(t->terminalWindow()->geometry(), QRect(10, 20, 500, 300));
        t->closeTerminal();
    }

    void ticketFromTheMenuWritesItsFile() {
        linktest::Rxsim rx({"--model", "16", "--port-letter", "D", "--period-ms", "100"});
        MainWindow& frame = makeFrame(rx.device());
        TerminalCommands* t = frame.terminalCommands();
        // A short script in the user's receiver folder stands before the shipped one.
        QDir().mkpath(QString::fromStdString(app_->folders().receiverUser));
        linktest::writeFile(app_->folders().receiverUser + "rx05.spt", "$PXKTQ,RID\n->RID\n");
        frame.updateCommands();
        QVERIFY(!frame.action(Command::SupportTicket)->isEnabled());
        QVERIFY(connectAndIdentify(rx.device(), 16));
        frame.updateCommands();
        QVERIFY(frame.action(Command::SupportTicket)->isEnabled());

        bool asked = false;
        QTimer::singleShot(0, [&] {
            auto* d = qobject_cast<views::TicketModeDialog*>(QApplication::activeModalWidget());
            if (!d)
                return;
            asked = true;
            d->onceButton()->click();
            d->accept();
        });
        frame.action(Command::SupportTicket)->trigger();
        QVERIFY(asked);
        QPointer<views::TicketWindow> window = t->ticket().window();
        QVERIFY(window);
        frame.updateCommands();
        QVERIFY(!frame.action(Command::SupportTicket)->isEnabled()); // one ticket at a time
        const std::string path = window->run().path();
        QVERIFY(QTest::qWaitFor([&] { return t->ticket().window() == nullptr; }, 15000));
        const std::string text = linktest::readFile(path);
        QVERIFY2(text.find("$PXKTR,RID") != std::string::npos, text.c_str());
        QVERIFY(QString::fromStdString(path).startsWith(
            QString::fromStdString(app_->folders().logging)));

        frame.onDisconnect();
        QVERIFY(t->ticket().window() == nullptr);
    }

    void bookFromTheHelpMenuAndTheStartupMenu() {
        MainWindow& frame = makeFrame("/dev/null-none");
        TerminalCommands* t = frame.terminalCommands();
        QVERIFY(menuTitles(frame.menuBar()).contains("&Help"));
        t->bookAction()->trigger();
        QPointer<views::BookWindow> book = t->book();
        QVERIFY(book);
        QVERIFY(book->isVisible());
        book->selectModel(16);
        QVERIFY(!book->text().empty());
        book->grab().save(grabPath("wired_book.png"));
        // One at a time.
        t->bookAction()->trigger();
        QCOMPARE(t->book(), book.data());
        book->close();
        QVERIFY(QTest::qWaitFor([&] { return book.isNull(); }, 1000));
        runStartupChoice(frame, StartupChoice::Info, false, true);
        QVERIFY(t->book());
        QVERIFY(messages_->shown.empty());
    }
};

QTEST_MAIN(WiredWindowsTest)
#include "test_wired_windows.moc"
