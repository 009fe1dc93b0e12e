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

} // namespace trix::logs
