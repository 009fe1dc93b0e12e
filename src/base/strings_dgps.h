#pragma once
// Texts of the RTCM corrections and RTK windows.
// Texts that are format strings take their arguments through cformat().

namespace trix::str {

// DGPS windows: RTCM corrections and RTK.
inline constexpr const char* kRtcmTitle = "RTCM DGPS";
inline constexpr const char* kRtkTitle = "RTK";
inline constexpr const char* kNoMessage = "No Message";
inline constexpr const char* kMessageFromBase = "Message From Base:";
inline constexpr const char* kUpdate = "Update";
inline constexpr const char* kRtcmStatusLine =
    "Type:% -2d;STID:% -4d;STHE:% -1d;SQNU:% -1d; AGE:% -7.2f;QA:% -6.2f%%;OFFSET:% -4d;"
    "ZCNT:% -7.2f ";
inline constexpr const char* kRtcmPage = "Page %u of %u";
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

} // namespace trix::str
