#pragma once
// The one place that decides which window hears of what. The decoder reports its changes as
// a mask of change:: bits; the options sheet, the log indexer, the link and the session report
// their events; the registry tells every registered window that listens, in the order the
// windows registered.
//
// A window registers with one line, saying what it listens to:
//
//     registry.add(client, Interest()
//                              .epochs(change::kEpoch | change::kSatellites)
//                              .redraws(change::kSentenceSet)
//                              .colours()
//                              .options());
//
// where `client` is the window's DataWindowClient (window_client.h) and implements the calls
// it listens to. A data window opened from the View menu registers through
// Session::registerWindow(kind, widget, client, interest), which also takes its use of the
// decoder; closing it (Session::windowClosed) unregisters it. A window that needs no decoder
// (terminal, almanac, ...) may call add()/remove() itself; remove() must come before the client
// is destroyed.

#include "decode/hooks.h"
#include "logs/log_indexer.h"
#include "window_client.h"

#include <string_view>
#include <vector>

namespace trix::app {

// What one window listens to.
class Interest {
public:
    // Decoder changes told through DataWindowClient::epoch(hint): a window is told when the
    // change carries one of the kinds in `kinds` (change::kEpoch, kPosition, kSatellites,
    // kSignals); the hint it is given is the change's hint:: bits that `kinds` also names
    // (a window that names none of them is given hint::kEverything).
    Interest& epochs(int kinds) {
        epochs_ |= kinds;
        return *this;
    }
    // Told of epochs even while the display update is held back (epochs faster than five a
    // second): windows that count or summarise rather than draw.
    Interest& evenWhenHeld() {
        evenWhenHeld_ = true;
        return *this;
    }
    // Told of epochs only while a log file is viewed.
    Interest& onlyWhileViewing() {
        onlyWhileViewing_ = true;
        return *this;
    }
    // Decoder changes told through DataWindowClient::redrawAll(): change::kSentenceSet,
    // change::kUnits.
    Interest& redraws(int kinds) {
        redraws_ |= kinds;
        return *this;
    }
    Interest& units() { return with(kUnits); }
    Interest& colours() { return with(kColours); }
    // Every change of the options.
    Interest& options() { return with(kOptions); }
    // Only changes of the sky-chart layout (told through optionsChanged()).
    Interest& skyLayout() { return with(kSkyLayout); }
    // Lines received from the receiver.
    Interest& lines() { return with(kLines); }
    // Lines of a log file being indexed.
    Interest& indexedLines() { return with(kIndexedLines); }
    // A viewed log file has been read, or could not be.
    Interest& dataLoaded() { return with(kDataLoaded); }
    // The epoch shown of a viewed file changed.
    Interest& epochShown() { return with(kEpochShown); }
    // The analysis was switched on or off.
    Interest& analysis() { return with(kAnalysis); }
    // A log session started.
    Interest& loggingStarted() { return with(kLoggingStarted); }

    // Whether a change reported by the decoder reaches the window, and with which hint.
    bool hearsEpoch(int mask) const;
    int hintFor(int mask) const { return mask & epochs_ & change::kHintBits; }
    bool hearsRedraw(int mask) const { return (mask & redraws_) != 0; }

    enum Event : unsigned {
        kUnits = 1u << 0,
        kColours = 1u << 1,
        kOptions = 1u << 2,
        kSkyLayout = 1u << 3,
        kLines = 1u << 4,
        kIndexedLines = 1u << 5,
        kDataLoaded = 1u << 6,
        kEpochShown = 1u << 7,
        kAnalysis = 1u << 8,
        kLoggingStarted = 1u << 9,
    };
    bool hears(Event e) const { return (events_ & e) != 0; }

private:
    Interest& with(Event e) {
        events_ |= e;
        return *this;
    }
    int epochs_ = 0;
    int redraws_ = 0;
    unsigned events_ = 0;
    bool evenWhenHeld_ = false;
    bool onlyWhileViewing_ = false;
};

class WindowRegistry : public ChangeSink, public logs::LineListener {
public:
    // Registers `client` (again: its interest is replaced).
    void add(DataWindowClient& client, const Interest& interest);
    // Forgets `client`; nothing when it is not registered.
    void remove(const DataWindowClient& client);
    bool contains(const DataWindowClient& client) const;
    std::size_t size() const { return entries_.size(); }

    // While a log file is read every stored epoch passes by: epochs are not told one by one
    // then, the windows learn the result from dataLoaded().
    void holdEpochs(bool on) { epochsHeld_ = on; }
    bool epochsHeld() const { return epochsHeld_; }

    // ChangeSink: a change of the decoder.
    void changed(int mask) override;
    // logs::LineListener: a line of the log file being indexed.
    void indexedLine(std::string_view sentence) override;

    void unitsChanged();
    void colorsChanged();
    void optionsChanged(bool skyLayoutChanged);
    void line(std::string_view text);
    void dataLoaded(bool ok);
    void epochShown();
    void analysisChanged();
    void loggingStarted();

private:
    struct Entry {
        DataWindowClient* client;
        Interest interest;
    };
    // Calls `call` for every window whose interest `hears` says so. A window may close (and
    // unregister) while it is told; it and windows removed meanwhile are skipped.
    template <class Hears, class Call> void tellEach(Hears hears, Call call);

    std::vector<Entry> entries_;
    bool epochsHeld_ = false;
};

} // namespace trix::app
