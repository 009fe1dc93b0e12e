#include "views/plot/plot_factory.h"

#include "base/strings.h"
#include "main_window.h"
#include "views/plot/plot_control_panel.h"
#include "views/plot/plot_window.h"
#include "window_client.h"
#include "window_registry.h"

#include <QAction>

namespace trix::plot {

namespace {

constexpr const char* kPanelName = "PlotControlPanel";

// What the window reads, taken from the host, and the registry's calls, handed on to
// the window. A QObject child of the window, so it lives as long as the window does.
class PlotClient final : public QObject, public PlotSource, public app::DataWindowClient {
public:
    explicit PlotClient(app::WindowHost& host) : host_(host) {}
    PlotWindow* window = nullptr;

    const EpochDecoder* decoder() const override { return host_.decoder(); }
    app::Settings& settings() override { return host_.settings(); }
    MessageSink& messages() override { return host_.messages(); }
    app::IniProfile* profile() override { return &host_.profile(); }
    void windowClosed() override { host_.windowClosed(DataWindow::Plot); }

    // The epoch counter moved (or the movie stepped): the cursor follows.
    void epoch(int) override { window->epochShown(); }
    void epochShown() override { window->epochShown(); }
    void colorsChanged() override { window->colorsChanged(); }
    // A new load replaces the history the series were built from.
    void dataLoaded(bool ok) override {
        if (ok)
            window->dataLoaded();
    }

private:
    app::WindowHost& host_;
};

PlotWindow* plotWindowOf(app::WindowHost& host) {
    return qobject_cast<PlotWindow*>(host.window(DataWindow::Plot));
}

PlotControlPanel* findPanel(app::WindowHost& host) {
    return host.dialogParent()->findChild<PlotControlPanel*>(kPanelName);
}

QWidget* openPlotWindow(app::WindowHost& host) {
    auto* client = new PlotClient(host);
    // The window builds its series from the decoder's history as it is created.
    auto* window = new PlotWindow(*client);
    client->setParent(window);
    client->window = window;
    QMdiSubWindow* sub = app::addDataWindow(host, DataWindow::Plot, window, client,
                                            app::Interest()
                                                .epochs(change::kEpoch)
                                                .onlyWhileViewing()
                                                .epochShown()
                                                .dataLoaded()
                                                .colours());
    if (!sub)
        return nullptr;
    auto* panelAction = new QAction(QString::fromUtf8(str::kPlotControlPanel), window);
    panelAction->setShortcut(QKeySequence(QStringLiteral("Ctrl+C")));
    panelAction->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    window->addAction(panelAction);
    app::WindowHost* h = &host;
    QObject::connect(panelAction, &QAction::triggered, window, [h] { showPlotControlPanel(*h); });

    window->restorePlacement();
    sub->show();
    window->epochShown();
    // An open panel follows the new window (and its ranges from now on).
    if (PlotControlPanel* panel = findPanel(host))
        panel->refresh();
    return window;
}

} // namespace

PlotControlPanel* showPlotControlPanel(app::WindowHost& host) {
    PlotControlPanel* panel = findPanel(host);
    if (!panel) {
        app::WindowHost* h = &host;
        panel = new PlotControlPanel([h] { return plotWindowOf(*h); }, host.settings(),
                                     host.messages(), host.dialogParent());
        panel->setObjectName(kPanelName);
    }
    panel->refresh();
    panel->show();
    panel->raise();
    panel->activateWindow();
    return panel;
}

void registerPlotWindow() {
    app::MainWindow::setWindowFactory(DataWindow::Plot,
                                      [](app::WindowHost& h) { return openPlotWindow(h); });
}

} // namespace trix::plot
