// The terminal, the parameter form, the send dialog and the support ticket windows, offscreen.

#include "pty_pair.h"
#include "views/terminal/command_menu_box.h"
#include "views/terminal/parameter_dialog.h"
#include "views/terminal/send_command_dialog.h"
#include "views/terminal/terminal_view.h"
#include "views/terminal/ticket_controller.h"
#include "views/terminal/ticket_windows.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

using namespace trix;
using namespace trix::views;

namespace {

class Sink : public MessageSink {
public:
    Answer show(std::string_view text, Buttons, Icon) override {
        shown.emplace_back(text);
        return answer;
    }
    void beep() override { ++beeps; }
    std::vector<std::string> shown;
    int beeps = 0;
    Answer answer = Answer::Ok;
};

class Host : public TerminalHost {
public:
    int modelIndex() const override { return model; }
    char portLetter() const override { return port; }
    ticket::SendResult send(std::string_view text, bool addChecksum) override {
        sent.emplace_back(std::string(text) + (addChecksum ? " +sum" : " as typed"));
        ticket::SendResult r;
        r.ok = !fail;
        if (fail)
            r.error = "Error on writing to port.";
        if (view && r.ok)
            view->traffic(link::Direction::Sent, std::string(text) + "<CR><LF>");
        return r;
    }
    std::string findReceiverFile(const std::string& name) const override {
        std::string path = folder + "/" + name;
        return std::ifstream(path) ? path : std::string();
    }
    std::string receiverFolder() const override { return folder; }
    int model = 16;
    char port = 'B';
    bool fail = false;
    std::string folder;
    std::vector<std::string> sent;
    TerminalView* view = nullptr;
};

std::string tempFolder() {
    char name[] = "/tmp/termviewXXXXXX";
    return ::mkdtemp(name);
}

void write(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

void grab(QWidget& w, const char* name) {
    QDir().mkpath(QStringLiteral("/tmp/term_grabs"));
    w.grab().save(QStringLiteral("/tmp/term_grabs/%1.png").arg(QLatin1String(name)));
}

const char* kMenu = "*Queries\nIdentification\n$PXKTQ,RID\n"
                    "*Masks\nElevation mask\n$PXKTS,ELM,#,%N\nDegrees;0,90,10\n"
                    "Position output\n$PXKTS,NME,POS,#,%L\nState;ON(on*),OFF(off)\n";

} // namespace

TEST(TerminalView, TrafficListKindsLimitAndPause) {
    Host host;
    host.folder = tempFolder();
    Sink sink;
    app::IniProfile profile;
    TerminalView view(host, sink, &profile);
    view.resize(760, 300);
    for (int i = 1; i <= 140; ++i)
        view.traffic(i % 3 ? link::Direction::Received : link::Direction::Sent,
                     "$PXKTR,POS," + std::to_string(i));
    view.traffic(link::Direction::Received, "");
    view.traffic(link::Direction::Note, std::string("\x06-bin:ACK"));
    EXPECT_EQ(view.list()->count(), 129);
    EXPECT_EQ(view.lines().size(), 129u);
    EXPECT_EQ(view.list()->item(128)->text(), QStringLiteral("\\x06-bin:ACK"));
    EXPECT_EQ(view.list()->item(128)->foreground().color(), QColor(128, 0, 0));
    EXPECT_EQ(view.list()->item(127)->foreground().color(), QColor(0, 128, 0));
    EXPECT_EQ(view.list()->item(125)->foreground().color(), QColor(0, 0, 128));
    grab(view, "terminal");

    view.setPaused(true);
    view.traffic(link::Direction::Received, "$GPGGA,dropped");
    EXPECT_EQ(view.list()->item(128)->text(), QStringLiteral("\\x06-bin:ACK"));
    // Lines the view itself sends still show while paused.
    host.view = &view;
    view.setSelectMode(false);
    view.typeBox()->setEditText(QStringLiteral("$PXKTQ,RID"));
    view.sendCurrent();
    EXPECT_EQ(view.list()->item(128)->text(), QStringLiteral("$PXKTQ,RID<CR><LF>"));

    view.clearList();
    EXPECT_EQ(view.list()->count(), 0);
}

TEST(TerminalView, TypedCommandsHistoryChecksumAndFailures) {
    Host host;
    host.folder = tempFolder();
    Sink sink;
    app::IniProfile profile;
    profile.writeString("RX-05 Commands", "Command1", "$PXKTS,ELM,10");
    profile.writeString("RX-05 Commands", "Command2", "$PXKTQ,PRT");
    auto view = std::make_unique<TerminalView>(host, sink, &profile);
    view->setSelectMode(false);
    EXPECT_EQ(view->typeBox()->currentText(), QStringLiteral("$PXKT"));
    EXPECT_EQ(view->history().entries().size(), 2u);

    QLineEdit* edit = view->typeBox()->lineEdit();
    edit->clear();
    QTest::keyClicks(edit, "pos");
    EXPECT_EQ(view->typeBox()->currentText(), QStringLiteral("POS"));
    QTest::keyClick(edit, Qt::Key_Return);
    ASSERT_EQ(host.sent.size(), 1u);
    EXPECT_EQ(host.sent[0], "POS +sum");
    EXPECT_EQ(view->lastCommand(), "POS");

    // Without the checksum flag the text goes out exactly as typed.
    view->setAddChecksum(false);
    view->typeBox()->setEditText(QStringLiteral("$PXKTS,ELM,1*1F"));
    view->sendCurrent();
    EXPECT_EQ(host.sent.back(), "$PXKTS,ELM,1*1F as typed");
    // "...ELM,1" does not push "...ELM,10" out of the history.
    view->typeBox()->setEditText(QStringLiteral("$PXKTS,ELM,1"));
    view->sendCurrent();
    EXPECT_EQ(view->history().entries(),
              (std::vector<std::string>{"$PXKTS,ELM,1", "$PXKTS,ELM,1*1F", "POS", "$PXKTS,ELM,10",
                                        "$PXKTQ,PRT"}));
    EXPECT_EQ(view->typeBox()->lineEdit()->maxLength(), 254);

    // A failed send beeps, says why and is not kept as the last command.
    host.fail = true;
    view->typeBox()->setEditText(QStringLiteral("$PXKTQ,RIO"));
    view->sendCurrent();
    EXPECT_EQ(sink.beeps, 1);
    EXPECT_EQ(sink.shown.back(), "Error on writing to port.");
    EXPECT_EQ(view->lastCommand(), "$PXKTS,ELM,1");

    view.reset(); // the history goes to the profile
    EXPECT_EQ(profile.getString("RX-05 Commands", "Command1", ""), "$PXKTQ,RIO");
    EXPECT_EQ(profile.getString("RX-05 Commands", "Command6", ""), "$PXKTQ,PRT");
}

TEST(TerminalView, SelectModeMenuAndReload) {
    Host host;
    host.folder = tempFolder();
    write(host.folder + "/rx05.MNU", kMenu);
    Sink sink;
    TerminalView view(host, sink, nullptr);
    view.resize(760, 300);
    EXPECT_TRUE(view.selectMode());
    ASSERT_TRUE(view.menuBox()->hasMenu());
    EXPECT_EQ(view.menuBox()->selectedIndex(), 1);
    view.sendCurrent();
    EXPECT_EQ(host.sent.back(), "$PXKTQ,RID +sum");
    EXPECT_EQ(view.lastCommand(), "$PXKTQ,RID");
    // A heading has no command: a beep, nothing sent.
    view.menuBox()->selectIndex(0);
    EXPECT_EQ(view.menuBox()->selectedIndex(), 1); // headings cannot be chosen
    grab(view, "terminal_select");

    // Another model: its menu replaces the old one; a model without a menu file has none.
    write(host.folder + "/rx13.MNU", "Only one\n$PXKTQ,PRT\n");
    host.model = 8;
    view.receiverChanged();
    EXPECT_EQ(view.menuBox()->menu().items.size(), 1u);
    EXPECT_EQ(view.menuBox()->selectedIndex(), 0);
    host.model = 9;
    view.receiverChanged();
    EXPECT_FALSE(view.menuBox()->hasMenu());
    EXPECT_EQ(view.menuBox()->selectedIndex(), -1);
    view.sendCurrent();
    EXPECT_EQ(sink.beeps, 1);
    // Below model 2 select mode is refused.
    host.model = 1;
    view.receiverChanged();
    EXPECT_FALSE(view.selectMode());
    view.setSelectMode(true);
    EXPECT_FALSE(view.selectMode());
    EXPECT_EQ(sink.beeps, 2);
    // A broken menu says where.
    write(host.folder + "/rx05.MNU", "Mask\n$PXKTS,ELM,%X\n");
    host.model = 16;
    view.receiverChanged();
    EXPECT_FALSE(view.menuBox()->hasMenu());
    EXPECT_EQ(sink.shown.back(),
              "Error on compiling\n" + host.folder + "/rx05.MNU\nat the line # 2");
}

TEST(TerminalView, CommandFileAddsEachCommandOnce) {
    Host host;
    host.folder = tempFolder();
    Sink sink;
    TerminalView view(host, sink, nullptr);
    const std::string file = host.folder + "/mine.gps";
    view.setFileNameAsker([&] { return file; });
    view.toggleCommandFile(true);
    EXPECT_TRUE(view.creatingFile());
    EXPECT_FALSE(view.addButton()->isHidden());
    view.setSelectMode(false);
    view.typeBox()->setEditText(QStringLiteral("$PXKTS,ELM,5"));
    view.sendCurrent();
    view.addToCommandFile();
    view.addToCommandFile();
    EXPECT_EQ(sink.shown, std::vector<std::string>{"Add command $PXKTS,ELM,5 to the mine.gps?"});
    std::stringstream all;
    all << std::ifstream(file).rdbuf();
    EXPECT_EQ(all.str(), "$PXKTS,ELM,5\n");
    view.setFileNameAsker([] { return std::string("/no/such/folder/x.gps"); });
    view.toggleCommandFile(false);
    view.toggleCommandFile(true);
    EXPECT_FALSE(view.creatingFile());
    EXPECT_EQ(sink.shown.back(), "File \n/no/such/folder/x.gps\ncould not be opened !");
}

TEST(ParameterDialog, ChecksMessagesAndDefaults) {
    ticket::MenuFile menu = ticket::compileMenu(kMenu, "x");
    ASSERT_TRUE(menu.ok);
    ticket::MenuItem& entry = menu.items[3];
    Sink sink;
    {
        ParameterDialog form(entry, 'B', sink);
        auto* edit = qobject_cast<QLineEdit*>(form.field(0));
        ASSERT_NE(edit, nullptr);
        EXPECT_EQ(edit->text(), QStringLiteral("10"));
        edit->setText(QStringLiteral("95"));
        form.accept();
        EXPECT_EQ(form.result(), QDialog::Rejected);
        EXPECT_EQ(sink.shown.back(), "Enter value between 0 and 90");
        edit->setText(QStringLiteral("5"));
        form.accept();
        EXPECT_EQ(form.result(), QDialog::Accepted);
        EXPECT_EQ(form.command(), "$PXKTS,ELM,B,5");
        form.resize(360, 180);
        grab(form, "parameter_form");
    }
    ParameterDialog again(entry, 'B', sink);
    EXPECT_EQ(qobject_cast<QLineEdit*>(again.field(0))->text(), QStringLiteral("5"));
    ParameterDialog list(menu.items[4], 0, sink);
    auto* box = qobject_cast<QComboBox*>(list.field(0));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->currentText(), QStringLiteral("on"));
    box->setCurrentIndex(1);
    list.accept();
    EXPECT_EQ(list.command(), "$PXKTS,NME,POS,A,OFF");
}

