#pragma once
// The main window's side of the data plotting window: the factory of "Data Plotting" and the
// "Data Plotting Control Panel" (Ctrl+C in the window), which finds the window anew through
// the main window on every use.

namespace trix::app {
class WindowHost;
}

namespace trix::plot {

class PlotControlPanel;

// Registers the factory of DataWindow::Plot with the main window.
void registerPlotWindow();
// Shows the host's control panel, creating it on first use.
PlotControlPanel* showPlotControlPanel(app::WindowHost& host);

} // namespace trix::plot
