#pragma once
// How the windows of this folder and the panel pane meet the main frame: what they read from
// it, and the factory that opens the indicator panel from the View menu.

#include "views/instruments/panel_source.h"
#include "views/panel/indicator_panel.h"

namespace trix::app {
class WindowHost;
}

namespace trix::views {

// The panel pane's view of the frame: decoder, statistics, analysis state and settings.
PanelSource panelSourceFor(app::WindowHost& host);
// The indicator panel's view of the frame.
FiguresSource figuresSourceFor(app::WindowHost& host);

// Registers the indicator panel's window factory with the main frame.
void registerPanelWindows();

} // namespace trix::views
