#pragma once
// The program's string table: user-facing texts, verbatim.
// Texts that are format strings take their arguments through cformat().

namespace trix::str {

// Messages of the main window, the files and the port.
inline constexpr const char* kFileNotOpened = "File \n%s\ncould not be opened !";
inline constexpr const char* kNoComPorts = "No available COM ports !";
inline constexpr const char* kErrorOpeningCom = "Error on opening COM%d : %s";
inline constexpr const char* kModeNotSet = "Mode not setted !";
inline constexpr const char* kSpeedChangeLost =
    "Communication between Trialix and GPS receiver lost due to port speed change.";
inline constexpr const char* kUtilityNotLoaded = "Error on loading utility.dll !";
inline constexpr const char* kNotEnoughMemory = "Not enough memory.";
inline constexpr const char* kOutOfTimers = "Out of system timers.";

// Epoch assembly.
inline constexpr const char* kTooManyIncomplete =
    "Too many Epochs are incomplete!\n\nTry to increase COM port baud rate or decrease messages "
    "input by closing some windows or manualy turning off NMEA or RAW receiver's output from "
    "within GPS Receiver Terminal window.";

// Log files.
inline constexpr const char* kChecksumErrorLine = "Error CheckSum. Line %d.\n";
inline constexpr const char* kCantRecognize =
    "The Trialix can't recognize the file\n%s\nas %s receiver *.log file.\nThis file will be "
    "analysed as default Tennar receiver *.log file.\n\n";
inline constexpr const char* kSecondAttempt = "Second attempt of analyse *.log file";
inline constexpr const char* kErrorFileNotClosed = "The Error File was not close.";
inline constexpr const char* kNoEpochs = "No epochs in the file.";
inline constexpr const char* kViewErrorsQuestion =
    "The erorrs occured on analysing the file \n%s.\n Do you wish to view the errors list? ";
inline constexpr const char* kEnterEpochRange = "Enter the number of epoch from 1 to %d !";
inline constexpr const char* kMovieEnd =
    "      End of epoch movie. \n\nDo you want to view movie again?";
inline constexpr const char* kErrorWritingLog = "Error on writing log file !";
inline constexpr const char* kDiskFull = "Disk is full !";
inline constexpr const char* kErrorClosingFile = "Error on closing File %s.";

// Application shell: title, frame, start-up menu, epoch counter, analysis.
inline constexpr const char* kAppTitle = "Orvane Trialix";                // 2
inline constexpr const char* kTitleAnalysisActive = " - Analysis Active"; // 3
inline constexpr const char* kTitleReceiverType = " - GPS Receiver type:  ";
inline constexpr const char* kTitleEmulation = " - Emulation mode for ";
inline constexpr const char* kTitleViewFile = " - View file '%s' from ";
inline constexpr const char* kAnalysisWarning =
    "             WARNING !\nAntenna must be stationary during analysis.\n\n\nTo stop analysis, "
    "delete the check mark on the Analysis Active submenu of GPS menu.";
inline constexpr const char* kStartupConnect = "Connect to GPS Receiver";
inline constexpr const char* kStartupConnectLast = "Connect to GPS Receiver with last settings";
inline constexpr const char* kStartupViewLog = "View log file";
inline constexpr const char* kStartupEmulation = "Emulation";
inline constexpr const char* kStartupInfo = "Info about GPS Receivers supported by Trialix";
inline constexpr const char* kStartupActivateAnalysis = "Activate Analysis";
inline constexpr const char* kStartupDisplayMenu = "Display this menu on startup";
inline constexpr const char* kAnalyzingLogFile = "Analyzing log file...";
inline constexpr const char* kLogFilesFilter = "Log Files (*.log)";
inline constexpr const char* kEpochCounterTitle = "Epoch counter";
inline constexpr const char* kCurrentEpoch = "Current epoch";
inline constexpr const char* kEpochIntervalSec = "Epoch interval [sec]";
inline constexpr const char* kTotal = "Total";
inline constexpr const char* kLoggingTo = "Logging to";
inline constexpr const char* kTotalLogged = "Total logged";
inline constexpr const char* kAvailable = "Available";
inline constexpr const char* kHintScrollEpochs = "Scroll epochs: <-/-> or PgUp/PgDn";
inline constexpr const char* kHintEnterEpoch = "Enter the number of epoch";
inline constexpr const char* kStaticPositionTitle = "Static Position Data";
inline constexpr const char* kAverageOverTime = "Average over time";
inline constexpr const char* kVsTruth = "vs Truth";
inline constexpr const char* kLoadFromReceiver = "Load from GPS Receiver";
inline constexpr const char* kWriteOutlierFile = "write outlier file";
inline constexpr const char* kTicketsCreated = "Support Tickets were created successfully.";

// Options sheet.
inline constexpr const char* kOptionsTitle = "Options";
inline constexpr const char* kPageGeneral = "General";
inline constexpr const char* kPageLoggingFile = "Logging file";
inline constexpr const char* kPageUnits = "Measurement units";
inline constexpr const char* kPageColors = "Colors";
inline constexpr const char* kPageLimit = "Limit Control";
inline constexpr const char* kCourseDialUp = "Course Dial Up";
inline constexpr const char* kNorthUp = "North Up";
inline constexpr const char* kHeadCogUp = "Head/ COG Up";
inline constexpr const char* kSkyChartLayout = "Sky Chart layout";
inline constexpr const char* kHorizontal = "Horizontal";
inline constexpr const char* kVertical = "Vertical";
inline constexpr const char* kDevicesFeature = "Devices feature";
inline constexpr const char* kAutomobile = "Automobile";
inline constexpr const char* kAeronautical = "Aeronautical";
inline constexpr const char* kNautical = "Nautical";
inline constexpr const char* kDataPlottingLayout = "Data Plotting layout";
inline constexpr const char* kDisplayStartupMenu = "Display startup menu on startup";
inline constexpr const char* kUnitsDistance = "Distance:";
inline constexpr const char* kUnitsHorSpeed = "Horizontal Speed:";
inline constexpr const char* kUnitsVerSpeed = "Vertical Speed:";
inline constexpr const char* kUnitsAltitude = "Altitude:";
inline constexpr const char* kUnitsCoordinates = "Coordinates format:";
inline constexpr const char* kDistanceUnitNames[] = {
    "nautical mile [n.ml]", "mile [ml]",      "kilometer [km]",
    "cable [cb]",           "meter [m]",      "feet [ft]",
    "inches [in]",          "centimeter [cm]"};
inline constexpr const char* kSpeedUnitNames[] = {"knots", "mph", "km/h", "m/s", "ft/s"};
inline constexpr const char* kAltitudeUnitNames[] = {"meter [m]", "feet [ft]"};
inline constexpr const char* kCoordinateFormatNames[] = {"ddd.dddddddddd", "ddd mm.mmmmmmm",
                                                         "ddd mm ss.ssssss"};
inline constexpr const char* kWindowToSetColors = "Window to set colors";
inline constexpr const char* kDeparturePlot = "Departure Plot";
inline constexpr const char* kSkyChart = "Sky Chart";
inline constexpr const char* kSetNewColor = "Set new color...";
inline constexpr const char* kRestoreAllDefaults = "Restore all defaults";
inline constexpr const char* kSample = "Sample";
inline constexpr const char* kStatusEpoch = "Epochs: %d   UTC %02d:%02d:%05.2f";
inline constexpr const char* kSelectFolder = "Select Folder";
inline constexpr const char* kSelectLogFolder = "Please select folder for Log files:";

// Accuracy statistics, summary/outlier file, log session, folder chooser.
inline constexpr const char* kOutlierFileFor = "Outlier File for %s receiver";
inline constexpr const char* kAssociatedLogFile = "Associated log file: %s";
inline constexpr const char* kTruthReference = "Truth reference coordinates:";
inline constexpr const char* kTruthLatitude = "      latitude: %s";
inline constexpr const char* kTruthLongitude = "      longitude: %s";
inline constexpr const char* kTruthAltitude = "      altitude: %.4f";
inline constexpr const char* kOutlierLimitHeader = "Outlier limit: %.4f\n";
inline constexpr const char* kAnalysisStart = "\nTime of analysis start: %d:%d:%.4f";
inline constexpr const char* kAnalysisStop = "Time of analysis stop: %d:%d:%.4f.\n";
inline constexpr const char* kStatisticalSummary = "Statistical summary:\n";
inline constexpr const char* kCep = "CEP";
inline constexpr const char* kHorizontalRms = "Horizontal rms";
inline constexpr const char* kEastRms = "East rms";
inline constexpr const char* kNorthRms = "North rms";
inline constexpr const char* kHorizontal95 = "Horizontal 95%";
inline constexpr const char* kVerticalRms = "Vertical rms";
inline constexpr const char* kVertical95 = "Vertical 95%";
inline constexpr const char* kMeanEastError = "Mean East error";
inline constexpr const char* kMeanNorthError = "Mean North error";
inline constexpr const char* kMeanAltitudeError = "Mean Altitude error";
inline constexpr const char* kMeanLatitude = "Mean Latitude";
inline constexpr const char* kMeanLongitude = "Mean Longitude";
inline constexpr const char* kMeanAltitude = "Mean Altitude";
inline constexpr const char* kOutlierLimit = "Outlier limit";
inline constexpr const char* kOutliersNumber = "Outliers number";
inline constexpr const char* kOutliersPercent = "Outliers percent";
inline constexpr const char* kHeadingSigma = "Heading standard deviation";
inline constexpr const char* kPitchSigma = "Pitch standard deviation";
inline constexpr const char* kRollSigma = "Roll standard deviation";
inline constexpr const char* kMeanHeading = "Mean Heading";
inline constexpr const char* kMeanPitch = "Mean Pitch";
inline constexpr const char* kMeanRoll = "Mean Roll";
inline constexpr const char* kMeanBrms = "Mean BRMS";
inline constexpr const char* kMeanMrms = "Mean MRMS";
inline constexpr const char* kBadAttitude = "Number of bad attitude measurements";
inline constexpr const char* kGoodAttitudePercent = "Percentage good attitude availability";
inline constexpr const char* kOutlierLimitRange =
    "Please enter a value from 0 to 10000 for Outlier Limit !";
inline constexpr const char* kRing1Range =
    "Please enter a value from 0.00001 to 10000 for Range Ring 1!";
inline constexpr const char* kRing2Range =
    "Please enter a value from 0.00001 to 10000 for Range Ring 2!";
inline constexpr const char* kRingOrder =
    "Value for the Ring1 must be less then Value for the Ring2";
inline constexpr const char* kAltitudeRange = "Please enter correct altitude !";
inline constexpr const char* kUndefinedMode =
    "Undefined mode.\nPlease enter parameters more carefully.";
inline constexpr const char* kFolderInvalid = "The folder:\n\n%s\n\nis invalid. Please reenter.";
inline constexpr const char* kFolderMissing =
    "The folder:\n\n%s\n\ndoes not exist. Do you want the folder to be created?";
inline constexpr const char* kFolderNotCreated =
    "The folder:\n\n%s\n\ncan not be created. Please double check.";
inline constexpr const char* kAutoSaveRange = "Please enter a whole number from 0 to 5000.";
inline constexpr const char* kPeriodRange = "Please enter a number of hours from 0.1 to 720.";
inline constexpr const char* kDurationRange =
    "Please enter a whole number of minutes from 0 to 600.";

// Receiver link: port, commands, detection and initialization files.
inline constexpr const char* kSpeedChangeQuestion = // with its question
    "Communication between Trialix and GPS receiver lost due to port speed change.\nDo you "
    "wish to restore communication?";
inline constexpr const char* kErrorClosingCom = "Error on closing Com%d: %s";
inline constexpr const char* kErrorWritingPort =
    "Error on writing to port.\nPlease ensure that receiver is connected and turned on.";
inline constexpr const char* kNoCommandsInFile = "No commands in the %s file!";
inline constexpr const char* kInitializationFrom = "Initialization from %s";
inline constexpr const char* kNoAckContinue =
    "There is no 'ACK' response!\nContinue with next command?";
inline constexpr const char* kInitializationComplete = "Initialization complete";
inline constexpr const char* kInitializationCanceled = "Initialization canceled !";
inline constexpr const char* kComSettingDescription =
    "Com setting: Baud rate = %ld, StopBits = %d, Parity = %s, Byte size = %d, Handshaking - "
    "%s.";
inline constexpr const char* kReceiverNotDetected = "GPS receiver is not detected!";
inline constexpr const char* kInitializationSuspended = "Initialization suspended";
inline constexpr const char* kRemainingModes = "Remaining mode to detection %d";
inline constexpr const char* kWaitingForResponse = "Waiting for response from GPS ";
inline constexpr const char* kReceiverAnswersAt = "GPS receiver answers at ";
inline constexpr const char* kReceiverNotResponding = "GPS Receiver not responding";
inline constexpr const char* kParityNo = "No";
inline constexpr const char* kParityOdd = "Odd";
inline constexpr const char* kParityEven = "Even";
inline constexpr const char* kParityMark = "Mark";
inline constexpr const char* kParitySpace = "Space";
inline constexpr const char* kHandshakeRtsCts = "RTS/CTS";
inline constexpr const char* kHandshakeDtrDsr = "DTR/DSR";
inline constexpr const char* kHandshakeXonXoff = "XON/XOFF";
inline constexpr const char* kHandshakeNone = "Not used";
inline constexpr const char* kEchoCrLf = "<CR><LF>";
inline constexpr const char* kBinaryNote = "-bin:";
inline constexpr const char* kErrorReadingBufferBlock = "ERROR READING BUFFER";
inline constexpr const char* kPortLost = "The connection to %s was lost: %s";

// Sky chart and its table.
inline constexpr const char* kSkyChartTitle = "Sky Chart";
inline constexpr const char* kColCh = "Ch";
inline constexpr const char* kColN = "N";
inline constexpr const char* kColA = "A";
inline constexpr const char* kColE = "E";
inline constexpr const char* kColSn = "SN";
inline constexpr const char* kColL2 = "L2";
inline constexpr const char* kColU = "U";
inline constexpr const char* kAntennaShort = "AX";
inline constexpr const char* kRowChannel = "Channel";
inline constexpr const char* kRowSvNumber = "SV Number";
inline constexpr const char* kRowAzimuth = "Azimuth";
inline constexpr const char* kRowElevation = "Elevation";
inline constexpr const char* kRowSn = "SN Ratio";
inline constexpr const char* kRowL2 = "L2 Ratio";
inline constexpr const char* kUsedInPosition = "Used in Position";
inline constexpr const char* kAntennaLong = "AntX ";

// Position window: plot pane, toolbar, status texts and text pane.
inline constexpr const char* kPositionTitle = "Position information";
inline constexpr const char* kZoomStatus = "Press '+' to Zoom In '-' to Zoom Out";
inline constexpr const char* kScrollStatus = "Scroll: PgUp/PgDn, Up/Dn";
inline constexpr const char* kZoomIn = "Zoom In";
inline constexpr const char* kZoomOut = "Zoom Out";
inline constexpr const char* kZoomAll = "Zoom All";
inline constexpr const char* kDeparturePlotTitle = "Departure Plot   Units: %s";
inline constexpr const char* kScatterPlotTitle = "Scatter Plot     Units: %s";
inline constexpr const char* kRingsLabel = "Ring1 = %s    Ring2 = %s";
inline constexpr const char* kOutlierRingLabel = "Outlier Ring = %.2lf";
inline constexpr const char* kNorthLetter = "N";
inline constexpr const char* kPositionLine1 =
    "%s position     Used SVs: %d     UTC Time: %02d : %02d : %05.2f";
inline constexpr const char* kConstellationGps = "GPS";
inline constexpr const char* kConstellationGlonass = "GLONASS";
inline constexpr const char* kConstellationSbas = "SBAS";
inline constexpr const char* kConstellationJoin = " + ";
inline constexpr const char* kPositionLine2 =
    "Lat: %s     Lon: %s     Altitude above WGS-84: %.2f %s";
inline constexpr const char* kPositionLine3 =
    "PDOP: %.1f     HDOP: %.1f     VDOP: %.1f     TDOP: %s";
inline constexpr const char* kNotAvailable = "N/A";
inline constexpr const char* kPositionLine4 =
    "RX-04 Double Differences:  V1-2: %d   V1-3: %d   V1-4: "
    "%d     BRMS: %.1lf mm     MRMS: %.1lf mm";

// Picture library: printing a screen copy.
inline constexpr const char* kCreateLogicalDibFailed = "CreateLogicalDib failed";
inline constexpr const char* kPrintingErrorCode = "Printing error code: %d";

// Panel pane of the position window: instruments and the statistics table.
inline constexpr const char* kNotComputed = "Not computed";
inline constexpr const char* kPositionAccuracyMeasures = "Position Accuracy Measures";
inline constexpr const char* kAnalysisInformation = "Analysis Information";
inline constexpr const char* kUsedPoints = "Number of used points";
inline constexpr const char* kHorizontalSigma = "Horizontal standard deviation";
inline constexpr const char* kEastSigma = "East standard deviation";
inline constexpr const char* kNorthSigma = "North standard deviation";
inline constexpr const char* kVerticalSigma = "Vertical standard deviation";
inline constexpr const char* kHorizontalDistribution =
    "Horizontal distribution around known position";
inline constexpr const char* kVerticalDistribution = "Vertical distribution around known position";
inline constexpr const char* kHorizontalAxis = "R,%%s [%s]";
inline constexpr const char* kVerticalAxis = "H,%%s [%s]";

// Indicator panel.
inline constexpr const char* kIndicatorPanelTitle = "Indicator Panel";
inline constexpr const char* kIndicatorGps = "GPS";
inline constexpr const char* kIndicatorGlonass = "GLN";
inline constexpr const char* kIndicatorSbas = "SBAS";
inline constexpr const char* kIndicatorJoin = "+";
inline constexpr const char* kIndicatorTime = "%02d:%02d:%05.2f";
inline constexpr const char* kIndicatorDop1 = "PDOP:%.1f  HDOP:%.1f";
inline constexpr const char* kIndicatorDop2 = "VDOP:%.1f  TDOP:%s";
inline constexpr const char* kIndicatorVector12 = "Vector 1-2: %d";
inline constexpr const char* kIndicatorVector13 = "Vector 1-3: %d";
inline constexpr const char* kIndicatorVector14 = "Vector 1-4: %d";
inline constexpr const char* kIndicatorBrms = "BRMS: %.1f mm";
inline constexpr const char* kIndicatorMrms = "MRMS: %.1f mm";

// Connecting a receiver: connection, port settings, port activity and initialization dialogs.
inline constexpr const char* kUpdateAllData = "Would you like update all data?";
inline constexpr const char* kPortSettingsTitle = "Com%d Port Settings";
inline constexpr const char* kActivityReceiver = "GPS Receiver";
inline constexpr const char* kActivityPort = "Port";
inline constexpr const char* kActivityR = "R";
inline constexpr const char* kActivityW = "W";
inline constexpr const char* kComName = "COM%d";
inline constexpr const char* kPortActivityTitle = "Port Activity";
inline constexpr const char* kConnectionParameters = "Connection Parameters";
inline constexpr const char* kInitDialogTitle = "GPS Receiver Initialization";
inline constexpr const char* kDeviceGone = "the device is gone";
inline constexpr const char* kLabelPort = "Port";
inline constexpr const char* kPortSetup = "Port Setup";
inline constexpr const char* kDefaultComSetting = "Default Com setting";
inline constexpr const char* kInitializeFromFile = "Initialize from file:";
inline constexpr const char* kTurnOffAllOnDetach = "Turn off ALL messages on detach";
inline constexpr const char* kManualConnectLine1 = "Manual Connect ( requires NMEA messages";
inline constexpr const char* kManualConnectLine2 = " GGA, VTG, GSA and GSV  )";
inline constexpr const char* kButtonConnect = "Connect";
inline constexpr const char* kButtonReconnect = "Reconnect";
inline constexpr const char* kButtonDisconnect = "Disconnect";
inline constexpr const char* kButtonCancel = "Cancel";
inline constexpr const char* kButtonOk = "OK";
inline constexpr const char* kButtonStop = "Stop";
inline constexpr const char* kButtonBack = "<<";
inline constexpr const char* kButtonForward = ">>";
inline constexpr const char* kButtonAutoSelect = "AutoSelect";
inline constexpr const char* kButtonManualConnect = "Manual Connect";
inline constexpr const char* kLabelBaudRate = "Baud rate";
inline constexpr const char* kLabelDataBits = "Data Bits";
inline constexpr const char* kLabelParity = "Parity";
inline constexpr const char* kLabelStopBits = "Stop Bits";
inline constexpr const char* kLabelHandshaking = "Handshaking";
inline constexpr const char* kUseDtrDsr = "Use DTR/DSR";
inline constexpr const char* kUseRtsCts = "Use RTS/CTS";
inline constexpr const char* kUseXonXoff = "Use XON/XOFF";
inline constexpr const char* kParityNone = "None";
inline constexpr const char* kNotRespondingText =
    "The receiver does not answer at the port's settings.\nAutoSelect tries every baud rate "
    "with and without RTS/CTS; Manual Connect takes it as a plain NMEA receiver.";

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

// Almanac: files, listing, download and view.
inline constexpr const char* kBadAlmanacFile = "Bad almanac file !";                         // 5
inline constexpr const char* kAlmanacNoFileName = "No data to generate almanac file name !"; // 21
inline constexpr const char* kAlmanacProgress = "Downloading Almanac - % 3d %% done";        // 22
inline constexpr const char* kAlmanacNotDownloading =                                        // 23
    "Almanac is not downloading.\nPlease try again.";
inline constexpr const char* kAlmanacErrorReadingBuffer = "Error reading buffer";
inline constexpr const char* kAlmanacSaveFailed = "The almanac could not be saved as\n%s";
inline constexpr const char* kAlmanacHeaderGps = "**** Week %04d almanac for PRN-%02d **********";
inline constexpr const char* kAlmanacHeaderGlonass =
    "**** Week %04d almanac for SV-%02d, slot %02d **";
inline constexpr const char* kAlmanacLineId = "ID:                          %03d";
inline constexpr const char* kAlmanacLineHealth = "Health:                      %03d";
inline constexpr const char* kAlmanacLineEccentricity = "Eccentricity:               % 16.9e";
inline constexpr const char* kAlmanacLineToa = "Time of Applicability(s):   % 16.9le";
inline constexpr const char* kAlmanacLineInclination = "Orbital Inclination(rad):   % 16.9le";
inline constexpr const char* kAlmanacLineRate = "Rate of Right Ascen(r/s):   % 16.9le";
inline constexpr const char* kAlmanacLineSqrtA = "SQRT(A) (m^1/2):            % 16.9le";
inline constexpr const char* kAlmanacLineRightAscension = "Right Ascen at TOA(rad):    % 16.9le";
inline constexpr const char* kAlmanacLinePerigee = "Argument of Perigee(rad):   % 16.9le";
inline constexpr const char* kAlmanacLineMeanAnomaly = "Mean Anom(rad):             % 16.9le";
inline constexpr const char* kAlmanacLineAf0 = "Af0(s):                     % 16.9e";
inline constexpr const char* kAlmanacLineAf1 = "Af1(s/s):                   % 16.9e";
inline constexpr const char* kAlmanacLineWeek = "week:                        %04d";
inline constexpr const char* kAlmanacBinaryName = "ALM%2.2ld.%3.3ld";
inline constexpr const char* kAlmanacYumaName = "ALMYUM%2.2ld.%3.3ld";
inline constexpr const char* kAlmanacDocumentTitle = "Satellites almanac";
inline constexpr const char* kAlmanacFilter = "Almanac (alm*.*)";
inline constexpr const char* kAlmanacPattern = "alm*.*";
inline constexpr const char* kAlmanacMenu = "&Almanac";
inline constexpr const char* kAlmanacMenuDownload = "&Download";
inline constexpr const char* kAlmanacMenuOpen = "&Open";
inline constexpr const char* kAlmanacMenuSaveAs = "&Save as";
inline constexpr const char* kAlmanacMenuBinary = "&Tennar Binary";
inline constexpr const char* kAlmanacMenuYuma = "&Yuma ASCII";
inline constexpr const char* kAlmanacSaveBinaryHint = "Save in the Tennar binary format";
inline constexpr const char* kAlmanacSaveYumaHint = "Save in the Yuma ASCII format";
inline constexpr const char* kAlmanacSaveQuestionTitle = "Save Downloaded Almanac";
inline constexpr const char* kAlmanacSaveQuestion = "Do you wish to save downloaded almanac ?";
inline constexpr const char* kAlmanacButtonBinary = "Tennar Binary";
inline constexpr const char* kAlmanacButtonYuma = "Yuma ASCII";
inline constexpr const char* kAlmanacButtonDoNotSave = "Do not save";
inline constexpr const char* kAlmanacPage = "Page %u of %u";

// Input sources: a serial device or a receiver behind a TCP listener.
inline constexpr const char* kSourceEmpty = "no source given (a device path or tcp://HOST:PORT)";
inline constexpr const char* kSourceUnknownKind =
    "%s: not a source (a device path or tcp://HOST:PORT)";
inline constexpr const char* kSourceNoHost = "%s: the host is missing (tcp://HOST:PORT)";
inline constexpr const char* kSourceBadHost = "%s: the host is malformed";
inline constexpr const char* kSourceNoPort = "%s: the port is missing (tcp://HOST:PORT)";
inline constexpr const char* kSourceBadPort = "%s: the port must be a number from 1 to 65535";
inline constexpr const char* kSourceHostNotFound = "%s: the host is not found: %s";
inline constexpr const char* kSourceConnectFailed = "%s: cannot connect: %s";
inline constexpr const char* kSourceConnectTimeout = "%s: no answer within %d ms";
inline constexpr const char* kSourceConnectionClosed = "the connection was closed";
inline constexpr const char* kSourceLabel = "Source:";
inline constexpr const char* kSourceHint = "A device path or tcp://HOST:PORT; empty: the COM port";
inline constexpr const char* kSpeedNotApplicable =
    "The speed and the handshaking do not apply to a TCP source.";

// Terminal, command menus, support tickets and the receivers information book.
inline constexpr const char* kMenuCompileError = "Error on compiling\n%s\nat the line # %d";
inline constexpr const char* kEnterValueBetween = "Enter value between %s and %s";
inline constexpr const char* kAddCommandQuestion = "Add command %s to the %s?";
inline constexpr const char* kNoSelection = "There is no selection !";
inline constexpr const char* kTextNotAllowed =
    "The text may not contain '*', '$' or control characters.";
inline constexpr const char* kCommandTooLong =
    "The command is longer than %d characters and is not sent.";
inline constexpr const char* kNothingToSend = "There is no command to send.";
inline constexpr const char* kNoReceiverConnected = "The receiver is not connected.";
inline constexpr const char* kPseudoOutsideHostMode =
    "This command is taken only while the receiver is in host mode.";
inline constexpr const char* kScriptTooLong =
    "The %s file holds more than %d commands or answer marks; the rest is not used.";
inline constexpr const char* kTicketWriteError = "Error on writing the ticket file\n%s\n%s";
inline constexpr const char* kTicketProgressTitle = "Creating Support Ticket:% 3d %% done";
inline constexpr const char* kStopSeriesQuestion =
    "Support Ticket is beeing created now!\nWould you like to stop creating Support Ticket?";
inline constexpr const char* kTicketCancelled = "Creating Support Ticket is cancelled.";
inline constexpr const char* kTicketCreated = "Ticket:'%s' was created successfully.";
inline constexpr const char* kTicketNoLink =
    "The receiver was disconnected or went into host mode; the ticket cannot be completed.";
inline constexpr const char* kSeriesTurnSkipped =
    "No support ticket this turn: the receiver is not connected or is in host mode.";
inline constexpr const char* kSeriesEndedNoLink =
    "The series of support tickets ended: the receiver was disconnected.";
inline constexpr const char* kTicketParamTitle = "Support Ticket Parameters";
inline constexpr const char* kCreatingTicket = "Creating Support Ticket...";
inline constexpr const char* kTicketOnce = "Once";
inline constexpr const char* kTicketSeries = "As file series";
inline constexpr const char* kTicketDuring = "during";
inline constexpr const char* kTicketHours = "hours";
inline constexpr const char* kTicketEvery = "every";
inline constexpr const char* kTicketMinutes = "minutes";
inline constexpr const char* kTicketRequestText =
    "You have requested that a diagnostic support file be generated. For best results, ensure "
    "that receiver is tracking satellites and any incoming correction signals are being "
    "received before continuning.";
inline constexpr const char* kTerminalTitle = "GPS Receiver Terminal";
inline constexpr const char* kSendMenuTitle = "Menu of commands for GPS";
inline constexpr const char* kTipPause = "Pause output";
inline constexpr const char* kTipChecksum = "Add Checksum";
inline constexpr const char* kCreateGps = "Create *.gps";
inline constexpr const char* kTipCreateGps = "Create .gps file";
inline constexpr const char* kAddButton = "Add";
inline constexpr const char* kTipAdd = "Add command to the .gps file";
inline constexpr const char* kSendButton = "Send";
inline constexpr const char* kTipSend = "Send command";
inline constexpr const char* kMenuLabel = "Menu";
inline constexpr const char* kTipMenu = "Select the command";
inline constexpr const char* kTypeLabel = "Type";
inline constexpr const char* kTipType = "Type the command";
inline constexpr const char* kTipMode = "Switch Select<->Type command mode";
inline constexpr const char* kTerminalClear = "Clear";
inline constexpr const char* kTerminalCopy = "Copy";
inline constexpr const char* kDescriptionAbsent = "Information about %s receiver is absent.";

// Hardening: reasons behind file and port failures, the indexing cap.
inline constexpr const char* kFileNotOpenedBecause = "File \n%s\ncould not be opened !\n(%s)";
inline constexpr const char* kSummaryIsTheLog =
    "it is the log file being analysed (the same file under another name)";
inline constexpr const char* kSummaryNotRegular = "it is a symbolic link or not a regular file";
inline constexpr const char* kErrorWritingSummary = "Error on writing summary file %s: %s";
inline constexpr const char* kIndexingCapped =
    "Indexing stopped at epoch %d: a viewed log holds at most %d epochs; the rest of the file "
    "is not shown.";
inline constexpr const char* kEpochsCapped = "%d (file cut)";
inline constexpr const char* kProfileTooLarge =
    "The settings file %s is larger than %d bytes and is not read; it is left as it is.";
inline constexpr const char* kProfileNotText =
    "The settings file %s is not a text file and is not read; it is left as it is.";
inline constexpr const char* kPortOpenFailed = "%s: %s (%s)";
inline constexpr const char* kPortJoinGroup =
    ". Ask for the user to be added to the '%s' group (then log in again).";

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

// DGPS windows: RTCM corrections and RTK.
inline constexpr const char* kRtcmTitle = "RTCM DGPS";
inline constexpr const char* kRtkTitle = "RTK";
inline constexpr const char* kNoMessage = "No Message";
inline constexpr const char* kMessageFromBase = "Message From Base:";
inline constexpr const char* kUpdate = "Update";
inline constexpr const char* kRtcmStatusLine =
    "Type:% -2d;STID:% -4d;STHE:% -1d;SQNU:% -1d; AGE:% -7.2f;QA:% -6.2f%%;OFFSET:% -4d;"
    "ZCNT:% -7.2f ";
inline constexpr const char* kPeriodicData = "Periodic data";
inline constexpr const char* kCurrentValue = "Current value";
inline constexpr const char* kUnits = "Units";
inline constexpr const char* kMsg = "Msg";
inline constexpr const char* kUpdateData = "Update data";
inline constexpr const char* kLastValue = "Last value";
inline constexpr const char* kMsgDot = "Msg.";
inline constexpr const char* kRtkUtcTimeFormat = "%02d : %02d : %05.2f";
inline constexpr const char* kScatterFromBaseLine = "Scatter from Base Line";
inline constexpr const char* kUnitsPrefix = "Units: ";
inline constexpr const char* kPointsNumber = "Points Number: %d";
inline constexpr const char* kBaseWarningL1L2 = "BASE:Warning in L1 & L2";
inline constexpr const char* kBaseWarningL1 = "BASE:Warning in L1";
inline constexpr const char* kBaseWarningL2 = "BASE:Warning in L2";
inline constexpr const char* kRoverWarningL1 = "ROV:Warning in L1";
inline constexpr const char* kRoverWarningL2 = "ROV:Warning in L2";

inline constexpr const char* kCellNotArrived = "n/a";
inline constexpr const char* kRtkModeNames[] = {"Off", "Base", "Rover", "RVP Rover", "RVP Base"};
inline constexpr const char* kRtkAmbiguityNames[] = {"n/a", "Float", "Fixed"};
inline constexpr const char* kRtkBaseNames[] = {"Unknown", "No Base", "Computed", "Received",
                                                "Entered"};
inline constexpr const char* kRtkPositionRows[] = {"Latitude",     "Longitude",     "Altitude",
                                                   "Latitude RMS", "Longitude RMS", "Altitude RMS"};
inline constexpr const char* kRtkBaselineRows[] = {"Latitude MD", "Longitude MD", "Altitude MD",
                                                   "Lat. MD RMS", "Lon. MD RMS",  "Alt. MD RMS"};
inline constexpr const char* kRtkVelocityRows[] = {
    "X velocity", "X velocity RMS", "Y velocity", "Y velocity RMS", "Z velocity", "Z velocity RMS"};
inline constexpr const char* kRtkUtcTime = "UTC time";
inline constexpr const char* kRtkUsedSvs = "Used SV's";
inline constexpr const char* kRtkLatency = "Latency";
inline constexpr const char* kRtkBasedSvs = "Based SV's";
inline constexpr const char* kRtkBaseSvs = "Base SV's";
inline constexpr const char* kRtkRoverSvs = "Rover SV's";
inline constexpr const char* kRtkStatus = "Status";
inline constexpr const char* kRtkBasePosition = "Base Position";
inline constexpr const char* kRtkCpdMode = "CPD Mode";
inline constexpr const char* kRtkSync = "SYNC";
inline constexpr const char* kRtkQa = "QA";
inline constexpr const char* kRtkBpsAge = "BPS Age";
inline constexpr const char* kRtkAmbiguityFix = "Ambiguity Fix";
inline constexpr const char* kRtcmQueriedColumns[] = {"RTCM", "SYNC", "AGE", "QA", "OFFSET"};
inline constexpr const char* kRtcmBaseColumns[] = {"Base ID", "Base Latitude", "Base Longitude",
                                                   "Base Altitude"};
inline constexpr const char* kRtcmHeaderColumns[] = {"Type", "STID", "STHE",
                                                     "SQNU", "SYNC", "ZCNT"};
inline constexpr const char* kRtcmPositionColumns[] = {"Base ID", "Base X", "Base Y", "Base Z",
                                                       "System"};
inline constexpr const char* kRtcmCorrectionColumns[] = {"SV#",  "S/UD", "PRC", "RRC", "IODE",
                                                         "dPRC", "dRRC", "RRV", "SNR"};

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
