#pragma once
// Hooks the sky chart and the position window into the main frame: the View commands open
// them as MDI children through these factories.

namespace trix::views {

// Registers the factories of DataWindow::SkyChart and DataWindow::Position.
void registerSkyAndPositionWindows();

} // namespace trix::views
