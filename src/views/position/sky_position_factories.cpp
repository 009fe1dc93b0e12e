#include "views/position/sky_position_factories.h"

#include "main_window.h"
#include "trix_application.h"
#include "views/position/position_window.h"
#include "views/sky/display_source.h"
#include "views/sky/sky_chart_window.h"
#include "window_client.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QObject>

namespace trix::views {

namespace {

// What a window reads, taken from the main window; and the registry's notifications, handed
// to the window. Owned by the window (a QObject child), so it outlives the window's own teardown.
class FrameSource : public QObject, public DisplaySource, public app::DataWindowClient {
public:
    explicit FrameSource(app::MainWindow& frame) : frame_(frame) {}

    EpochDecoder* decoder() const override { return frame_.session().decoder(); }
    const logs::Statistics* statistics() const override { return frame_.session().statistics(); }
    const app::Settings& settings() const override { return frame_.app().settings(); }
    bool analysisActive() const override { return frame_.session().link().analysisActive; }
    logs::AnalysisSettings analysis() const override { return frame_.app().analysisSettings(); }
    int modelIndex() const override { return frame_.session().link().modelIndex; }
    MessageSink& messages() override { return frame_.messages(); }
    app::IniProfile* profile() override { return &frame_.app().profile(); }
    void statusText(const std::string& text) override { frame_.messages().status(text); }
    void windowClosed(DataWindow kind) override { frame_.windowClosed(kind); }

protected:
    app::MainWindow& frame_;
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
// it as an MDI child at its stored placement. None when the frame refuses it.
template <class Window, class Client>
QWidget* open(app::MainWindow& frame, DataWindow kind, const app::Interest& interest) {
    auto* client = new Client(frame);
    auto* window = new Window(*client);
    client->setParent(window);
    client->window = window;
    if (!frame.registerWindow(kind, window, client, interest)) {
        delete window;
        return nullptr;
    }
    QMdiSubWindow* sub = frame.mdiArea()->addSubWindow(window);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowIcon(frame.windowIcon());
    sub->resize(sub->sizeHint());
    window->restorePlacement();
    sub->show();
    client->epoch(0);
    return window;
}

} // namespace

void registerSkyAndPositionWindows() {
    app::MainWindow::setWindowFactory(DataWindow::SkyChart, [](app::MainWindow& f) {
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
    app::MainWindow::setWindowFactory(DataWindow::Position, [](app::MainWindow& f) {
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
