#pragma once
// What the panel pane reads when it adapts its scales or draws: the decoder with the current
// epoch, the accuracy statistics and the settings in force. The position window fills it from
// the main frame; tests fill it directly.

#include "decode/epoch_decoder.h"
#include "decode/units.h"
#include "logs/statistics.h"

#include <functional>

namespace trix::views {

enum class Vehicle { Automobile = 0, Aeronautical = 1, Nautical = 2 };

struct PanelView {
    const EpochDecoder* decoder = nullptr; // none: the faces are drawn without values
    const logs::Statistics* statistics = nullptr;
    int modelIndex = 0;
    bool viewingLog = false;
    bool analysisActive = false;
    logs::ReferenceMode referenceMode = logs::ReferenceMode::AverageOverTime;
    double outlierLimit = 0.0; // metres
    UnitSelection units;
    Vehicle vehicle = Vehicle::Automobile;
    bool headUp = false; // "Head/ COG Up"; false "North Up"
};

using PanelSource = std::function<PanelView()>;

} // namespace trix::views
