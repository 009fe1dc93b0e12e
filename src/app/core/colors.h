#pragma once
// The colour tables of the displays. Each item keeps its current colour, the colour as loaded
// from the profile (so only changed colours are written back), its default, the item on
// whose colour its sample is drawn, and its display name, which is also its profile key.

#include <cstdint>
#include <string>
#include <vector>

namespace trix::app {

// A colour as the profile stores it: red + 256 × green + 65536 × blue.
using ColorValue = std::uint32_t;

constexpr ColorValue rgb(int r, int g, int b) {
    return static_cast<ColorValue>(r) | (static_cast<ColorValue>(g) << 8) |
           (static_cast<ColorValue>(b) << 16);
}
constexpr int red(ColorValue c) {
    return static_cast<int>(c & 0xff);
}
constexpr int green(ColorValue c) {
    return static_cast<int>((c >> 8) & 0xff);
}
constexpr int blue(ColorValue c) {
    return static_cast<int>((c >> 16) & 0xff);
}

inline constexpr int kNoSampleBackground = -1;
// Data-plot items whose sample is drawn on both plot background colours.
inline constexpr int kOnPlotBackgrounds = -2;

struct ColorItem {
    ColorValue current = 0;
    ColorValue loaded = 0;
    ColorValue defaultColor = 0;
    int sampleBackground = kNoSampleBackground; // index in the same table
    std::string name;
};

using ColorTable = std::vector<ColorItem>;

enum class ColorTableId { SkyChart, PositionPlot, PlotCurves, PlotBackgrounds, PlotExtras };
inline constexpr int kColorTableCount = 5;

// A table with every item at its default (current and loaded too).
ColorTable defaultColorTable(ColorTableId id);

} // namespace trix::app
