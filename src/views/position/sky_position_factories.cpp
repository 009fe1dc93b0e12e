#include "views/position/sky_position_factories.h"

#include "main_window.h"
#include "views/position/position_window.h"
#include "views/sky/host_display_source.h"
#include "views/sky/sky_chart_window.h"
#include "window_client.h"
#include "window_registry.h"

#include <QObject>

namespace trix::views {

namespace {

// What a window reads, taken from the host; and the registry's notifications, handed to the
// window. Owned by the window (a QObject child), so it outlives the window's own teardown.
class FrameSource : public QObject, public HostDisplaySource, public app::DataWindowClient {
public:
    using HostDisplaySource::HostDisplaySource;
};

class SkyClient final : public FrameSource {
public:
    using FrameSource::FrameSource;
    SkyChartWindow* window = nullptr;

    void epoch(int) override { window->epoch(); }
    void redrawAll() override { window->epoch(); }
    void optionsChanged() override { window->optionsChanged(); }
    void colorsChanged() override { window->colorsChanged(); }
    void dataLoaded(bool) override { window->epoch(); }
};

class PositionClient final : public FrameSource {
public:
    using FrameSource::FrameSource;
    PositionWindow* window = nullptr;

    void epoch(int hint) override { window->epoch(hint); }
    void redrawAll() override { window->redrawAll(); }
    void optionsChanged() override { window->optionsChanged(); }
    void unitsChanged() override { window->unitsChanged(); }
    void colorsChanged() override { window->colorsChanged(); }
    void analysisChanged() override { window->analysisChanged(); }
    void dataLoaded(bool) override { window->dataLoaded(); }
};

// Creates the window over its client, registers it (taking a use of the decoder) and shows
// it as an MDI child at its stored placement. None when the host refuses it.
template <class Window, class Client>
QWidget* open(app::WindowHost& host, DataWindow kind, const app::Interest& interest) {
    auto* client = new Client(host);
    auto* window = new Window(*client);
    client->setParent(window);
    client->window = window;
    QMdiSubWindow* sub = app::addDataWindow(host, kind, window, client, interest);
    if (!sub)
        return nullptr;
    window->restorePlacement();
    sub->show();
    client->epoch(0);
    return window;
}

} // namespace

void registerSkyAndPositionWindows() {
    app::MainWindow::setWindowFactory(DataWindow::SkyChart, [](app::WindowHost& f) {
        // Whole epochs and the satellite sentences, drawn at most five times a second.
        return open<SkyChartWindow, SkyClient>(
            f, DataWindow::SkyChart,
            app::Interest()
                .epochs(change::kEpoch | change::kSatellites | change::kSignals)
                .redraws(change::kSentenceSet)
                .colours()
                .skyLayout()
                .dataLoaded());
    });
    app::MainWindow::setWindowFactory(DataWindow::Position, [](app::WindowHost& f) {
        // Whole epochs and the position sentences with what part of them changed.
        return open<PositionWindow, PositionClient>(
            f, DataWindow::Position,
            app::Interest()
                .epochs(change::kEpoch | change::kPosition | change::kHintBits)
                .redraws(change::kSentenceSet | change::kUnits)
                .units()
                .colours()
                .options()
                .analysis()
                .dataLoaded());
    });
}

} // namespace trix::views
