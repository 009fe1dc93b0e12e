#pragma once
// What the RTCM and RTK windows need of the main window, and the one routine that opens either
// as an MDI child: the display source, the commands over the session's link, the registry's
// notifications and the registration with the window registry. A factory names only what
// differs: the window, its parser and what it listens to.

#include "app/core/data_window.h"
#include "app/window_client.h"
#include "views/rtcm/dgps_commands.h"
#include "views/sky/host_display_source.h"

#include <QObject>

#include <string_view>
#include <type_traits>

namespace trix::app {
class Interest;
}

class QWidget;

namespace trix::views {

// The main window as the DGPS windows see it. A QObject child of its window, so it outlives
// the window's own teardown.
class DgpsFrame : public QObject, public HostDisplaySource, public dgps::DgpsCommands {
public:
    using HostDisplaySource::HostDisplaySource;

    // DgpsCommands: the sets go through the link; switching one off leaves on what the other
    // open window or the standard set still reads.
    bool portOpen() const override;
    void outputSet(dgps::OutputSet set, bool on) override;
    void querySet(std::string_view which) override;
    void query(std::string_view sentence) override;
};

// The registry's notifications, handed to an RTCM or RTK window.
template <class Window> class DgpsClient final : public DgpsFrame, public app::DataWindowClient {
public:
    using DgpsFrame::DgpsFrame;
    Window* window = nullptr;

    void line(std::string_view text) override { window->line(text); }
    void optionsChanged() override { window->optionsChanged(); }
    void unitsChanged() override {
        if constexpr (requires(Window & w) { w.unitsChanged(); })
            window->unitsChanged();
    }
    void colorsChanged() override {
        if constexpr (requires(Window & w) { w.colorsChanged(); })
            window->colorsChanged();
    }
    void epochShown() override {
        if (const EpochDecoder* d = decoder())
            window->epochShown(*d);
    }
    void loggingStarted() override { window->loggingStarted(); }
};

// Registers `window` (its client `client`) as the data window `kind` and shows it as an MDI
// child at its stored placement. False, with the window deleted, when the host refuses it.
bool showDgpsWindow(app::WindowHost& host, DataWindow kind, QWidget* window,
                    app::DataWindowClient* client, const app::Interest& interest);

// Opens `Window` over `parser` as the data window `kind`: registered with `interest`, shown,
// and then either filled from the viewed log file or asking the receiver for its data. None
// when the host refuses it.
template <class Window, class Parser>
QWidget* openDgpsWindow(app::WindowHost& host, DataWindow kind, Parser& parser,
                        const app::Interest& interest) {
    const bool viewing = host.viewingLog();
    auto* client = new DgpsClient<Window>(host);
    auto* window = new Window(parser, *client, *client);
    client->setParent(window);
    client->window = window;
    if (!showDgpsWindow(host, kind, window, client, interest))
        return nullptr;
    // The decoder exists now: the Limit Control switches apply.
    window->optionsChanged();
    if (viewing) {
        // A window that says the file holds none of its data closes again once this call has
        // returned.
        if constexpr (std::is_same_v<decltype(window->dataLoaded()), bool>) {
            if (window->dataLoaded())
                client->epochShown();
        } else {
            window->dataLoaded();
            client->epochShown();
        }
    } else {
        window->opened();
    }
    window->restorePlacement();
    window->parentWidget()->show();
    return window;
}

} // namespace trix::views
