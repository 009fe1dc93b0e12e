// Support tickets without a receiver: the script, the file, the steps and the series.

#include "logs/log_naming.h"
#include "pty_pair.h"
#include "ticket/ticket_file.h"
#include "ticket/ticket_run.h"
#include "ticket/ticket_script.h"
#include "ticket/ticket_series.h"

#include <csignal>
#include <gtest/gtest.h>
#include <map>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace trix::ticket;

namespace {

class FakeTimers : public trix::logs::TimerHost {
public:
    bool start(int id, long long ms) override {
        if (refuse)
            return false;
        running[id] = ms;
        return true;
    }
    void kill(int id) override { running.erase(id); }
    std::map<int, long long> running;
    bool refuse = false;
};

class FakePort : public TicketPort {
public:
    bool connected() const override { return up; }
    bool hostMode() const override { return host; }
    bool send(std::string_view command, std::string& sentence, std::string& error) override {
        if (failSends) {
            error = "write failed";
            return false;
        }
        sent.emplace_back(command);
        sentence = std::string(command) + "*00";
        return true;
    }
    bool up = true, host = false, failSends = false;
    std::vector<std::string> sent;
};

class Messages : public trix::MessageSink {
public:
    trix::Answer show(std::string_view text, trix::Buttons, trix::Icon) override {
        shown.emplace_back(text);
        return trix::Answer::Ok;
    }
    void status(std::string_view text) override { statuses.emplace_back(text); }
    void beep() override { ++beeps; }
    std::vector<std::string> shown, statuses;
    int beeps = 0;
};

class Progress : public TicketEvents {
public:
    void progress(int p) override { values.push_back(p); }
    void finished(bool c) override { ends.push_back(c); }
    std::vector<int> values;
    std::vector<bool> ends;
};

struct Fixture {
    explicit Fixture(const std::string& script, int model = 16) {
        dir = linktest::tempDir();
        linktest::writeFile(dir + "/s.spt", script);
        setup.modelIndex = model;
        setup.portLetter = 'B';
        setup.scriptPath = dir + "/s.spt";
        setup.directory = dir;
    }
    std::string dir;
    TicketSetup setup;
    FakeTimers timers;
    FakePort port;
    Messages messages;
    Progress progress;
};

} // namespace

TEST(TicketScript, CommandsMarkersPortAndLimits) {
    TicketScript s = parseTicketScript("x\r\n$PXKTQ,RID\r\n->RID\n$PXKTQ,NME,port,extra\r"
                                       "->NME\n  $not a command\n",
                                       'B');
    ASSERT_EQ(s.commands.size(), 2u);
    EXPECT_EQ(s.commands[1], "$PXKTQ,NME,B");
    EXPECT_EQ(s.marker(1), "NME");
    EXPECT_EQ(s.marker(2), "");
    EXPECT_EQ(parseTicketScript("$PXKTQ,NME,port\n", 0).commands[0], "$PXKTQ,NME,");
    // Whole lines, however long; the first 16 commands.
    std::string text;
    for (int i = 0; i < 20; ++i)
        text += "$PXKTQ," + std::string(100, static_cast<char>('A' + i)) + "\n->M\n";
    s = parseTicketScript(text, 'A');
    EXPECT_EQ(s.commands.size(), 16u);
    EXPECT_EQ(s.commands[15].size(), 107u);
    EXPECT_EQ(s.droppedCommands, 4);
    EXPECT_EQ(s.droppedMarkers, 4);
}

