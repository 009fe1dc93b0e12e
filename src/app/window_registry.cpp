#include "window_registry.h"

#include <algorithm>

namespace trix::app {

namespace {
constexpr int kEpochKinds =
    change::kEpoch | change::kPosition | change::kSatellites | change::kSignals;
} // namespace

bool Interest::hearsEpoch(int mask) const {
    if ((mask & epochs_ & kEpochKinds) == 0)
        return false;
    if ((mask & change::kHeld) && !evenWhenHeld_)
        return false;
    return !onlyWhileViewing_ || (mask & change::kViewing);
}

void WindowRegistry::add(DataWindowClient& client, const Interest& interest) {
    for (Entry& e : entries_)
        if (e.client == &client) {
            e.interest = interest;
            return;
        }
    entries_.push_back({&client, interest});
}

void WindowRegistry::remove(const DataWindowClient& client) {
    std::erase_if(entries_, [&client](const Entry& e) { return e.client == &client; });
}

bool WindowRegistry::contains(const DataWindowClient& client) const {
    return std::any_of(entries_.begin(), entries_.end(),
                       [&client](const Entry& e) { return e.client == &client; });
}

template <class Hears, class Call> void WindowRegistry::tellEach(Hears hears, Call call) {
    const std::vector<Entry> snapshot = entries_;
    for (const Entry& e : snapshot)
        if (hears(e.interest) && contains(*e.client))
            call(*e.client, e.interest);
}

void WindowRegistry::changed(int mask) {
    tellEach([mask](const Interest& i) { return i.hearsRedraw(mask); },
             [](DataWindowClient& c, const Interest&) { c.redrawAll(); });
    if (epochsHeld_)
        return;
    tellEach([mask](const Interest& i) { return i.hearsEpoch(mask); },
             [mask](DataWindowClient& c, const Interest& i) { c.epoch(i.hintFor(mask)); });
}

void WindowRegistry::indexedLine(std::string_view sentence) {
    tellEach([](const Interest& i) { return i.hears(Interest::kIndexedLines); },
             [sentence](DataWindowClient& c, const Interest&) { c.indexedLine(sentence); });
}

void WindowRegistry::unitsChanged() {
    tellEach([](const Interest& i) { return i.hears(Interest::kUnits); },
             [](DataWindowClient& c, const Interest&) { c.unitsChanged(); });
}

void WindowRegistry::colorsChanged() {
    tellEach([](const Interest& i) { return i.hears(Interest::kColours); },
             [](DataWindowClient& c, const Interest&) { c.colorsChanged(); });
}

void WindowRegistry::optionsChanged(bool skyLayoutChanged) {
    tellEach(
        [skyLayoutChanged](const Interest& i) {
            return i.hears(Interest::kOptions) ||
                   (skyLayoutChanged && i.hears(Interest::kSkyLayout));
        },
        [](DataWindowClient& c, const Interest&) { c.optionsChanged(); });
}

void WindowRegistry::line(std::string_view text) {
    tellEach([](const Interest& i) { return i.hears(Interest::kLines); },
             [text](DataWindowClient& c, const Interest&) { c.line(text); });
}

void WindowRegistry::dataLoaded(bool ok) {
    tellEach([](const Interest& i) { return i.hears(Interest::kDataLoaded); },
             [ok](DataWindowClient& c, const Interest&) { c.dataLoaded(ok); });
}

void WindowRegistry::epochShown() {
    tellEach([](const Interest& i) { return i.hears(Interest::kEpochShown); },
             [](DataWindowClient& c, const Interest&) { c.epochShown(); });
}

void WindowRegistry::analysisChanged() {
    tellEach([](const Interest& i) { return i.hears(Interest::kAnalysis); },
             [](DataWindowClient& c, const Interest&) { c.analysisChanged(); });
}

void WindowRegistry::loggingStarted() {
    tellEach([](const Interest& i) { return i.hears(Interest::kLoggingStarted); },
             [](DataWindowClient& c, const Interest&) { c.loggingStarted(); });
}

} // namespace trix::app
