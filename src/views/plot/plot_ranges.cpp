#include "views/plot/plot_ranges.h"

#include "base/strings.h"
#include "base/text.h"

#include <algorithm>

namespace trix::plot {

void PlotRanges::reset(int count) {
    count_ = std::max(0, count);
    shownFirst_ = selectedFirst_ = 0;
    shownLast_ = selectedLast_ = std::max(0, count_ - 1);
}

RangeResult PlotRanges::show(int first, int last) {
    if (!(first < last))
        return RangeResult::refuse(str::kFirstEpochLess);
    if (first < 0 || last > count_ - 1)
        return RangeResult::refuse(cformat(str::kMaxAvailableEpoch, count_));
    const bool whole = first == 0 && last == count_ - 1;
    if (whole) {
        selectedFirst_ = shownFirst_;
        selectedLast_ = shownLast_;
    } else {
        selectedFirst_ = first;
        selectedLast_ = last;
    }
    shownFirst_ = first;
    shownLast_ = last;
    return {};
}

RangeResult PlotRanges::select(int first, int last) {
    if (first >= count_ || last >= count_)
        return RangeResult::refuse(cformat(str::kMaxAvailableEpoch, count_));
    if (!(first < last))
        return RangeResult::refuse(str::kFirstEpochLess);
    if (first < shownFirst_ || last > shownLast_)
        return RangeResult::refuse(cformat(str::kMaxAvailableEpoch, shownLast_ + 1));
    selectedFirst_ = first;
    selectedLast_ = last;
    return {};
}

RangeResult PlotRanges::setLeftLimit(int epoch) {
    if (epoch < shownFirst_ || epoch > shownLast_)
        return RangeResult::refuse(cformat(str::kMaxAvailableEpoch, shownLast_ + 1));
    if (epoch > selectedLast_)
        return RangeResult::refuse(str::kFirstEpochLess);
    int right = selectedLast_;
    if (epoch == right) {
        if (epoch - 1 < shownFirst_)
            return RangeResult::refuse(str::kFirstEpochLess);
        epoch = right - 1;
    }
    selectedFirst_ = epoch;
    return {};
}

RangeResult PlotRanges::setRightLimit(int epoch) {
    if (epoch < shownFirst_ || epoch > shownLast_)
        return RangeResult::refuse(cformat(str::kMaxAvailableEpoch, shownLast_ + 1));
    if (epoch < selectedFirst_)
        return RangeResult::refuse(str::kFirstEpochLess);
    if (epoch == selectedFirst_) {
        if (epoch + 1 > shownLast_)
            return RangeResult::refuse(cformat(str::kMaxAvailableEpoch, shownLast_ + 1));
        epoch = selectedFirst_ + 1;
    }
    selectedLast_ = epoch;
    return {};
}

namespace {
int fitting(int paneHeight, int titleHeight) {
    return (paneHeight - titleHeight) / kMinimumStripHeight;
}
} // namespace

std::vector<int> plotsToSwitchOff(const std::array<bool, 13>& shown, int paneHeight,
                                  int titleHeight) {
    std::vector<int> off;
    if (paneHeight - titleHeight < kMinimumStripHeight)
        return off;
    const int fit = fitting(paneHeight, titleHeight);
    int count = static_cast<int>(std::count(shown.begin(), shown.end(), true));
    for (int i = 12; i >= 0 && count > fit; --i) {
        if (shown[static_cast<std::size_t>(i)]) {
            off.push_back(i);
            --count;
        }
    }
    return off;
}

bool oneMoreFits(const std::array<bool, 13>& shown, int paneHeight, int titleHeight) {
    const int count = static_cast<int>(std::count(shown.begin(), shown.end(), true));
    return count + 1 <= fitting(paneHeight, titleHeight);
}

} // namespace trix::plot
