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
inline constexpr const char* kTipWindowEntry = "Bring the window %s to the front";
inline constexpr const char* kTipResetWindowLayout =
    "Forget the stored window placements and arrange the open windows inside the main window";

// --- Help ▸ About
inline constexpr const char* kAboutCommand = "&About Trix32...";
inline constexpr const char* kTipAbout = "Show the program's version and the Qt version it runs on";
inline constexpr const char* kAboutTitle = "About Trix32";
inline constexpr const char* kAboutProgram = "Trix32";
inline constexpr const char* kAboutVersion = "Version %s";
inline constexpr const char* kAboutPurpose =
    "Monitors satellite-navigation receivers and measures their accuracy.";
inline constexpr const char* kAboutRights = "All rights reserved.";
inline constexpr const char* kAboutQtVersions = "Runs on Qt %s (built with Qt %s).";
inline constexpr const char* kAboutQtLicence =
    "Qt is used under the GNU Lesser General Public License version 3 (LGPL v3).";
inline constexpr const char* kAboutQtButton = "About &Qt";

// --- GPS ▸ Recent Log Files
inline constexpr const char* kRecentLogsMenu = "&Recent Log Files";
inline constexpr const char* kTipRecentLogsMenu = "View one of the log files viewed last";
inline constexpr const char* kRecentLogsClear = "Clear &list";
inline constexpr const char* kTipRecentLogsClear = "Forget the list of recently viewed log files";
inline constexpr const char* kTipRecentLogEntry = "View the log file %s";
inline constexpr const char* kRecentLogMissing =
    "The log file %s no longer exists.\n\nIt is removed from the list of recent log files.";

// --- Log files dropped on the main window
inline constexpr const char* kDropSeveralLogs = "%d log files were dropped; only the first, %s, "
                                                "is shown.";
inline constexpr const char* kDropRefused =
    "A log file can be viewed only while no receiver is connected and no emulation runs.";

// --- Ending what runs: the viewed log file, the emulation
inline constexpr const char* kCloseLogFileCommand = "Cl&ose log file";
inline constexpr const char* kEndEmulationCommand = "&End emulation";

// --- The empty MDI area while data arrives
inline constexpr const char* kDataWindowHint =
    "Open View \u25b8 Position or View \u25b8 Sky chart to see the receiver's data";

// --- Status tips of the menu commands and tooltips of the toolbar
inline constexpr const char* kTipConnect = "Connect to a receiver on a serial port or a TCP source";
inline constexpr const char* kTipDisconnect = "Close the connection to the receiver";
inline constexpr const char* kTipSendCommand = "Send a command from the receiver's command menu";
inline constexpr const char* kTipPosition = "Show or close the position window";
inline constexpr const char* kTipSkyChart = "Show or close the sky chart and the satellite table";
inline constexpr const char* kTipIndicatorPanel = "Show or close the indicator panel";
inline constexpr const char* kTipDgpsRtc = "Show or close the RTCM corrections window";
inline constexpr const char* kTipDgpsRtk = "Show or close the RTK window";
inline constexpr const char* kTipDataPlotting =
    "Plot the parameters of the viewed log file over time";
inline constexpr const char* kTipLogging =
    "Start or stop recording what the receiver sends to a log file";
inline constexpr const char* kTipViewLogFile =
    "Open a recorded log file and step through its epochs";
inline constexpr const char* kTipEpochCounter = "Show or close the epoch counter";
inline constexpr const char* kTipAnalysis = "Start or stop the accuracy analysis";
inline constexpr const char* kTipEmulation = "Start or stop the emulated attitude receiver";
inline constexpr const char* kTipSupportTicket =
    "Gather the receiver's answers into support-ticket files";
inline constexpr const char* kTipPortActivity = "Show or close the port activity window";
inline constexpr const char* kTipCloseLogFile = "Stop viewing the log file and close its windows";
inline constexpr const char* kTipEndEmulation = "Stop the emulation and close its windows";
inline constexpr const char* kTipExit = "Quit the program";
inline constexpr const char* kTipToolBar = "Show or hide the toolbar";
inline constexpr const char* kTipStatusBar = "Show or hide the status bar";
inline constexpr const char* kTipOptions =
    "Change units, colours, window layouts, log settings and limits";
inline constexpr const char* kTipTerminal = "Open the terminal: the raw traffic of the receiver";
inline constexpr const char* kTipBook = "Read the descriptions of the supported receivers";
inline constexpr const char* kTipAlmanacDownload = "Download the almanac from the receiver";
inline constexpr const char* kTipAlmanacOpen = "Open an almanac file";
inline constexpr const char* kTipAlmanacSaveAs = "Save the active almanac in another format";
inline constexpr const char* kTipAlmanacPrint = "Print the active almanac";
inline constexpr const char* kTipPrint = "Print the open windows";
inline constexpr const char* kTipPrintPreview = "Show the printed pages before printing";
inline constexpr const char* kTipPrintOptions = "Choose what printing includes";
// Toolbar tooltips: short, with the shortcut appended where the command has one.
inline constexpr const char* kToolConnect = "Connect to a receiver";
inline constexpr const char* kToolDisconnect = "Disconnect the receiver";
inline constexpr const char* kToolViewLogFile = "View a log file";
inline constexpr const char* kToolLogging = "Record a log session";
inline constexpr const char* kToolAnalysis = "Accuracy analysis on or off";
inline constexpr const char* kToolEmulation = "Emulation on or off";
inline constexpr const char* kToolEpochCounter = "Epoch counter";

} // namespace trix::str
