#pragma once
// Texts of the almanac files, their listing and download.
// Texts that are format strings take their arguments through cformat().

namespace trix::str {

// Almanac: files, listing, download and view.
inline constexpr const char* kBadAlmanacFile = "Bad almanac file !";
inline constexpr const char* kAlmanacNoFileName = "No data to generate almanac file name !";
inline constexpr const char* kAlmanacProgress = "Downloading Almanac - % 3d %% done";
inline constexpr const char* kAlmanacNotDownloading = // 23
    "Almanac is not downloading.\nPlease try again.";
inline constexpr const char* kAlmanacErrorReadingBuffer = "Error reading buffer";
inline constexpr const char* kAlmanacCutOff = "The almanac download was cut off: the port is gone.";
inline constexpr const char* kAlmanacCutOffInHostMode =
    "The almanac download was cut off: the port is gone and the receiver may still be in host "
    "mode.";
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

} // namespace trix::str
