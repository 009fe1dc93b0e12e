#include "views/rtcm/rtcm_factory.h"

#include "dgps_parsers.h"
#include "main_window.h"
#include "views/rtcm/dgps_frame.h"
#include "views/rtcm/rtcm_window.h"
#include "window_registry.h"

namespace trix::views {

namespace {

QWidget* openRtcmWindow(app::WindowHost& host) {
    // A live window starts from an empty parser; a viewed file's was filled as it was indexed.
    if (!host.viewingLog())
        host.dgps().renewRtcm();
    return openDgpsWindow<RtcmWindow>(
        host, DataWindow::Rtcm, host.dgps().rtcm(),
        app::Interest().lines().options().epochShown().loggingStarted());
}

} // namespace

void registerRtcmWindow() {
    app::MainWindow::setWindowFactory(DataWindow::Rtcm, openRtcmWindow);
}

} // namespace trix::views
