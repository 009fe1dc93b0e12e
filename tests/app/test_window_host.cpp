// The data windows' factories, the print commands and the start-up choices driven over hosts of
// the test's own, with no main window: what each registers for, that it shows in the host's MDI
// area, and that closing (or a refusal) leaves nothing registered behind.

#include "app/core/ini_profile.h"
#include "app/core/settings.h"
#include "dgps_parsers.h"
#include "link/link.h"
#include "main_window.h"
#include "startup_dialog.h"
#include "views/panel/panel_factory.h"
#include "views/plot/plot_control_panel.h"
#include "views/plot/plot_factory.h"
#include "views/position/sky_position_factories.h"
#include "views/print/print_frame.h"
#include "views/rtcm/rtcm_factory.h"
#include "views/rtk/rtk_factory.h"
#include "window_host.h"
#include "window_registry.h"

#include <QAction>
#include <QCoreApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPointer>
#include <QTest>

#include <map>
#include <memory>
#include <string>
#include <vector>

using namespace trix;
using trix::app::Interest;

namespace {

// A host with an MDI area, its own settings and a registry of its own. It implements the
// command side too, so that the print commands can act on the windows it opened.
class TestHost : public app::WindowHost, public app::CommandHost {
public:
    TestHost() : connection_(sink_) {
        frame.resize(900, 700);
        area = new QMdiArea(&frame);
        area->resize(900, 700);
        file = new QMenu(&frame);
        frame.show();
    }

    bool registerWindow(DataWindow kind, QWidget* window, app::DataWindowClient* client,
                        const Interest& interest) override {
        if (refuse)
            return false;
        if (!decoder_)
            decoder_ = std::make_unique<EpochDecoder>();
        open_[kind] = Entry{window, client, interest};
        registry.add(*client, interest);
        return true;
    }
    void windowClosed(DataWindow kind) override {
        ++closed[kind];
        auto it = open_.find(kind);
        if (it == open_.end())
            return;
        registry.remove(*it->second.client);
        open_.erase(it);
    }
    QWidget* window(DataWindow kind) const override {
        auto it = open_.find(kind);
        return it == open_.end() ? nullptr : it->second.window.data();
    }
    QMdiArea* mdiArea() const override { return area; }
    QWidget* dialogParent() override { return &frame; }
    app::Settings& settings() override { return settings_; }
    app::IniProfile& profile() override { return profile_; }
    UnitSelection units() const override { return {}; }
    logs::AnalysisSettings analysisSettings() const override { return {}; }
    MessageSink& messages() override { return sink_; }
    EpochDecoder* decoder() const override { return decoder_.get(); }
    const logs::Statistics* statistics() const override { return nullptr; }
    bool analysisActive() const override { return false; }
    bool viewingLog() const override { return false; }
    int modelIndex() const override { return 0; }
    app::DgpsParsers& dgps() override { return dgps_; }
    link::Link& connection() override { return connection_; }
    QMenu* fileMenu() override { return file; }

    const Interest* interestOf(DataWindow kind) const {
        auto it = open_.find(kind);
        return it == open_.end() ? nullptr : &it->second.interest;
    }
    const app::DataWindowClient* clientOf(DataWindow kind) const {
        auto it = open_.find(kind);
        return it == open_.end() ? nullptr : it->second.client;
    }

