#include "views/rtk/rtk_factory.h"

#include "dgps_parsers.h"
#include "main_window.h"
#include "views/rtcm/dgps_frame.h"
#include "views/rtk/rtk_window.h"
#include "window_registry.h"

namespace trix::views {

namespace {

QWidget* openRtkWindow(app::WindowHost& host) {
    // A live window starts from an empty parser; a viewed file's was filled as it was indexed.
    if (!host.viewingLog())
        host.dgps().renewRtk();
    return openDgpsWindow<RtkWindow>(
        host, DataWindow::Rtk, host.dgps().rtk(),
        app::Interest().lines().options().units().colours().epochShown().loggingStarted());
}

} // namespace

void registerRtkWindow() {
    app::MainWindow::setWindowFactory(DataWindow::Rtk, openRtkWindow);
}

} // namespace trix::views
