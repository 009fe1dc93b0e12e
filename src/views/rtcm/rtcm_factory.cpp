#include "views/rtcm/rtcm_factory.h"

#include "dgps_parsers.h"
#include "main_window.h"
#include "views/rtcm/dgps_frame.h"
#include "views/rtcm/rtcm_window.h"
#include "window_client.h"

namespace trix::views {

namespace {

// The registry's notifications, handed to the window.
class RtcmClient final : public DgpsFrame, public app::DataWindowClient {
public:
    using DgpsFrame::DgpsFrame;
    RtcmWindow* window = nullptr;

    void line(std::string_view text) override { window->line(text); }
    void optionsChanged() override { window->optionsChanged(); }
    void epochShown() override {
        if (const EpochDecoder* d = decoder())
            window->epochShown(d->pos.utcTime);
    }
    void loggingStarted() override { window->loggingStarted(); }
};

QWidget* openRtcmWindow(app::MainWindow& frame) {
    app::Session& session = frame.session();
    const bool viewing = session.link().viewFileMode;
    if (!viewing)
        session.dgps().renewRtcm();
    auto* client = new RtcmClient(frame);
    auto* window = new RtcmWindow(session.dgps().rtcm(), *client, *client);
    client->setParent(window);
    client->window = window;
    if (!showDgpsWindow(frame, DataWindow::Rtcm, window, client,
                        app::Interest().lines().options().epochShown().loggingStarted()))
        return nullptr;
    // The decoder exists now: the checksum switch applies.
    window->optionsChanged();
    if (viewing) {
        window->dataLoaded();
        client->epochShown();
    } else {
        window->opened();
    }
    window->restorePlacement();
    window->parentWidget()->show();
    return window;
}

} // namespace

void registerRtcmWindow() {
    app::MainWindow::setWindowFactory(DataWindow::Rtcm, openRtcmWindow);
}

} // namespace trix::views
