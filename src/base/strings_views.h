#pragma once
// Texts of the sky chart, the position window, its instruments and the indicator panel.
// Texts that are format strings take their arguments through cformat().

namespace trix::str {

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

} // namespace trix::str