TEST(TicketFile, NumbersGoOnAboveTheLargestAndNeverReplace) {
    std::string dir = linktest::tempDir();
    linktest::writeFile(dir + "/rx05_007.txt", "old");
    linktest::writeFile(dir + "/rx0612345.txt", "other model");
    linktest::writeFile(dir + "/rx05.txt", "no number");
    EXPECT_EQ(largestTicketNumber(dir, "rx05"), 7);
    TicketFile a;
    ASSERT_TRUE(a.create(dir, "rx05"));
    EXPECT_EQ(a.path(), dir + "/rx05_008.txt");
    linktest::writeFile(dir + "/rx0512000.txt", "high");
    TicketFile b;
    ASSERT_TRUE(b.create(dir, "rx05"));
    EXPECT_EQ(b.path(), dir + "/rx0512001.txt");
    // Long model codes number their files too.
    TicketFile c, d;
    ASSERT_TRUE(c.create(dir, "rx16a"));
    ASSERT_TRUE(d.create(dir, "rx16a"));
    EXPECT_EQ(c.path(), dir + "/rx16a_001.txt");
    EXPECT_EQ(d.path(), dir + "/rx16a_002.txt");
    EXPECT_EQ(linktest::readFile(dir + "/rx05_007.txt"), "old");
    TicketFile e;
    EXPECT_FALSE(e.create(dir + "/missing", "rx05"));
    e.discard(); // never created: nothing is deleted
}

TEST(TicketFile, DateLineIsLocaleFree) {
    std::tm tm{};
    tm.tm_year = 126;
    tm.tm_mon = 2;
    tm.tm_mday = 5;
    tm.tm_hour = 7;
    tm.tm_min = 4;
    tm.tm_isdst = -1;
    EXPECT_EQ(ticketDateLine(std::mktime(&tm)), "2026,March 05, 07:04");
}

TEST(TicketRun, AnsweredUnansweredAndProgress) {
    Fixture f("$PXKTQ,RID\n->RID\n$PXKTQ,PRT\n->PRT\n$PXKTQ,ELM\n->ELM\n");
    f.setup.baud = 115200;
    TicketRun run(f.setup, f.port, f.timers, f.messages, &f.progress);
    ASSERT_TRUE(run.start());
    EXPECT_EQ(f.timers.running.at(kStepTimer), 300);
    run.line("$PXKTR,RID,before"); // nothing is current yet
    run.step();
    EXPECT_EQ(f.port.sent, (std::vector<std::string>{"$PXKTQ,RID"}));
    run.line("$PXKTR,RID,S8");
    run.step(); // answered: on to the next command
    run.step(); // PRT unanswered: once more
    run.step();
    run.line("$PXKTR,ELM,5");
    run.step();
    EXPECT_EQ(run.state(), TicketRun::State::Complete);
    EXPECT_EQ(f.port.sent,
              (std::vector<std::string>{"$PXKTQ,RID", "$PXKTQ,PRT", "$PXKTQ,PRT", "$PXKTQ,ELM"}));
    EXPECT_EQ(f.progress.values, (std::vector<int>{0, 0, 7, 50, 100}));
    EXPECT_EQ(run.answered(), 2);
    EXPECT_EQ(run.sends(), 4);
    EXPECT_TRUE(f.timers.running.empty());
    const std::string path = run.path();
    EXPECT_EQ(path, f.dir + "/rx05_001.txt");
    std::string text = linktest::readFile(path);
    EXPECT_EQ(text.substr(0, path.size() + 6), "\r\n" + path + "\r\n\r\n");
    EXPECT_NE(text.find("\r\n$PXKTR,RID,before\r\n$PXKTQ,RID*00\r\n$PXKTR,RID,S8\r\n"
                        "$PXKTQ,PRT*00\r\n$PXKTQ,PRT*00\r\n$PXKTQ,ELM*00\r\n$PXKTR,ELM,5\r\n"),
              std::string::npos);
    ASSERT_FALSE(f.messages.shown.empty());
    EXPECT_EQ(f.messages.shown.back(), "Ticket:'" + path + "' was created successfully.");
}

TEST(TicketRun, OneCommandCompletesWithoutDividingByZero) {
    Fixture f("$PXKTQ,RID\n");
    TicketRun run(f.setup, f.port, f.timers, f.messages, &f.progress);
    ASSERT_TRUE(run.start());
    EXPECT_EQ(f.timers.running.at(kStepTimer), 1400);
    run.step();
    run.line("anything answers a command without a mark");
    run.step();
    EXPECT_EQ(run.state(), TicketRun::State::Complete);
    EXPECT_EQ(f.progress.values.back(), 100);
    EXPECT_EQ(run.sends(), 1);
}

