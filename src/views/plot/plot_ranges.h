#pragma once
// The shown and selected epoch ranges of the strips with the checks of the control panel and
// of the double clicks, and the rule that fits the shown strips to the pane.

#include <array>
#include <string>
#include <vector>

namespace trix::plot {

// The outcome of a range request: accepted, or refused with the message to show.
struct RangeResult {
    bool accepted = true;
    std::string message;
    static RangeResult refuse(std::string text) { return {false, std::move(text)}; }
};

class PlotRanges {
public:
    // A new file of `count` epochs: everything shown, the whole file selected.
    void reset(int count);

    int count() const { return count_; }
    int shownFirst() const { return shownFirst_; }
    int shownLast() const { return shownLast_; }
    int selectedFirst() const { return selectedFirst_; }
    int selectedLast() const { return selectedLast_; }
    int shownEpochs() const { return count_ > 0 ? shownLast_ - shownFirst_ + 1 : 0; }
    bool wholeFileShown() const { return shownFirst_ == 0 && shownLast_ == count_ - 1; }
    // The selection differs from the shown range (only then it is painted).
    bool selectionMarked() const {
        return selectedFirst_ != shownFirst_ || selectedLast_ != shownLast_;
    }

    // Shows epochs first … last (0-based); requires 0 ≤ first < last ≤ count − 1. Showing the
    // whole file selects the range shown before; any other range selects itself.
    RangeResult show(int first, int last);
    RangeResult showAll() { return show(0, count_ - 1); }
    // Selects first … last (0-based) inside the shown range.
    RangeResult select(int first, int last);
    // A double click on epoch `epoch`: the left button sets the left limit, the right button
    // the right limit. A limit on the other one moves one epoch away from it; refused when
    // that leaves the shown range or when the limits would cross.
    RangeResult setLeftLimit(int epoch);
    RangeResult setRightLimit(int epoch);

private:
    int count_ = 0;
    int shownFirst_ = 0;
    int shownLast_ = 0;
    int selectedFirst_ = 0;
    int selectedLast_ = 0;
};

// The fit rule: with `shown` flags and a pane of `paneHeight` pixels under a title of
// `titleHeight`, the indices switched off (from the last parameter backwards) so that every
// shown strip has at least 21 pixels. Nothing is switched off when the pane is smaller than
// one strip (a minimised window).
inline constexpr int kMinimumStripHeight = 21;
std::vector<int> plotsToSwitchOff(const std::array<bool, 13>& shown, int paneHeight,
                                  int titleHeight);
// Whether one more strip still fits.
bool oneMoreFits(const std::array<bool, 13>& shown, int paneHeight, int titleHeight);

} // namespace trix::plot
