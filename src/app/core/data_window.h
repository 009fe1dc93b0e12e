#pragma once
// The data windows the View menu opens, one of each at a time.

namespace trix {

enum class DataWindow { SkyChart, Position, Panel, EpochCounter, Rtcm, Rtk, Plot };

} // namespace trix
