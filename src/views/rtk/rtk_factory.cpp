#include "views/rtk/rtk_factory.h"

#include "dgps_parsers.h"
#include "main_window.h"
#include "views/rtcm/dgps_frame.h"
#include "views/rtk/rtk_window.h"
#include "window_client.h"

namespace trix::views {

namespace {

// The registry's notifications, handed to the window.
class RtkClient final : public DgpsFrame, public app::DataWindowClient {
public:
    using DgpsFrame::DgpsFrame;
    RtkWindow* window = nullptr;

    void line(std::string_view text) override { window->line(text); }
    void optionsChanged() override { window->optionsChanged(); }
    void unitsChanged() override { window->unitsChanged(); }
    void colorsChanged() override { window->colorsChanged(); }
    void epochShown() override {
        if (const EpochDecoder* d = decoder())
            window->epochShown(d->pos.utcTime);
    }
    void loggingStarted() override { window->loggingStarted(); }
};

QWidget* openRtkWindow(app::MainWindow& frame) {
    app::Session& session = frame.session();
    const bool viewing = session.link().viewFileMode;
    if (!viewing)
        session.dgps().renewRtk();
    auto* client = new RtkClient(frame);
    auto* window = new RtkWindow(session.dgps().rtk(), *client, *client);
    client->setParent(window);
    client->window = window;
    if (!showDgpsWindow(
            frame, DataWindow::Rtk, window, client,
            app::Interest().lines().options().units().colours().epochShown().loggingStarted()))
        return nullptr;
    // The decoder exists now: the Limit Control switches apply.
    window->optionsChanged();
    // A file without RTK data closes the window again once this call has returned.
    if (viewing) {
        if (window->dataLoaded())
            client->epochShown();
    } else {
        window->opened();
    }
    window->restorePlacement();
    window->parentWidget()->show();
    return window;
}

} // namespace

void registerRtkWindow() {
    app::MainWindow::setWindowFactory(DataWindow::Rtk, openRtkWindow);
}

} // namespace trix::views
