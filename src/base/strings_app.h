#pragma once
// Texts of the main window, log files, the options sheet, the statistics and their failure reasons.
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
inline constexpr const char* kAppTitle = "Orvane Trialix";
inline constexpr const char* kTitleAnalysisActive = " - Analysis Active";
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

} // namespace trix::str
