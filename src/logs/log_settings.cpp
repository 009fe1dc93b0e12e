#include "logs/log_settings.h"

#include "base/strings.h"
#include "base/text.h"

namespace trix::logs {

const char* validateLoggingPage(const LoggingPageInput& in, LogSettings& out) {
    if (!inRange(in.autoSaveCount, 0, 5000))
        return str::kAutoSaveRange;
    if (!inRange(in.periodHours, 0.1, 720.0))
        return str::kPeriodRange;
    if (!inRange(in.durationMinutes, 0, 600))
        return str::kDurationRange;
    if (in.durationMinutes > in.periodHours * 60.0)
        return str::kUndefinedMode;
    out.mode = in.mode;
    out.autoSaveCount = in.autoSaveCount;
    out.autoSaveUnit = in.autoSaveUnit;
    out.periodMinutes = static_cast<int>(in.periodHours * 60.0); // whole minutes, truncated
    out.durationMinutes = in.durationMinutes;
    return nullptr;
}

} // namespace trix::logs