TEST(TicketRun, StartFailures) {
    {
        Fixture f("no commands here\n");
        TicketRun run(f.setup, f.port, f.timers, f.messages);
        EXPECT_FALSE(run.start());
        EXPECT_EQ(f.messages.beeps, 1);
        EXPECT_EQ(f.messages.shown.back(), "No commands in the " + f.setup.scriptPath + " file!");
    }
    {
        Fixture f("$PXKTQ,RID\n");
        f.setup.scriptPath += ".missing";
        TicketRun run(f.setup, f.port, f.timers, f.messages);
        EXPECT_FALSE(run.start());
        EXPECT_EQ(f.messages.shown.back(),
                  "File \n" + f.setup.scriptPath + "\ncould not be opened !");
    }
    {
        // A folder that cannot take the file: nothing is deleted that was not created.
        Fixture f("$PXKTQ,RID\n");
        f.setup.directory = f.dir + "/none";
        TicketRun run(f.setup, f.port, f.timers, f.messages);
        EXPECT_FALSE(run.start());
        EXPECT_EQ(run.state(), TicketRun::State::Failed);
    }
    {
        Fixture f("$PXKTQ,RID\n");
        f.timers.refuse = true;
        TicketRun run(f.setup, f.port, f.timers, f.messages);
        EXPECT_FALSE(run.start());
        EXPECT_FALSE(trix::logs::fileExists(run.path()));
    }
}

TEST(TicketRun, CancelAndLinkLossDeleteThePartialFile) {
    for (int how = 0; how < 4; ++how) {
        Fixture f("$PXKTQ,RID\n->RID\n$PXKTQ,PRT\n");
        TicketRun run(f.setup, f.port, f.timers, f.messages, &f.progress);
        ASSERT_TRUE(run.start());
        run.step();
        if (how == 0)
            run.cancel();
        else if (how == 1)
            f.port.up = false;
        else if (how == 2)
            f.port.host = true;
        else
            f.port.failSends = true;
        run.step();
        EXPECT_EQ(run.state(), TicketRun::State::Cancelled) << how;
        EXPECT_FALSE(trix::logs::fileExists(run.path())) << how;
        EXPECT_EQ(f.messages.statuses.back(), "Creating Support Ticket is cancelled.");
        EXPECT_EQ(f.progress.ends, std::vector<bool>{false});
        for (const auto& s : f.messages.shown)
            EXPECT_EQ(s.find("successfully"), std::string::npos);
    }
}

TEST(TicketRun, AFailedSendOrWriteSaysWhyAndNeverSucceeds) {
    {
        Fixture f("$PXKTQ,RID\n->RID\n$PXKTQ,PRT\n");
        TicketRun run(f.setup, f.port, f.timers, f.messages, &f.progress);
        ASSERT_TRUE(run.start());
        f.port.failSends = true;
        run.step();
        EXPECT_EQ(run.state(), TicketRun::State::Cancelled);
        ASSERT_EQ(f.messages.shown.size(), 2u);
        EXPECT_EQ(f.messages.shown[0], "write failed");
        EXPECT_EQ(f.messages.shown[1], "Creating Support Ticket is cancelled.");
        EXPECT_FALSE(trix::logs::fileExists(run.path()));
    }
    {
        // The ticket file stops taking data (a full disk, here a file size limit): the reason
        // is shown with the file's name, the partial file goes.
        Fixture f("$PXKTQ,RID\n->RID\n$PXKTQ,PRT\n");
        TicketRun run(f.setup, f.port, f.timers, f.messages, &f.progress);
        ASSERT_TRUE(run.start());
        run.step();
        const std::string path = run.path();
        rlimit old{};
        ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
        auto previous = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = old;
        small.rlim_cur = 200;
        ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
        run.line("$PXKTR,RID," + std::string(300, 'X'));
        ::setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, previous);
        EXPECT_EQ(run.state(), TicketRun::State::Cancelled);
        ASSERT_FALSE(f.messages.shown.empty());
        EXPECT_EQ(
            f.messages.shown.front().rfind("Error on writing the ticket file\n" + path + "\n", 0),
            0u)
            << f.messages.shown.front();
        EXPECT_EQ(f.messages.statuses.back(), "Creating Support Ticket is cancelled.");
        EXPECT_EQ(f.progress.ends, std::vector<bool>{false});
        EXPECT_FALSE(trix::logs::fileExists(path));
        for (const auto& s : f.messages.statuses)
            EXPECT_EQ(s.find("successfully"), std::string::npos);
    }
}