TEST(SendCommandDialog, SendsTheChosenEntry) {
    Host host;
    host.folder = tempFolder();
    write(host.folder + "/rx05.MNU", kMenu);
    Sink sink;
    SendCommandDialog dialog(host, sink);
    EXPECT_TRUE(dialog.sendSelected());
    EXPECT_EQ(host.sent.back(), "$PXKTQ,RID +sum");
    dialog.resize(420, 60);
    grab(dialog, "send_dialog");
    host.fail = true;
    EXPECT_FALSE(dialog.sendSelected());
    EXPECT_EQ(sink.beeps, 1);
}

namespace {
class FakeTicketPort : public ticket::TicketPort {
public:
    bool connected() const override { return true; }
    bool hostMode() const override { return false; }
    bool send(std::string_view c, std::string& s, std::string&) override {
        s = std::string(c);
        return true;
    }
};
} // namespace

TEST(TicketWindows, ModeDialogAndProgressTitle) {
    Sink sink;
    TicketModeDialog mode({true, 1, 61}, sink);
    EXPECT_TRUE(mode.hoursBox()->isEnabled());
    mode.accept();
    EXPECT_EQ(sink.shown.back(), "Undefined mode.\nPlease enter parameters more carefully.");
    EXPECT_EQ(mode.result(), QDialog::Rejected);
    mode.minutesBox()->setValue(20);
    mode.accept();
    EXPECT_EQ(mode.result(), QDialog::Accepted);
    EXPECT_TRUE(mode.mode().series);
    EXPECT_EQ(mode.mode().minutes, 20);
    mode.onceButton()->setChecked(true);
    EXPECT_FALSE(mode.hoursBox()->isEnabled());
    grab(mode, "ticket_mode");

    const std::string dir = tempFolder();
    write(dir + "/s.spt", "$PXKTQ,RID\n->RID\n$PXKTQ,PRT\n");
    ticket::TicketSetup setup;
    setup.modelIndex = 16;
    setup.scriptPath = dir + "/s.spt";
    setup.directory = dir;
    FakeTicketPort port;
    auto* window = new TicketWindow(setup, port, sink);
    ASSERT_TRUE(window->start());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Creating Support Ticket:  0 % done"));
    EXPECT_TRUE(window->timers().running(ticket::kStepTimer));
    window->run().step();
    window->ticketLine("$PXKTR,RID,S8");
    window->run().step();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Creating Support Ticket:  7 % done"));
    grab(*window, "ticket_window");
    bool ended = false, complete = false;
    QObject::connect(window, &TicketWindow::ended, [&](bool c) {
        ended = true;
        complete = c;
    });
    window->run().step();
    window->run().step();
    EXPECT_TRUE(ended);
    EXPECT_TRUE(complete);
    QApplication::processEvents();
}

