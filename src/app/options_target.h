#pragma once
// What the "Options" sheet changes: the settings of the application, and the parts that follow
// a changed setting (the decoder's units and limits, the windows, the log session).

#include "decode/units.h"
#include "logs/log_settings.h"

namespace trix {
class MessageSink;
}

namespace trix::app {

class TrixApplication;

class OptionsTarget {
public:
    virtual ~OptionsTarget() = default;
    virtual TrixApplication& app() = 0;
    virtual MessageSink& messages() = 0;
    // The units were changed to `units` (the current epoch is converted).
    virtual void unitsChanged(const UnitSelection& units) = 0;
    virtual void colorsChanged() = 0;
    virtual void optionsChanged(bool vehicleChanged, bool skyLayoutChanged,
                                bool plotLayoutChanged) = 0;
    virtual void limitsChanged() = 0;
    // The logging settings were stored; `folderChanged`: the log folder is a new one.
    virtual void logSettingsChanged(const logs::LogSettings& settings, bool folderChanged) = 0;
};

} // namespace trix::app
