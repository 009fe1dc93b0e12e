#pragma once
// The program's string table: user-facing texts, verbatim, by number where they have one.
// Texts that are format strings take their arguments through cformat().

namespace trix::str {

// 7000s: messages of the frame, the files and the port.
inline constexpr const char* kFileNotOpened = "File \n%s\ncould not be opened !"; // 7002
inline constexpr const char* kNoComPorts = "No available COM ports !";            // 7005
inline constexpr const char* kErrorOpeningCom = "Error on opening COM%d : %s";    // 7009
inline constexpr const char* kModeNotSet = "Mode not setted !";                   // 7011
inline constexpr const char* kSpeedChangeLost =                                   // 7013
    "Communication between Trialix and GPS receiver lost due to port speed change.";
inline constexpr const char* kUtilityNotLoaded = "Error on loading utility.dll !"; // 7018
inline constexpr const char* kNotEnoughMemory = "Not enough memory.";              // 7026
inline constexpr const char* kOutOfTimers = "Out of system timers.";               // 7027

// Epoch assembly.
inline constexpr const char* kTooManyIncomplete = // 308
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

} // namespace trix::str