TEST(TicketController, StartsTicketsAndEndsThemOnDisconnect) {
    Sink sink;
    link::Link link(sink);
    const std::string dir = tempFolder();
    write(dir + "/rx05.spt", "$PXKTQ,RID\n->RID\n");
    std::vector<int> panes;
    TicketController controller(
        link, sink,
        [&](const std::string& name) {
            std::string path = dir + "/" + name;
            return std::ifstream(path) ? path : std::string();
        },
        [&] { return dir; }, nullptr);
    controller.onTicketPane = [&](int v) { panes.push_back(v); };
    EXPECT_FALSE(controller.enabled()); // no port
    linktest::PtyPair pty;
    ASSERT_EQ(link.openDevice(pty.slave(), link::kPlainPortSettings), 0);
    link.state.modelIndex = 16;
    link.state.receiverPort = 'A';
    EXPECT_TRUE(controller.enabled());
    ASSERT_TRUE(controller.series().start({false, 1, 15}));
    ASSERT_NE(controller.window(), nullptr);
    EXPECT_EQ(link.listeners.get(link::Slot::Ticket), controller.window());
    EXPECT_FALSE(controller.enabled()); // one ticket at a time
    controller.window()->run().step();
    EXPECT_NE(pty.received(10).find("$PXKTQ,RID*"), std::string::npos);
    const std::string path = controller.window()->run().path();
    controller.disconnected();
    EXPECT_EQ(controller.window(), nullptr);
    EXPECT_EQ(link.listeners.get(link::Slot::Ticket), nullptr);
    EXPECT_FALSE(std::ifstream(path).good());
    EXPECT_EQ(panes, (std::vector<int>{0, -1}));
    EXPECT_NE(
        std::find(sink.shown.begin(), sink.shown.end(), "Creating Support Ticket is cancelled."),
        sink.shown.end());
    QApplication::processEvents();
}

TEST(TerminalView, KeysScrollAndEscapeIsSwallowed) {
    Host host;
    host.folder = tempFolder();
    Sink sink;
    TerminalView view(host, sink, nullptr);
    view.resize(600, 200);
    view.show();
    for (int i = 0; i < 100; ++i)
        view.traffic(link::Direction::Received, "$GPGSV," + std::to_string(i));
    QApplication::processEvents();
    QScrollBar* bar = view.list()->verticalScrollBar();
    bar->setValue(0);
    view.setSelectMode(false);
    QTest::keyClick(view.typeBox()->lineEdit(), Qt::Key_PageDown);
    const int onePage = bar->value();
    EXPECT_GT(onePage, 1);
    QTest::keyClick(view.typeBox()->lineEdit(), Qt::Key_PageDown);
    EXPECT_GT(bar->value(), onePage);
    QTest::keyClick(view.typeBox()->lineEdit(), Qt::Key_PageUp);
    EXPECT_EQ(bar->value(), onePage);
    QTest::keyClick(view.typeBox()->lineEdit(), Qt::Key_Escape);
    EXPECT_TRUE(view.isVisible());
    EXPECT_TRUE(host.sent.empty());
}
