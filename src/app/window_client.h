#pragma once
// What a window that consumes receiver data offers the window registry. Display windows
// implement the calls they listen to (see window_registry.h); the registry calls them
// synchronously in the order of the data flow.

#include "app/core/data_window.h"

#include <string_view>

namespace trix::app {

class DataWindowClient {
public:
    virtual ~DataWindowClient() = default;
    // A new or newly shown epoch, or a part of one; `hint` says what changed (hint:: bits of
    // decode/hooks.h).
    virtual void epoch(int /*hint*/) {}
    // Redraw completely (the sentence set of an NMEA receiver was learned).
    virtual void redrawAll() {}
    virtual void optionsChanged() {}
    virtual void unitsChanged() {}
    virtual void colorsChanged() {}
    virtual void analysisChanged() {}
    // The viewed log file has been read (`ok`) or could not be.
    virtual void dataLoaded(bool /*ok*/) {}
    // While a file is viewed: follow the epoch now shown.
    virtual void epochShown() {}
    // One received line (RTCM and RTK windows).
    virtual void line(std::string_view /*text*/) {}
    // One line of a log file being indexed; false when the window's history is full.
    virtual bool indexedLine(std::string_view /*text*/) { return true; }
    virtual void loggingStarted() {}
};

// Listeners of the received traffic that are not data windows: terminal, initialization
// dialog, port activity window, almanac download window, support-ticket writer.
class TrafficListener {
public:
    virtual ~TrafficListener() = default;
    // direction: 1 received, 0 sent, 3 local note; `text` is empty for the port activity
    // window.
    virtual void traffic(int /*direction*/, std::string_view /*text*/) {}
    virtual void line(std::string_view /*text*/) {}
};

} // namespace trix::app
