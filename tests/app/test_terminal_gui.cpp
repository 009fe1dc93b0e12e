// The terminal and the support tickets in the main window: Ctrl+T pressed on the keyboard,
// File ▸ Print of the terminal to a PDF, and a series of tickets started from its dialog
// against rxsim on a pseudo-terminal, run to its end or ended by Disconnect.

#include "../link/pty_pair.h"
#include "app/connect/initialization_dialog.h"
#include "main_window.h"
#include "status_bar.h"
#include "terminal_commands.h"
#include "trix_application.h"
#include "views/print/print_frame.h"
#include "views/terminal/terminal_view.h"
#include "views/terminal/ticket_controller.h"
#include "views/terminal/ticket_windows.h"

#include "../views/print/pdf_text.h"

#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QElapsedTimer>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

#include "connected_frame.h"

#include <algorithm>
#include <memory>

using namespace trix;
using namespace trix::app;
using trix::testing::runTool;

namespace {

const char* kCreated = "Support Tickets were created successfully.";
const char* kCancelled = "Creating Support Ticket is cancelled.";
const char* kSeriesEnded = "The series of support tickets ended: the receiver was disconnected.";
const char* kTurnSkipped =
    "No support ticket this turn: the receiver is not connected or is in host mode.";

bool contains(const std::vector<std::string>& texts, std::string_view part) {
    return std::any_of(texts.begin(), texts.end(),
                       [&](const std::string& t) { return t.find(part) != std::string::npos; });
}

std::string joined(const std::vector<std::string>& texts) {
    std::string all;
    for (const auto& t : texts)
        all += t + " | ";
    return all;
}

// The recorded messages, and a message box that stays open a while, as a user may leave it:
// the program's timers go on meanwhile.
class LingeringMessages : public test::ScriptedMessages {
public:
    Answer show(std::string_view text, Buttons buttons, Icon icon) override {
        if (!lingerOn.empty() && text.find(lingerOn) != std::string_view::npos)
            QTest::qWait(lingerMs);
        return ScriptedMessages::show(text, buttons, icon);
    }
    std::string lingerOn;
    int lingerMs = 0;
};

} // namespace

class TerminalGuiTest : public QObject, public test::ConnectedFrame {
    Q_OBJECT

public:
    TerminalGuiTest() : ConnectedFrame(QSize(1000, 700)) {}

protected:
    std::unique_ptr<test::ScriptedMessages> createMessages() override {
        auto m = std::make_unique<LingeringMessages>();
        lingering_ = m.get();
        return m;
    }

private:
    LingeringMessages* lingering_ = nullptr;

    // A one-command script in the user's receiver folder: a ticket takes two steps.
    void writeScript() {
        QDir().mkpath(QString::fromStdString(app_->folders().receiverUser));
        linktest::writeFile(app_->folders().receiverUser + "rx05.spt", "$PXKTQ,RID\n->RID\n");
    }

    QStringList tickets() const {
        return QDir(QString::fromStdString(app_->folders().logging))
            .entryList({"rx05*.txt"}, QDir::Files, QDir::Name);
    }

    // "Support Ticket..." answered in its dialog with a series of `hours` and `minutes`, a
    // minute lasting `minuteMs`.
    bool startSeries(double hours, double minutes, double minuteMs) {
        TerminalCommands* t = frame_->terminalCommands();
        t->ticket().series().setMinuteMs(minuteMs);
        frame_->updateCommands();
        if (!frame_->action(Command::SupportTicket)->isEnabled())
            return false;
        bool asked = false;
        QTimer::singleShot(0, [&] {
            auto* d = qobject_cast<views::TicketModeDialog*>(QApplication::activeModalWidget());
            if (!d)
                return;
            asked = true;
            d->seriesButton()->click();
            d->hoursBox()->setValue(hours);
            d->minutesBox()->setValue(minutes);
            d->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        });
        frame_->action(Command::SupportTicket)->trigger();
        return asked && t->ticket().series().running();
    }

private slots:
    void init() { newProfile(); }
    void cleanup() { closeFrame(); }

