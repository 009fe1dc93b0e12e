#include "views/plot/plot_factory.h"

#include "base/strings.h"
#include "main_window.h"
#include "trix_application.h"
#include "views/plot/plot_control_panel.h"
#include "views/plot/plot_window.h"
#include "window_client.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>

namespace trix::plot {

namespace {

constexpr const char* kPanelName = "PlotControlPanel";

// What the window reads, taken from the main window, and the registry's calls, handed on to
// the window. A QObject child of the window, so it lives as long as the window does.
class PlotClient final : public QObject, public PlotSource, public app::DataWindowClient {
public:
    explicit PlotClient(app::MainWindow& frame) : frame_(frame) {}
    PlotWindow* window = nullptr;

    const EpochDecoder* decoder() const override { return frame_.session().decoder(); }
    app::Settings& settings() override { return frame_.app().settings(); }
    MessageSink& messages() override { return frame_.messages(); }
    app::IniProfile* profile() override { return &frame_.app().profile(); }
    void windowClosed() override { frame_.windowClosed(DataWindow::Plot); }

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
    app::MainWindow& frame_;
};

PlotWindow* plotWindowOf(app::MainWindow& frame) {
    return qobject_cast<PlotWindow*>(frame.window(DataWindow::Plot));
}

QWidget* openPlotWindow(app::MainWindow& frame) {
    auto* client = new PlotClient(frame);
    // The window builds its series from the decoder's history as it is created.
    auto* window = new PlotWindow(*client);
    client->setParent(window);
    client->window = window;
    if (!frame.registerWindow(DataWindow::Plot, window, client,
                              app::Interest()
                                  .epochs(change::kEpoch)
                                  .onlyWhileViewing()
                                  .epochShown()
                                  .dataLoaded()
                                  .colours())) {
        delete window;
        return nullptr;
    }
    auto* panelAction = new QAction(QString::fromUtf8(str::kPlotControlPanel), window);
    panelAction->setShortcut(QKeySequence(QStringLiteral("Ctrl+C")));
    panelAction->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    window->addAction(panelAction);
    app::MainWindow* f = &frame;
    QObject::connect(panelAction, &QAction::triggered, window, [f] { showPlotControlPanel(*f); });

    QMdiSubWindow* sub = frame.mdiArea()->addSubWindow(window);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowIcon(frame.windowIcon());
    sub->resize(sub->sizeHint());
    window->restorePlacement();
    sub->show();
    window->epochShown();
    // An open panel follows the new window (and its ranges from now on).
    if (auto* panel = frame.findChild<PlotControlPanel*>(kPanelName))
        panel->refresh();
    return window;
}

} // namespace

PlotControlPanel* showPlotControlPanel(app::MainWindow& frame) {
    auto* panel = frame.findChild<PlotControlPanel*>(kPanelName);
    if (!panel) {
        app::MainWindow* f = &frame;
        panel = new PlotControlPanel([f] { return plotWindowOf(*f); }, frame.app().settings(),
                                     frame.messages(), &frame);
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
                                      [](app::MainWindow& f) { return openPlotWindow(f); });
}

} // namespace trix::plot
