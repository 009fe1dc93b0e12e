#pragma once
// Texts of the data plotting window, its control panel and printing.
// Texts that are format strings take their arguments through cformat().

namespace trix::str {

// Data plotting window, its control panel and colour page; printing.
inline constexpr const char* kDataPlotting = "Data Plotting";
inline constexpr const char* kPlotSeriesNames[] = {
    "Latitude MD",       "Longitude MD", "Altitude MD", "Radial MD", "SV Number",
    "Age of correction", "PDOP",         "HDOP",        "VDOP",      "TDOP",
    "Heading",           "Pitch",        "Roll"};
inline constexpr const char* kPlotUnitMetres = "m";
inline constexpr const char* kPlotUnitSeconds = "sec";
inline constexpr const char* kPlotUnitDegrees = "degrees";
inline constexpr const char* kPlotTitle = "%s (%s)";
inline constexpr const char* kFirstEpochLess = "First epoch must be less then Last epoch.";
inline constexpr const char* kMaxAvailableEpoch = "Maximum available epoch value is %d.";
inline constexpr const char* kTooManyPlots =
    "Sorry, but plots number is too large for the selected window size.\nTherefore, one or "
    "more plots will be closed.";
inline constexpr const char* kPlotPromptLimits =
    "Dbl click left/right mouse button to set left/right part limit.";
inline constexpr const char* kPlotPromptToggle =
    "To on/off the plot dbl click a mouse button or push 'Enter' .";
inline constexpr const char* kPlotPaneTime = "Time:";
inline constexpr const char* kPlotPaneEpoch = "Epoch:";
inline constexpr const char* kPlotPaneValue = "Value:";
inline constexpr const char* kPlotReadoutValue = "%-9.4f%s";
inline constexpr const char* kPlotReadoutTime = "%02d:%02d:%02.1f ";
inline constexpr const char* kPlotNoTime = "0:0:0";
inline constexpr const char* kPlotTimeLabelFull = "%02d:%02d:%04.1f ";
inline constexpr const char* kPlotTimeLabelMinutes = ":%02d:%04.1f ";
inline constexpr const char* kPlotTimeLabelSeconds = "::%04.1f ";
inline constexpr const char* kPlotGridColumns[] = {
    "The Parameter", "Show", "Current value", "MAX", "MIN", "Mean", "RMS"};
inline constexpr const char* kPlotOn = "on";
inline constexpr const char* kPlotOff = "off";
inline constexpr const char* kPlotGridNumber = "%12.4f";
inline constexpr const char* kPlotControlPanel = "Data Plotting Control Panel";
inline constexpr const char* kPlotShownEpochs = "Shown Epochs";
inline constexpr const char* kPlotSelectedEpochs = "Selected Epochs";
inline constexpr const char* kPlotFrom = "From";
inline constexpr const char* kPlotTo = "To";
inline constexpr const char* kPlotSelect = "Select";
inline constexpr const char* kPlotShowSelected = "Show Selected";
inline constexpr const char* kPlotShowAll = "Show All";
inline constexpr const char* kPlotHideSelection = "Hide selection";
inline constexpr const char* kPlotOptionsButton = "Options...";
inline constexpr const char* kPlotGraphObject = "Graph Object";
inline constexpr const char* kPlotObjectItem = "Object Item";
inline constexpr const char* kPlotColorGroups[] = {
    "Curve", "Background", "Axes and Epoch lines", "Mean Line", "RMS ", "Titles"};
inline constexpr const char* kPrintTitle = "Print";
inline constexpr const char* kPrintActiveWindow = "Active window";
inline constexpr const char* kPrintActiveWindowOf = "Active window - \"%s\"";
inline constexpr const char* kPrintAllWindows = "All windows";
inline constexpr const char* kPrintScreenCopy = "Screen copy";
inline constexpr const char* kScreenCopyTitle = "Screen Copy";
inline constexpr const char* kPrintPreview = "Preview...";
inline constexpr const char* kPrintFailed = "Failed to print the document.";
inline constexpr const char* kPrintDate = "%d %b %Y    %H:%M";

} // namespace trix::str
