#pragma once
// Following the epoch counter in a viewed log that crosses midnight: whichever epoch was on
// screen before, a DGPS window must show the entry that stepping there one epoch at a time
// shows.

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace trix::testing {

// The stored epochs of such a log: every hour from 18:00 to 09:00 the next day, so that the
// first and the last lie more than half a day apart.
inline std::vector<std::string> overnightEpochs() {
    std::vector<std::string> times;
    for (int h = 18; h < 18 + 16; ++h) {
        const std::string hour = std::to_string(h % 24);
        times.push_back((hour.size() < 2 ? "0" + hour : hour) + "0000.00");
    }
    return times;
}

// Hours of the overnight log that carry an entry, and, for each stored epoch, the hour of the
// entry shown (the first entry not before the epoch).
inline const std::vector<int> kOvernightEntryHours{18, 23, 0, 5, 9};
inline const std::vector<int> kOvernightShownHours{18, 23, 23, 23, 23, 23, 0, 5,
                                                   5,  5,  5,  5,  9,  9,  9, 9};

// Steps through all `epochs` of `p` and then jumps from every epoch to every other one:
// `shown(p)` must read the same after the jump as after the steps. Returns what stepping
// showed, epoch by epoch.
template <class Parser, class Shown>
auto expectJumpsLandWhereStepsDo(Parser& p, int epochs, Shown shown) {
    std::vector<decltype(shown(p))> stepped;
    for (int k = 0; k < epochs; ++k) {
        p.followEpoch(k);
        stepped.push_back(shown(p));
    }
    for (int from = 0; from < epochs; ++from) {
        for (int to = 0; to < epochs; ++to) {
            p.followEpoch(from);
            p.followEpoch(to);
            EXPECT_EQ(shown(p), stepped[static_cast<std::size_t>(to)])
                << "jump from epoch " << from + 1 << " to epoch " << to + 1;
        }
    }
    return stepped;
}

} // namespace trix::testing
