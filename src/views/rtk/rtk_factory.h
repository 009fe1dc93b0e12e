#pragma once
// Hooks the RTK window into the main frame: "DGPS RT&K" opens it through this factory.

namespace trix::views {

// Registers the factory of DataWindow::Rtk.
void registerRtkWindow();

} // namespace trix::views