TEST(TicketRun, StepInterval) {
    EXPECT_EQ(TicketRun::stepIntervalMs(4800), 2600);
    EXPECT_EQ(TicketRun::stepIntervalMs(9600), 1400);
    EXPECT_EQ(TicketRun::stepIntervalMs(115200), 300);
}

namespace {
class Host : public SeriesHost {
public:
    bool ticketRunning() const override { return running; }
    bool linkReady() const override { return ready; }
    void startTicket() override { ++started; }
    void ticketPane(int v) override { panes.push_back(v); }
    bool running = false, ready = true;
    int started = 0;
    std::vector<int> panes;
};
} // namespace

TEST(TicketSeries, TimersTurnsAndEnd) {
    Host host;
    FakeTimers timers;
    Messages messages;
    TicketSeries series(host, timers, messages);
    TicketMode mode{true, 1, 20};
    ASSERT_EQ(checkTicketMode(mode), ModeField::None);
    ASSERT_TRUE(series.start(mode));
    EXPECT_EQ(timers.running.at(kSeriesEndTimer), 3600000);
    EXPECT_EQ(timers.running.at(kSeriesTimer), 1200000);
    EXPECT_EQ(host.started, 1);
    series.seriesTick();
    EXPECT_EQ(host.started, 2);
    host.running = true; // the previous one still runs: the turn passes
    series.seriesTick();
    host.running = false;
    host.ready = false; // no link: the turn passes with a note
    series.seriesTick();
    EXPECT_EQ(host.started, 2);
    host.ready = true;
    series.endTick();
    EXPECT_FALSE(series.running());
    EXPECT_TRUE(timers.running.empty());
    EXPECT_EQ(messages.statuses.back(), "Support Tickets were created successfully.");
    EXPECT_EQ(host.panes, (std::vector<int>{0, -1}));

    ASSERT_TRUE(series.start(mode));
    series.disconnected();
    EXPECT_FALSE(series.running());
    EXPECT_TRUE(timers.running.empty());

    timers.refuse = true;
    EXPECT_FALSE(series.start(mode));
    EXPECT_EQ(messages.shown.back(), "Out of system timers.");
}

TEST(TicketSeries, ModeChecksAndEnabling) {
    TicketMode m{true, 0, 10};
    EXPECT_EQ(checkTicketMode(m), ModeField::Hours);
    m = {true, 25, 10};
    EXPECT_EQ(checkTicketMode(m), ModeField::Hours);
    m = {true, 1, 61};
    EXPECT_EQ(checkTicketMode(m), ModeField::Hours);
    m = {true, 1, 0};
    EXPECT_EQ(checkTicketMode(m), ModeField::Minutes);
    m = {false, 0, -3};
    EXPECT_EQ(checkTicketMode(m), ModeField::None);
    EXPECT_EQ(m.hours, 1);
    EXPECT_EQ(m.minutes, 15);
    EXPECT_TRUE(ticketCommandEnabled(false, true, false, 2));
    EXPECT_FALSE(ticketCommandEnabled(false, true, false, 20));
    EXPECT_FALSE(ticketCommandEnabled(true, true, false, 5));
    EXPECT_FALSE(ticketCommandEnabled(false, true, true, 5));
    EXPECT_FALSE(ticketCommandEnabled(false, false, false, 5));
}
