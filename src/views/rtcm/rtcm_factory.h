#pragma once
// Hooks the RTCM corrections window into the main frame: "DGPS &RTC" opens it through this
// factory.

namespace trix::views {

// Registers the factory of DataWindow::Rtcm.
void registerRtcmWindow();

} // namespace trix::views
