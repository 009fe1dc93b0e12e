#pragma once
// The twelve text fields of the indicator panel, rebuilt from the current epoch on each update.

#include "decode/epoch_decoder.h"

#include <string>

namespace trix::views {

struct FiguresText {
    std::string latitude, longitude, altitude;
    std::string mode, time;
    std::string dop1, dop2;
    std::string vector12, vector13, vector14, brms, mrms;
};

// The fix-mode line: the mode word followed by the constellations joined by "+".
std::string fixModeLine(int fixMode, int constellations);

class FiguresBuilder {
public:
    // Rebuilds the fields from the decoder's current epoch. The mode line is rebuilt only when
    // the fix mode or the constellations changed.
    void update(const EpochDecoder& decoder, int modelIndex, const UnitSelection& units);
    const FiguresText& text() const { return text_; }
    int modeRebuilds() const { return modeRebuilds_; }

private:
    FiguresText text_;
    int lastFixMode_ = -1;
    int lastConstellations_ = -1;
    int modeRebuilds_ = 0;
};

} // namespace trix::views
