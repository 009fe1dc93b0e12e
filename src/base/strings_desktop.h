#pragma once
// Texts of the desktop conventions: tooltips, Copy, the manual, the Window and File menus.
// Texts that are format strings take their arguments through cformat().

namespace trix::str {

// Desktop conventions: tooltips of the status-bar panes and the instruments, the Copy
// command of tables and texts, the user manual.
inline constexpr const char* kTipStatusMessage = "Messages and hints of the program";
inline constexpr const char* kTipStatusAnimation = "Busy while the program waits for the receiver";
inline constexpr const char* kTipStatusIcon =
    "A red dot while a log session records; a cross hair while an analysis runs";
inline constexpr const char* kTipStatusRecording = "A log session is recording";
inline constexpr const char* kTipStatusAnalysis = "An analysis is running";
inline constexpr const char* kTipStatusPort = "The COM port of the receiver";
inline constexpr const char* kTipStatusBaud = "The baud rate of the port";
inline constexpr const char* kTipStatusUnits =
    "Measurement units: distance, horizontal speed, altitude (View > Options...)";
inline constexpr const char* kTipStatusProgress = "Progress of reading a log file";
inline constexpr const char* kTipSpeedDial = "Horizontal speed; the scale follows the speed";
inline constexpr const char* kTipCourseDial =
    "Course over ground on the compass rose; with the attitude receiver also the heading";
inline constexpr const char* kTipYawPitchDial =
    "Yaw (left half) and pitch (right half), 30\u00b0 each way; a needle at the stop with a "
    "flag is off scale";
inline constexpr const char* kTipVerticalDial = "Vertical speed: climbing above, sinking below";
inline constexpr const char* kTipAltitudeDial =
    "Altitude: long hand one turn per decade of the scale, short hand the decades";
inline constexpr const char* kTipHorizonDial = "Artificial horizon: pitch and roll";
inline constexpr const char* kCopy = "&Copy";
inline constexpr const char* kManualTitle = "User manual";
inline constexpr const char* kManualMissing =
    "The user manual was not found. It is looked for in these folders:";

// --- Wiring of the almanac, terminal, ticket and book into the main window ------------------
inline constexpr const char* kAlmanacMenuPrint = "&Print...";
inline constexpr const char* kWireTerminalCommand = "&Terminal...";
inline constexpr const char* kWireHelpMenu = "&Help";
inline constexpr const char* kWireBookCommand = "Info about GPS Receivers";

// --- File menu: printing
inline constexpr const char* kPrintCommand = "&Print...";
inline constexpr const char* kPrintPreviewCommand = "Print Pre&view...";
inline constexpr const char* kPrintOptionsCommand = "Print &Options...";

// --- Options sheet: the data-plot colour page
inline constexpr const char* kPagePlotColors = "Data Plotting Colors";

// --- Desktop conventions of the main window ------------------------------------------------
inline constexpr const char* kQuitWhileRecording =
    "A log session is recording.\n\nEnd the log session and quit?";
inline constexpr const char* kDeviceUnusable = "The device %s cannot be opened: %s";
inline constexpr const char* kActivityNotConnected = "not connected";
inline constexpr const char* kWindowCascade = "&Cascade";
inline constexpr const char* kWindowTile = "&Tile";
inline constexpr const char* kWindowNext = "Ne&xt Window";
inline constexpr const char* kWindowPrevious = "Pre&vious Window";
inline constexpr const char* kResetWindowLayout = "Reset window layout";
inline constexpr const char* kTipWindowCascade = "Arrange the windows so that they overlap";
inline constexpr const char* kTipWindowTile = "Arrange the windows side by side";
inline constexpr const char* kTipWindowNext = "Activate the next window";
inline constexpr const char* kTipWindowPrevious = "Activate the previous window";
inline constexpr const char* kTipResetWindowLayout =
    "Forget the stored window placements and arrange the open windows inside the main window";

} // namespace trix::str
