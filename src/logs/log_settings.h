#pragma once
// The log settings of the "Logging file" page, kept in the profile.

#include <string>

namespace trix::logs {

enum class RecordMode { Single = 0, Multiple = 1 };
enum class AutoSaveUnit { Minutes = 0, Epochs = 1 };

struct LogSettings {
    // Ends with '/'. Only the file names inside it are ever compared or rewritten.
    std::string directory;
    RecordMode mode = RecordMode::Single;
    int autoSaveCount = 0; // N, 0 to 5000; 0: no auto-save
    AutoSaveUnit autoSaveUnit = AutoSaveUnit::Minutes;
    int periodMinutes = 60;  // multiple recording: a new file every H hours, held in minutes
    int durationMinutes = 0; // multiple recording: D minutes per recording
};

// The fields of the "Logging file" page as entered.
struct LoggingPageInput {
    RecordMode mode = RecordMode::Single;
    int autoSaveCount = 0;
    AutoSaveUnit autoSaveUnit = AutoSaveUnit::Minutes;
    double periodHours = 1.0;
    int durationMinutes = 0;
};

// The checks of the page on OK. nullptr when accepted (the values are then stored in `out`,
// the period as whole minutes), else the message to show with the page staying open.
const char* validateLoggingPage(const LoggingPageInput& in, LogSettings& out);

} // namespace trix::logs
