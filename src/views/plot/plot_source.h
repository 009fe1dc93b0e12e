#pragma once
// What the data plotting window needs from the program: the decoder with the viewed file's
// history, the settings it reads and keeps (shown plots, "Hide selection", colours, layout),
// whom to tell messages, where placements are kept, and who is told when it closes.

#include "app/core/ini_profile.h"
#include "app/core/settings.h"
#include "base/ui.h"
#include "decode/epoch_decoder.h"

#include <array>

namespace trix::plot {

class PlotSource {
public:
    virtual ~PlotSource() = default;
    // The decoder, or none (the window stays empty).
    virtual const EpochDecoder* decoder() const = 0;
    virtual app::Settings& settings() = 0;
    virtual MessageSink& messages() = 0;
    // The profile that keeps window placements; none in tests.
    virtual app::IniProfile* profile() { return nullptr; }
    // The window is gone.
    virtual void windowClosed() {}
};

// A source over plain members: for tests, the export tool and benchmarks.
class PlainPlotSource : public PlotSource {
public:
    const EpochDecoder* decoder() const override { return decoderPtr; }
    app::Settings& settings() override { return settingsValue; }
    MessageSink& messages() override { return *sink; }
    void windowClosed() override { ++closedCount; }

    const EpochDecoder* decoderPtr = nullptr;
    app::Settings settingsValue;
    SilentSink silent;
    MessageSink* sink = &silent;
    int closedCount = 0;
};

// The shown flags kept in the settings ("Graph Lat" … "Graph Roll"; the four DOP plots share
// "Graph HDOP", so the flag stored last wins).
std::array<bool, 13> shownFlags(const app::Settings& settings);
void storeShown(app::Settings& settings, int index, bool on);

} // namespace trix::plot