    bool refuse = false;
    std::map<DataWindow, int> closed;
    app::WindowRegistry registry;

private:
    struct Entry {
        QPointer<QWidget> window;
        app::DataWindowClient* client = nullptr;
        Interest interest;
    };
    SilentSink sink_;
    app::Settings settings_;
    app::IniProfile profile_;
    std::unique_ptr<EpochDecoder> decoder_;
    app::DgpsParsers dgps_;
    link::Link connection_;
    std::map<DataWindow, Entry> open_;

public:
    // Last, so that the windows go first and still find the registry and the link.
    QWidget frame;
    QMdiArea* area = nullptr;
    QMenu* file = nullptr;
};

// What a window must be told of, and what it must not.
struct Expected {
    DataWindow kind;
    const char* name;
    unsigned hears;   // Interest::Event bits it needs
    unsigned deaf;    // Interest::Event bits it never reads
    int heardEpoch;   // a decoder change it is told of, 0 for none
    int unheardEpoch; // a decoder change it is not told of, 0 for none
};

const std::vector<Expected>& expectations() {
    using I = Interest;
    static const std::vector<Expected> table = {
        {DataWindow::SkyChart, "sky chart", I::kColours | I::kSkyLayout | I::kDataLoaded,
         I::kUnits | I::kLines, change::kSatellites, change::kSatellites | change::kHeld},
        {DataWindow::Position, "position",
         I::kUnits | I::kColours | I::kOptions | I::kAnalysis | I::kDataLoaded, I::kLines,
         change::kPosition, change::kPosition | change::kHeld},
        // The panel counts every epoch, held back or not.
        {DataWindow::Panel, "indicator panel", I::kUnits | I::kDataLoaded, I::kLines,
         change::kPosition | change::kHeld, 0},
        {DataWindow::Rtcm, "RTCM", I::kLines | I::kOptions | I::kEpochShown | I::kLoggingStarted,
         I::kUnits | I::kColours, 0, 0},
        {DataWindow::Rtk, "RTK",
         I::kLines | I::kOptions | I::kUnits | I::kColours | I::kEpochShown | I::kLoggingStarted,
         I::kIndexedLines, 0, 0},
        // The plot follows epochs only while a file is viewed.
        {DataWindow::Plot, "data plot", I::kEpochShown | I::kDataLoaded | I::kColours, I::kLines,
         change::kEpoch | change::kViewing, change::kEpoch},
    };
    return table;
}

QMdiSubWindow* subWindowOf(QWidget* window) {
    return window ? qobject_cast<QMdiSubWindow*>(window->parentWidget()) : nullptr;
}

// A start-up host that records what the choices run.
class StartupRecorder : public app::StartupHost {
public:
    StartupRecorder() : connect_(QStringLiteral("Connect")) {}
    app::Settings& settings() override { return settings_; }
    QAction* action(app::Command c) const override {
        return c == app::Command::Connect ? &connect_ : nullptr;
    }
    void connectWithLastSettings() override { calls.push_back("connect last"); }
    void onViewLogFile() override { calls.push_back("view log"); }
    void onAnalysis() override { calls.push_back("analysis"); }
    void onEmulation() override { calls.push_back("emulation"); }
    void openReceiversBook() override { calls.push_back("book"); }
    void updateCommands() override { calls.push_back("update"); }

    app::Settings settings_;
    mutable QAction connect_;
    std::vector<std::string> calls;
};

} // namespace

class WindowHostTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        views::registerSkyAndPositionWindows();
        views::registerPanelWindows();
        views::registerRtcmWindow();
        views::registerRtkWindow();
        plot::registerPlotWindow();
    }

    void eachFactoryOpensItsWindowInTheHostWithWhatItListensTo() {
        for (const Expected& e : expectations()) {
            const QByteArray what(e.name);
            TestHost host;
            const app::MainWindow::WindowFactory open = app::MainWindow::windowFactory(e.kind);
            QVERIFY2(open, what);
            QWidget* window = open(host);
            QVERIFY2(window, what);
            QCOMPARE(host.window(e.kind), window);
            QMdiSubWindow* sub = subWindowOf(window);
            QVERIFY2(sub && host.area->subWindowList().contains(sub), what);
            QVERIFY2(sub->isVisible(), what);
            QVERIFY2(host.registry.contains(*host.clientOf(e.kind)), what);

            const Interest& interest = *host.interestOf(e.kind);
            for (unsigned bit = 1; bit <= Interest::kLoggingStarted; bit <<= 1) {
                const auto event = static_cast<Interest::Event>(bit);
                if (e.hears & bit)
                    QVERIFY2(interest.hears(event),
                             what + " needs event " + QByteArray::number(bit));
                if (e.deaf & bit)
                    QVERIFY2(!interest.hears(event),
                             what + " reads no event " + QByteArray::number(bit));
            }
            if (e.heardEpoch)
                QVERIFY2(interest.hearsEpoch(e.heardEpoch), what);
            if (e.unheardEpoch)
                QVERIFY2(!interest.hearsEpoch(e.unheardEpoch), what);
        }
    }

    void closingAWindowUnregistersItOnce() {
        for (const Expected& e : expectations()) {
            const QByteArray what(e.name);
            TestHost host;
            QWidget* window = app::MainWindow::windowFactory(e.kind)(host);
            QVERIFY2(window, what);
            const app::DataWindowClient* client = host.clientOf(e.kind);
            subWindowOf(window)->close();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QCoreApplication::processEvents();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QCOMPARE(host.window(e.kind), nullptr);
            QCOMPARE(host.closed[e.kind], 1);
            QVERIFY2(!host.registry.contains(*client), what);
            QVERIFY2(host.area->subWindowList().isEmpty(), what);
        }
    }

    void aRefusedWindowLeavesNothingBehind() {
        for (const Expected& e : expectations()) {
            const QByteArray what(e.name);
            TestHost host;
            host.refuse = true;
            QCOMPARE(app::MainWindow::windowFactory(e.kind)(host), nullptr);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QCOMPARE(host.window(e.kind), nullptr);
            QVERIFY2(host.area->subWindowList().isEmpty(), what);
            QCOMPARE(host.registry.size(), std::size_t{0});
        }
    }

    void plotControlPanelBelongsToTheHost() {
        TestHost host;
        QWidget* first = app::MainWindow::windowFactory(DataWindow::Plot)(host);
        QVERIFY(first);
        plot::PlotControlPanel* panel = plot::showPlotControlPanel(host);
        QCOMPARE(panel->parentWidget(), &host.frame);
        QVERIFY(panel->isVisible());
        // One panel for the host: a new plot window and a second Ctrl+C find the same one.
        subWindowOf(first)->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(app::MainWindow::windowFactory(DataWindow::Plot)(host));
        QCOMPARE(plot::showPlotControlPanel(host), panel);
        QCOMPARE(host.frame.findChildren<plot::PlotControlPanel*>().size(), 1);
    }

    void printCommandsGoInTheHostsFileMenuAndFollowTheActiveWindow() {
        TestHost host;
        QAction* exit = host.file->addAction(QStringLiteral("Exit"));
        auto* commands = new print::PrintCommands(host);
        QCOMPARE(commands->parent(), &host.frame);
        const QList<QAction*> items = host.file->actions();
        QCOMPARE(items.size(), 5);
        QCOMPARE(items[0], commands->printAction());
        QCOMPARE(items[1], commands->previewAction());
        QCOMPARE(items[2], commands->optionsAction());
        QVERIFY(items[3]->isSeparator());
        QCOMPARE(items[4], exit);
        // Ctrl+P works with the menu closed.
        QVERIFY(host.frame.actions().contains(commands->printAction()));
        QVERIFY(!commands->printAction()->isEnabled());

        QWidget* sky = app::MainWindow::windowFactory(DataWindow::SkyChart)(host);
        QVERIFY(sky);
        host.area->setActiveSubWindow(subWindowOf(sky));
        commands->updateCommands();
        QVERIFY(commands->printAction()->isEnabled());
        QVERIFY(commands->previewAction()->isEnabled());
        QCOMPARE(commands->allDocuments().size(), std::size_t{1});
    }

    void startupChoicesRunThroughTheirHost() {
        StartupRecorder host;
        host.settings_.comNumber = 3;
        host.connect_.setEnabled(false);
        // The last settings are kept, but with Connect unavailable nothing connects.
        app::runStartupChoice(host, app::StartupChoice::ConnectLast, true, false);
        QCOMPARE(host.settings_.comNumber, 3);
        QCOMPARE(host.settings_.displayStartup, 0);
        QCOMPARE(host.calls, (std::vector<std::string>{"analysis", "update"}));

        host.calls.clear();
        host.connect_.setEnabled(true);
        app::runStartupChoice(host, app::StartupChoice::ConnectLast, false, true);
        QCOMPARE(host.calls, (std::vector<std::string>{"connect last", "update"}));
        QCOMPARE(host.settings_.displayStartup, 1);

        // Any other choice forgets the stored port.
        host.calls.clear();
        int triggered = 0;
        QObject::connect(&host.connect_, &QAction::triggered, [&] { ++triggered; });
        app::runStartupChoice(host, app::StartupChoice::Connect, false, true);
        QCOMPARE(triggered, 1);
        QCOMPARE(host.settings_.comNumber, 0);

        host.settings_.comNumber = 2;
        host.calls.clear();
        app::runStartupChoice(host, app::StartupChoice::Info, false, true);
        QCOMPARE(host.calls, (std::vector<std::string>{"book", "update"}));
        QCOMPARE(host.settings_.comNumber, 0);

        host.settings_.comNumber = 4;
        app::cancelStartup(host);
        QCOMPARE(host.settings_.comNumber, 0);
    }
};

QTEST_MAIN(WindowHostTest)
#include "test_window_host.moc"
