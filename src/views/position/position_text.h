#pragma once
// The four lines of the position window's text pane, made from the current epoch.

#include <string>
#include <vector>

namespace trix {
class EpochDecoder;
struct UnitSelection;
} // namespace trix

namespace trix::views {

struct TextLines {
    std::vector<std::string> lines; // four
    bool attitudeLineGrey = true;   // the double-differences line belongs to RX-04 only
};

// "GPS + GLONASS + SBAS" from the constellation bits.
std::string constellationText(unsigned bits);

TextLines positionTextLines(const EpochDecoder& decoder, int modelIndex,
                            const UnitSelection& units);

} // namespace trix::views
