#pragma once
// What a display window reads and whom it tells: the decoder with the current epoch and the
// history, the statistics of an analysis, the settings (colours, units, options) and the
// frame that keeps the window's existence and the status bar. The windows only read; the
// main frame implements this over its own state, tests and benchmarks over plain members.

#include "app/core/data_window.h"
#include "app/core/ini_profile.h"
#include "app/core/settings.h"
#include "base/ui.h"
#include "decode/epoch_decoder.h"
#include "decode/hooks.h"
#include "logs/statistics.h"

#include <string>

namespace trix::views {

class DisplaySource {
public:
    virtual ~DisplaySource() = default;
    // The decoder, or none (a window then draws its empty state).
    virtual EpochDecoder* decoder() const = 0;
    // The statistics of the analysis, or none.
    virtual const logs::Statistics* statistics() const = 0;
    virtual const app::Settings& settings() const = 0;
    virtual bool analysisActive() const = 0;
    virtual logs::AnalysisSettings analysis() const = 0;
    // The receiver model index of the link (model table values).
    virtual int modelIndex() const = 0;
    virtual MessageSink& messages() = 0;
    // The profile that keeps window placements; none in tests.
    virtual app::IniProfile* profile() { return nullptr; }
    // A text for the message pane of the status bar.
    virtual void statusText(const std::string& /*text*/) {}
    // The window of `kind` is gone.
    virtual void windowClosed(DataWindow /*kind*/) {}

    bool viewing() const {
        const EpochDecoder* d = decoder();
        return d != nullptr && d->viewing();
    }
    UnitSelection units() const {
        const app::Settings& s = settings();
        return {s.distanceUnits, s.altitudeUnits, s.horSpeedUnits, s.verSpeedUnits, s.lonLatFormat};
    }
};

// A source over plain members: for tests, benchmarks and tools that have no main frame.
class PlainDisplaySource : public DisplaySource {
public:
    EpochDecoder* decoder() const override { return decoderPtr; }
    const logs::Statistics* statistics() const override { return statisticsPtr; }
    const app::Settings& settings() const override { return settingsValue; }
    bool analysisActive() const override { return analysisOn; }
    logs::AnalysisSettings analysis() const override { return analysisValue; }
    int modelIndex() const override { return model; }
    MessageSink& messages() override { return *sink; }
    app::IniProfile* profile() override { return profilePtr; }
    void statusText(const std::string& text) override { lastStatus = text; }
    void windowClosed(DataWindow kind) override {
        ++closedCount;
        lastClosed = kind;
    }

    EpochDecoder* decoderPtr = nullptr;
    const logs::Statistics* statisticsPtr = nullptr;
    app::Settings settingsValue;
    bool analysisOn = false;
    logs::AnalysisSettings analysisValue;
    int model = kModelUnknown;
    SilentSink silent;
    MessageSink* sink = &silent;
    app::IniProfile* profilePtr = nullptr;
    std::string lastStatus;
    int closedCount = 0;
    DataWindow lastClosed = DataWindow::SkyChart;
};

} // namespace trix::views
