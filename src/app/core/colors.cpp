#include "app/core/colors.h"

namespace trix::app {

namespace {

struct ItemDef {
    const char* name;
    ColorValue color;
    int sampleBackground;
};

constexpr int kNone = kNoSampleBackground;
constexpr int kBoth = kOnPlotBackgrounds;

// Sample backgrounds: position plot items are shown on "Plot" (1), titles on the background
// (0); sky items on "Sky" (1), PRNs on the background (0), rings on "Satellites" (3).
const ItemDef kSky[] = {
    {"Background of Sky", rgb(128, 128, 128), kNone},
    {"Sky", rgb(0, 0, 0), kNone},
    {"Elevation rings", rgb(255, 255, 255), 1},
    {"Satellites", rgb(255, 255, 255), 1},
    {"Satellites PRN", rgb(0, 0, 0), 0},
    {"Forward track", rgb(0, 255, 0), 1},
    {"Backward track", rgb(255, 98, 89), 1},
    {"GPS Satellites ring ", rgb(255, 0, 0), 3},
    {"GLN Satellites ring", rgb(255, 0, 255), 3},
    {"SBAS Satellites ring", rgb(128, 0, 128), 3},
};

const ItemDef kPosition[] = {
    {"Background of Plot", rgb(128, 128, 128), kNone},
    {"Plot", rgb(0, 0, 0), kNone},
    {"Axes", rgb(255, 255, 255), 1},
    {"Titles", rgb(255, 255, 255), 0},
    {"Outlier ring", rgb(255, 0, 0), 1},
    {"Trace", rgb(0, 255, 0), 1},
    {"Current position", rgb(255, 98, 89), 1},
};

const ItemDef kCurves[] = {
    {"Latitude MD", rgb(255, 0, 0), kBoth}, {"Longitude MD", rgb(255, 0, 0), kBoth},
    {"Altitude MD", rgb(255, 0, 0), kBoth}, {"Radial MD", rgb(255, 0, 0), kBoth},
    {"SV Number", rgb(255, 0, 0), kBoth},   {"Age of correction", rgb(255, 0, 0), kBoth},
    {"PDOP", rgb(255, 0, 0), kBoth},        {"HDOP", rgb(255, 0, 0), kBoth},
    {"VDOP", rgb(255, 0, 0), kBoth},        {"TDOP", rgb(255, 0, 0), kBoth},
    {"Heading", rgb(255, 0, 0), kBoth},     {"Pitch", rgb(255, 0, 0), kBoth},
    {"Roll", rgb(255, 0, 0), kBoth},
};

const ItemDef kBackgrounds[] = {
    {"Even plots", rgb(255, 255, 255), kNone},
    {"Odd plots", rgb(192, 254, 220), kNone},
    {"Mark region", rgb(253, 254, 205), kNone},
};

const ItemDef kExtras[] = {
    {"Graph Axes", rgb(0, 0, 0), kBoth},
    {"Graph Titles", rgb(0, 0, 0), kBoth},
    {"Mean Line", rgb(255, 0, 255), kBoth},
    {"RMS Line", rgb(0, 0, 255), kBoth},
};

template <std::size_t N> ColorTable build(const ItemDef (&defs)[N]) {
    ColorTable t;
    t.reserve(N);
    for (const auto& d : defs)
        t.push_back({d.color, d.color, d.color, d.sampleBackground, d.name});
    return t;
}

} // namespace

ColorTable defaultColorTable(ColorTableId id) {
    switch (id) {
    case ColorTableId::SkyChart:
        return build(kSky);
    case ColorTableId::PositionPlot:
        return build(kPosition);
    case ColorTableId::PlotCurves:
        return build(kCurves);
    case ColorTableId::PlotBackgrounds:
        return build(kBackgrounds);
    case ColorTableId::PlotExtras:
        return build(kExtras);
    }
    return {};
}

} // namespace trix::app