    void ctrlTPressedOpensOneTerminal() {
        MainWindow& frame = makeFrame("/dev/null-none");
        frame.show();
        QApplication::setActiveWindow(&frame);
        QVERIFY(QTest::qWaitForWindowActive(&frame));
        TerminalCommands* t = frame.terminalCommands();
        QVERIFY(!t->terminal());

        QTest::keyClick(&frame, Qt::Key_T, Qt::ControlModifier);
        QPointer<views::TerminalView> term = t->terminal();
        QVERIFY(term);
        QCOMPARE(frame.mdiArea()->subWindowList().size(), 1);
        QCOMPARE(frame.mdiArea()->activeSubWindow(), t->terminalWindow());
        // The first time it lies along the bottom of the client area, its full width.
        const QRect area = frame.mdiArea()->viewport()->rect();
        const QRect placed = t->terminalWindow()->geometry();
        QCOMPARE(placed.height(), 250);
        QCOMPARE(placed.width(), area.width());
        QCOMPARE(placed.bottom(), area.bottom());

        // Pressed again, with the focus in the terminal's own box: the same window.
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &frame,
                        Qt::Key_T, Qt::ControlModifier);
        QCOMPARE(t->terminal(), term.data());
        QCOMPARE(frame.mdiArea()->subWindowList().size(), 1);
        frame.grab().save(tmp_->path() + "/frame.png");
        QDir().mkpath("/tmp/term_grabs");
        frame.grab().save("/tmp/term_grabs/ctrl_t_frame.png");
    }

    void printCommandPrintsTheTerminalPageByPage() {
        MainWindow& frame = makeFrame("/dev/null-none");
        const QString pdf = tmp_->path() + "/terminal.pdf";
        print::PrintCommand::Hooks hooks;
        bool heldWhilePrinting = false;
        QPointer<views::TerminalView> term;
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
        auto* commands = new print::PrintCommands(frame, hooks);
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        commands->updateCommands();
        QVERIFY(!commands->printAction()->isEnabled());

        frame.terminalCommands()->openTerminal();
        term = frame.terminalCommands()->terminal();
        QVERIFY(term);
        for (int i = 1; i <= 129; ++i)
            term->traffic(
                i % 5 ? link::Direction::Received : link::Direction::Sent,
                QStringLiteral("$GPGSV,%1,TERMINAL").arg(i, 3, 10, QLatin1Char('0')).toStdString());
        frame.mdiArea()->setActiveSubWindow(frame.terminalCommands()->terminalWindow());
        commands->updateCommands();
        QVERIFY(commands->printAction()->isEnabled());

        // A line that arrives while the pages are drawn is not shown; one after it is.
        QTimer probe;
        connect(&probe, &QTimer::timeout,
                [&] { heldWhilePrinting = heldWhilePrinting || (term && term->outputHeld()); });
        probe.start(0);
        QCOMPARE(commands->print(false), 1);
        probe.stop();
        QVERIFY(!term->outputHeld());
        QVERIFY(!term->paused());
        term->traffic(link::Direction::Received, "$GPGGA,after printing");
        QCOMPARE(term->list()->item(term->list()->count() - 1)->text(),
                 QStringLiteral("$GPGGA,after printing"));

        const QString info = runTool("pdfinfo", {pdf});
        if (info.isEmpty())
            QSKIP("pdfinfo (poppler-utils) is not installed");
        const int pages = QRegularExpression("Pages:\\s+(\\d+)").match(info).captured(1).toInt();
        QVERIFY2(pages >= 2, qPrintable(info));
        const QString text = runTool("pdftotext", {"-layout", pdf, "-"});
        for (int p = 1; p <= pages; ++p)
            QVERIFY2(text.contains(QStringLiteral("Page %1").arg(p)), qPrintable(text));
        for (int i = 1; i <= 129; ++i)
            QCOMPARE(
                text.count(QStringLiteral("$GPGSV,%1,TERMINAL").arg(i, 3, 10, QLatin1Char('0'))),
                1);
        QCOMPARE(text.count("GPS Receiver Terminal"), pages);
        runTool("pdftoppm", {"-png", "-r", "70", "-f", "1", "-l", "1", pdf,
                             "/tmp/term_grabs/app_terminal_print"});
    }

    void ticketSeriesFromTheDialogRunsToItsEnd() {
        linktest::Rxsim rx({"--model", "16", "--port-letter", "D", "--period-ms", "200"});
        MainWindow& frame = makeFrame(rx.device());
        writeScript();
        QVERIFY(connectAndIdentify(rx.device(), 16));
        // One hour of 120 ms minutes: the series ends after 7.2 s; a ticket every 2.4 s (one
        // takes about 2.8 s at 9600 baud, so every other turn finds it still running).
        QVERIFY(startSeries(1, 20, 120));
        TerminalCommands* t = frame.terminalCommands();
        QVERIFY(t->ticket().window());
        QCOMPARE(frame.statusBarEx()->iconIndex(), 0);
        frame.updateCommands();
        QVERIFY(!frame.action(Command::SupportTicket)->isEnabled()); // a ticket is being made
        QVERIFY(frame.action(Command::SupportTicket)->isChecked());  // a series runs

        QVERIFY(QTest::qWaitFor([&] { return !t->ticket().series().running(); }, 15000));
        QVERIFY(QTest::qWaitFor([&] { return t->ticket().window() == nullptr; }, 5000));
        QVERIFY(contains(messages_->statuses, kCreated));
        QVERIFY(!contains(messages_->statuses, kCancelled));
        QCOMPARE(frame.statusBarEx()->iconIndex(), int(StatusBar::NoIcon));
        frame.updateCommands();
        QVERIFY(!frame.action(Command::SupportTicket)->isChecked());
        // A complete ticket of a series is said in the status bar only.
        QVERIFY2(messages_->shown.empty(), joined(messages_->shown).c_str());

        const QStringList files = tickets();
        QVERIFY2(files.size() >= 2 && files.size() <= 4, qPrintable(files.join(' ')));
        for (int i = 0; i < files.size(); ++i) {
            QCOMPARE(files[i], QStringLiteral("rx05_%1.txt").arg(i + 1, 3, 10, QLatin1Char('0')));
            const std::string text =
                linktest::readFile(app_->folders().logging + files[i].toStdString());
            QVERIFY2(text.find("$PXKTQ,RID*") != std::string::npos, text.c_str());
            QVERIFY2(text.find("$PXKTR,RID") != std::string::npos, text.c_str());
            QVERIFY(contains(messages_->statuses, "Ticket:'" + app_->folders().logging +
                                                      files[i].toStdString() +
                                                      "' was created successfully."));
        }
        // Over: no further turn.
        QTest::qWait(600);
        QCOMPARE(tickets().size(), files.size());
        QVERIFY(t->ticket().window() == nullptr);
        frame.onDisconnect();
    }

    void disconnectEndsTheSeriesAndCancelsItsTicket() {
        linktest::Rxsim rx({"--model", "16", "--port-letter", "D", "--period-ms", "200"});
        MainWindow& frame = makeFrame(rx.device());
        writeScript();
        QVERIFY(connectAndIdentify(rx.device(), 16));
        // Turns every 1.2 s, the end after 7.2 s.
        QElapsedTimer clock;
        clock.start();
        QVERIFY(startSeries(1, 10, 120));
        TerminalCommands* t = frame.terminalCommands();
        // The first ticket completes, the next one is under way when the port goes.
        QVERIFY(
            QTest::qWaitFor([&] { return tickets().size() == 1 && !t->ticket().window(); }, 6000));
        QVERIFY(QTest::qWaitFor(
            [&] { return t->ticket().window() && t->ticket().window()->run().sends() > 0; }, 6000));
        QPointer<views::TicketWindow> window = t->ticket().window();
        const std::string partial = window->run().path();
        QCOMPARE(tickets().size(), 2);
        messages_->shown.clear();
        messages_->statuses.clear();

        // The box saying the ticket could not be completed stays open past the series' end.
        lingering_->lingerOn = "the ticket cannot be completed";
        lingering_->lingerMs = std::max(0, 7200 + 500 - static_cast<int>(clock.elapsed()));
        frame.onDisconnect();
        QVERIFY(clock.elapsed() > 7200);
        QVERIFY(t->ticket().window() == nullptr);
        QVERIFY(!t->ticket().series().running());
        QVERIFY(QTest::qWaitFor([&] { return window.isNull(); }, 2000));
        QVERIFY(!QFile::exists(QString::fromStdString(partial)));
        QCOMPARE(tickets().size(), 1);
        QVERIFY(contains(messages_->statuses, kCancelled));
        QVERIFY2(contains(messages_->statuses, kSeriesEnded),
                 (joined(messages_->statuses) + " // " + joined(messages_->shown)).c_str());
        QVERIFY(contains(messages_->shown, kCancelled));
        // Never the success of the series or of the ticket.
        QVERIFY(!contains(messages_->statuses, kCreated));
        QVERIFY(!contains(messages_->statuses, "successfully"));
        QVERIFY(!contains(messages_->shown, "successfully"));
        QCOMPARE(frame.statusBarEx()->iconIndex(), int(StatusBar::NoIcon));
        // The timers are gone with the series.
        QTest::qWait(1500);
        QVERIFY(t->ticket().window() == nullptr);
        QCOMPARE(tickets().size(), 1);
        QVERIFY(!contains(messages_->statuses, kTurnSkipped));
    }

    void seriesTurnInHostModeIsSkipped() {
        linktest::Rxsim rx({"--model", "16", "--port-letter", "D", "--period-ms", "200"});
        MainWindow& frame = makeFrame(rx.device());
        writeScript();
        QVERIFY(connectAndIdentify(rx.device(), 16));
        // Two hours of 120 ms minutes: the series outlasts the test.
        QVERIFY(startSeries(2, 10, 120));
        TerminalCommands* t = frame.terminalCommands();
        QVERIFY(QTest::qWaitFor([&] { return !t->ticket().window(); }, 6000));
        QCOMPARE(tickets().size(), 1);
        // The link is in host mode for the next turn: it passes with a note, the series goes on.
        frame.session().connection().state.hostMode = true;
        QVERIFY(QTest::qWaitFor([&] { return contains(messages_->statuses, kTurnSkipped); }, 3000));
        QVERIFY(t->ticket().window() == nullptr);
        QVERIFY(t->ticket().series().running());
        frame.session().connection().state.hostMode = false;
        QVERIFY(QTest::qWaitFor([&] { return t->ticket().window() != nullptr; }, 3000));
        QVERIFY(
            QTest::qWaitFor([&] { return tickets().size() == 2 && !t->ticket().window(); }, 6000));
        // Stopped by the user from the menu: "Support Ticket..." asks, Yes stops.
        QVERIFY(t->ticket().series().running());
        messages_->answers.push_back(Answer::Yes);
        frame.updateCommands();
        QVERIFY(frame.action(Command::SupportTicket)->isEnabled());
        QTimer::singleShot(0, [] {
            // Not expected: the mode dialog would mean the series was not seen running.
            if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                d->reject();
        });
        QVERIFY(frame.action(Command::SupportTicket)->isChecked());
        frame.action(Command::SupportTicket)->trigger();
        QVERIFY(!t->ticket().series().running());
        QVERIFY(!frame.action(Command::SupportTicket)->isChecked());
        QVERIFY(contains(messages_->shown, "Would you like to stop creating Support Ticket?"));
        frame.onDisconnect();
    }
};

QTEST_MAIN(TerminalGuiTest)
#include "test_terminal_gui.moc"
